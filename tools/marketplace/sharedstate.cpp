#include "sharedstate.h"

namespace vq::market {
namespace {
constexpr std::size_t kRecordLimit = 2000;
}

int SharedState::hit(const std::string& key)
{
    const std::lock_guard lock(m_mutex);
    return ++m_counts[key];
}

int SharedState::count(const std::string& key) const
{
    const std::lock_guard lock(m_mutex);
    const auto it = m_counts.find(key);
    return it == m_counts.end() ? 0 : it->second;
}

void SharedState::resetCount(const std::string& key)
{
    const std::lock_guard lock(m_mutex);
    m_counts.erase(key);
}

void SharedState::setValue(const std::string& key, std::string value)
{
    const std::lock_guard lock(m_mutex);
    m_values[key] = std::move(value);
}

std::string SharedState::value(const std::string& key) const
{
    const std::lock_guard lock(m_mutex);
    const auto it = m_values.find(key);
    return it == m_values.end() ? std::string() : it->second;
}

void SharedState::record(RecordedRequest request)
{
    const std::lock_guard lock(m_mutex);
    m_recorded.push_back(std::move(request));
    while (m_recorded.size() > kRecordLimit)
        m_recorded.pop_front();
}

std::vector<RecordedRequest> SharedState::recorded() const
{
    const std::lock_guard lock(m_mutex);
    return {m_recorded.begin(), m_recorded.end()};
}

std::vector<RecordedRequest> SharedState::recordedFor(const std::string& path) const
{
    const std::lock_guard lock(m_mutex);
    std::vector<RecordedRequest> found;
    for (const RecordedRequest& request : m_recorded)
        if (request.target.substr(0, request.target.find('?')) == path)
            found.push_back(request);
    return found;
}

void SharedState::clearRecorded()
{
    const std::lock_guard lock(m_mutex);
    m_recorded.clear();
}

void SharedState::setBases(std::string httpBase, std::string httpsBase)
{
    const std::lock_guard lock(m_mutex);
    m_httpBase = std::move(httpBase);
    m_httpsBase = std::move(httpsBase);
}

std::string SharedState::httpBase() const
{
    const std::lock_guard lock(m_mutex);
    return m_httpBase;
}

std::string SharedState::httpsBase() const
{
    const std::lock_guard lock(m_mutex);
    return m_httpsBase;
}

bool SharedState::sleepFor(std::chrono::milliseconds duration)
{
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, duration, [this] { return m_stopping; });
}

void SharedState::beginStop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
}

bool SharedState::stopping() const
{
    const std::lock_guard lock(m_mutex);
    return m_stopping;
}

}  // namespace vq::market
