// The logic of the window "请按照提示输入" in which the user pastes many
// product addresses at once for single-product mode, one per line.
#pragma once

#include <string>
#include <string_view>

namespace vq::collect {

class MultiLineAddressDialog {
public:
    static constexpr std::string_view kTitle = "请按照提示输入";
    static constexpr std::string_view kHint = "每行一个宝贝地址，地址须带 http:// 或 https:// 前缀，例如：";
    static constexpr std::string_view kExampleAddress = "https://detail.1688.com/offer/612345678901.html";

    // pastedAddresses: the addresses stored so far; the edit box starts with
    // them, trimmed.
    explicit MultiLineAddressDialog(std::string_view pastedAddresses);

    const std::string& initialText() const { return m_initialText; }

    // The counter label for an edit text: "当前共：[N]行".
    static std::string counterText(std::string_view editText);

    // "确定保存": the addresses to store for an edit text: trimmed, one
    // leading and then one trailing CR LF dropped, blank and blank-only lines
    // between addresses removed.
    static std::string savedAddresses(std::string_view editText);

private:
    std::string m_initialText;
};

}  // namespace vq::collect
