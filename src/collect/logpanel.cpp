#include "collect/logpanel.h"

#include "text/timestamps.h"

namespace vq {

LogPanel::LogPanel(std::size_t capacity) : m_capacity(capacity == 0 ? 1 : capacity) {}

void LogPanel::append(const std::string& text)
{
    // Listeners run under the lock so that every listener sees lines in the
    // same order as the panel keeps them.
    std::lock_guard lock(m_mutex);
    m_lines.push_back(text);
    if (m_lines.size() > m_capacity)
        m_lines.pop_front();
    for (const auto& [id, listener] : m_listeners)
        listener(text);
}

void LogPanel::log(const std::string& message)
{
    append(text::LogDateTime() + message);
}

std::vector<std::string> LogPanel::lines() const
{
    std::lock_guard lock(m_mutex);
    return {m_lines.begin(), m_lines.end()};
}

std::string LogPanel::text() const
{
    std::lock_guard lock(m_mutex);
    std::string out;
    for (const std::string& line : m_lines)
        out += line;
    return out;
}

int LogPanel::subscribe(const Listener& listener, std::vector<std::string>* replay)
{
    std::lock_guard lock(m_mutex);
    if (replay)
        replay->assign(m_lines.begin(), m_lines.end());
    const int id = m_nextId++;
    m_listeners.emplace(id, listener);
    return id;
}

void LogPanel::unsubscribe(int id)
{
    std::lock_guard lock(m_mutex);
    m_listeners.erase(id);
}

}  // namespace vq
