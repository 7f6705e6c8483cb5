// The operation log: an append-only, bounded, thread-safe list of lines.
// Workers and the UI thread append at the same time; a line is never mixed
// with another. A view first replays what is there, then listens, so it
// misses no line.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vq {

class LogPanel {
public:
    using Listener = std::function<void(const std::string& line)>;

    explicit LogPanel(std::size_t capacity = 200000);

    // Appends text as it stands (callers bring the date-time and "\r\n").
    void append(const std::string& text);
    // Appends the current date-time text followed by message.
    void log(const std::string& message);

    std::vector<std::string> lines() const;
    // All text appended so far and still kept, joined.
    std::string text() const;

    // Returns the lines kept so far and registers listener for every later
    // line, atomically. Listeners are called on the appending thread, in
    // append order, and must not call back into the panel.
    int subscribe(const Listener& listener, std::vector<std::string>* replay = nullptr);
    void unsubscribe(int id);

private:
    mutable std::mutex m_mutex;
    std::size_t m_capacity;
    std::deque<std::string> m_lines;
    std::map<int, Listener> m_listeners;
    int m_nextId = 1;
};

}  // namespace vq
