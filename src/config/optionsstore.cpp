#include "config/optionsstore.h"

namespace vq::config {

Options OptionsStore::get() const
{
    std::lock_guard lock(m_mutex);
    return m_options;
}

void OptionsStore::set(const Options& options)
{
    std::lock_guard lock(m_mutex);
    m_options = options;
}

}  // namespace vq::config
