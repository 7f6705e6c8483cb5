// State shared by every handler of the stand-in marketplace: request
// counters (for pages that change after N requests), named values, a
// bounded log of the requests received, and sleeps that end early when the
// servers stop. Every member is thread-safe.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace vq::market {

struct RecordedRequest {
    bool secure = false;
    std::string method;
    std::string target;   // path with query, as requested
    std::string rawHead;  // request line and headers as received
    std::string body;
};

class SharedState {
public:
    // Counts one more request under key and returns the new count (from 1).
    int hit(const std::string& key);
    int count(const std::string& key) const;
    void resetCount(const std::string& key);

    void setValue(const std::string& key, std::string value);
    std::string value(const std::string& key) const;

    // The last requests received (at most 2000), oldest first.
    void record(RecordedRequest request);
    std::vector<RecordedRequest> recorded() const;
    // The recorded requests whose path (query excluded) equals path.
    std::vector<RecordedRequest> recordedFor(const std::string& path) const;
    void clearRecorded();

    // Base addresses of the two servers ("http://127.0.0.1:P").
    void setBases(std::string httpBase, std::string httpsBase);
    std::string httpBase() const;
    std::string httpsBase() const;

    // Sleeps for the duration; returns false early when the servers stop.
    bool sleepFor(std::chrono::milliseconds duration);
    void beginStop();
    bool stopping() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::map<std::string, int> m_counts;
    std::map<std::string, std::string> m_values;
    std::deque<RecordedRequest> m_recorded;
    std::string m_httpBase;
    std::string m_httpsBase;
};

}  // namespace vq::market
