#include "collect/collectport.h"

#include "collect/multilineaddressdialog.h"
#include "collect/pagerangedialog.h"

namespace vq::collect {

CollectPort::~CollectPort() = default;

bool CollectPort::runPageRangeDialog(PageRangeDialog&)
{
    return false;
}

std::optional<std::string> CollectPort::runMultiLineAddressDialog(const MultiLineAddressDialog&)
{
    return std::nullopt;
}

PresetCollectPort::PresetCollectPort(std::optional<Range> range) : m_range(range) {}

bool PresetCollectPort::runPageRangeDialog(PageRangeDialog& dialog)
{
    m_asked = true;
    if (!m_range)
        return false;
    return dialog.confirm(m_range->first, m_range->last);
}

}  // namespace vq::collect
