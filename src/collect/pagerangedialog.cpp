#include "collect/pagerangedialog.h"

#include "collect/numbertext.h"

namespace vq::collect {

PageRangeDialog::PageRangeDialog(int lastPage) : m_listLastPage(lastPage) {}

bool PageRangeDialog::confirm(std::string_view firstText, std::string_view lastText)
{
    return confirm(integerOf(firstText), integerOf(lastText));
}

bool PageRangeDialog::confirm(int first, int last)
{
    m_messageVisible = true;
    if (last > m_listLastPage || first >= m_listLastPage || first < 1 || last < 1) {
        m_message = kBadPageMessage;
        return false;
    }
    // Both are at least 1 here, so the difference cannot overflow.
    if (last - first > kMaxSpan || last < first) {
        m_message = kBadSpanMessage;
        return false;
    }
    m_messageVisible = false;
    m_first = first;
    m_last = last;
    m_accepted = true;
    return true;
}

}  // namespace vq::collect
