// The logic of the page-range window "待列出宝贝数量太多！" that a list of
// more than 35 pages goes through: the user picks at most 36 consecutive
// pages below the list's last page. The window itself (Qt) or the command
// line (--pages FIRST-LAST) feeds this model; it closes only on a valid range.
#pragma once

#include <string>
#include <string_view>

namespace vq::collect {

class PageRangeDialog {
public:
    static constexpr int kMaxSpan = 35;  // last - first may be at most this

    static constexpr std::string_view kTitle = "待列出宝贝数量太多！";
    static constexpr std::string_view kWarning =
        "一次性列出宝贝太多有可能引起阿里锁定IP！请输入本次列出的宝贝的起始和结尾页码！建议间隔不超过35页！";
    static constexpr std::string_view kInitialMessage = "间隔超过35页！请修改！";
    static constexpr std::string_view kBadPageMessage = "起始页或结束页输入有误！请修改！";
    static constexpr std::string_view kBadSpanMessage = "超始页大于结束页或间隔大于35页！请修改！";

    // lastPage: the list's page count as read from its first page.
    explicit PageRangeDialog(int lastPage);

    // "确定" with the texts of the "从" and "至" boxes (non-numeric text reads
    // as 0). Returns true when the range is valid: the window may close and
    // firstPage()/lastPage() hold it. Otherwise message() says what is wrong.
    bool confirm(std::string_view firstText, std::string_view lastText);
    bool confirm(int first, int last);

    bool accepted() const { return m_accepted; }
    int listLastPage() const { return m_listLastPage; }
    int firstPage() const { return m_first; }
    int lastPage() const { return m_last; }
    // The message label's text, and whether it is shown (hidden after a
    // valid confirmation).
    const std::string& message() const { return m_message; }
    bool messageVisible() const { return m_messageVisible; }

private:
    int m_listLastPage;
    int m_first = 0;
    int m_last = 0;
    bool m_accepted = false;
    std::string m_message{kInitialMessage};
    bool m_messageVisible = true;
};

}  // namespace vq::collect
