#include "collect/multilineaddressdialog.h"

#include "text/regex.h"
#include "text/textops.h"

namespace vq::collect {

MultiLineAddressDialog::MultiLineAddressDialog(std::string_view pastedAddresses)
    : m_initialText(text::trim(pastedAddresses))
{
}

std::string MultiLineAddressDialog::counterText(std::string_view editText)
{
    return "当前共：[" + std::to_string(text::LineCount(editText)) + "]行";
}

std::string MultiLineAddressDialog::savedAddresses(std::string_view editText)
{
    std::string addresses = text::trim(editText);
    if (text::startsWith(addresses, "\r\n"))
        addresses.erase(0, 2);
    if (text::endsWith(addresses, "\r\n"))
        addresses.erase(addresses.size() - 2);
    // A line feed, then only white space, then a CR: the tail of one line
    // and a blank or blank-only line after it.
    static const text::Regex blankLines = text::Regex::perl("\\n\\s*\\r");
    return blankLines.replaceAll(addresses, "", text::ReplaceFormat::Literal);
}

}  // namespace vq::collect
