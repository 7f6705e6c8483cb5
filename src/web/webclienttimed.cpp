// fetchWithTimeout: a plain-http request in a thread of its own, abandoned
// at the time-out.
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "text/textops.h"
#include "web/cookiestore.h"
#include "web/curltransfer.h"
#include "web/headercompletion.h"
#include "web/responseheaders.h"
#include "web/webclient.h"

namespace vq::web {
namespace {

constexpr const char* kTimedUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

std::atomic<int> g_runningWorkers{0};

// What the caller and its worker share. The worker owns a reference, so an
// abandoned worker writes only here, never into the caller's variables, and
// touches the cookie store only while the caller still waits.
struct RequestExchange {
    TimedRequest request;
    std::atomic<bool> abort{false};
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
    bool completed = false;
    TimedResult result;
};

struct PlainAddress {
    std::string host;
    int port = 80;
    std::string path = "/";
};

// The worker's own address rules: the host follows "http://" (or starts the
// text), ends at the next "/"; the port follows a ":" in it.
bool splitPlainAddress(const std::string& address, PlainAddress& out)
{
    std::string rest = address;
    if (text::startsWith(text::toLowerAscii(rest), "http://"))
        rest.erase(0, 7);
    const std::size_t slash = rest.find('/');
    std::string host = text::toLowerAscii(rest.substr(0, slash));
    if (slash != std::string::npos)
        out.path = rest.substr(slash);
    const std::size_t colon = host.find(':');
    if (colon != std::string::npos) {
        const std::string port = host.substr(colon + 1);
        host.resize(colon);
        if (port.size() > 5 || !text::isAllDigits(port))
            return false;
        out.port = std::stoi(port);
        if (out.port <= 0 || out.port > 65535)
            return false;
    }
    // An "https://" address leaves "https:" here: no usable host.
    if (host.empty() || host.find_first_of(":@ ") != std::string::npos)
        return false;
    out.host = host;
    return true;
}

// Appends one line; a caller's text that does not end its last line gets
// the line break first, so two headers never run together.
void appendLine(std::string& headers, const std::string& line)
{
    if (!headers.empty() && !text::endsWith(headers, "\r\n"))
        headers += "\r\n";
    headers += line + "\r\n";
}

void runWorker(const std::shared_ptr<RequestExchange>& exchange, CookieStore& store, const WebClientSettings& settings)
{
    const TimedRequest& request = exchange->request;
    const auto finish = [&exchange](bool completed, TimedResult result) {
        {
            const std::lock_guard lock(exchange->mutex);
            exchange->done = true;
            exchange->completed = completed;
            exchange->result = std::move(result);
        }
        exchange->finished.notify_all();
    };

    PlainAddress parts;
    const std::string verb = text::toLowerAscii(request.method);
    if (!splitPlainAddress(request.address, parts) || !(verb.empty() || verb == "get" || verb == "post")) {
        finish(false, {});
        return;
    }

    const std::string cookieText = text::trim(request.cookieText);
    const bool useStore = cookieText.empty() || request.storeCookies;

    std::string headers = request.extraHeaders;
    if (!text::contains(headers, "Accept: ", true))
        appendLine(headers, std::string("Accept: ") + kBrowserAccept);
    if (!text::contains(headers, "Referer: ", true))
        appendLine(headers, "Referer: " + request.address);
    if (!text::contains(headers, "Accept-Language: ", true))
        appendLine(headers, "Accept-Language: zh-cn");

    TransferSettings transfer;
    transfer.verb = verb == "post" ? "POST" : "GET";
    if (transfer.verb == "POST" && !request.postText.empty()) {
        if (!text::contains(headers, "Content-Type: ", true))
            appendLine(headers, "Content-Type: application/x-www-form-urlencoded");
        transfer.body = request.postText;
        transfer.sendBody = true;
    }
    transfer.headerLines = headerLines(headers);
    if (!cookieText.empty())
        transfer.headerLines.push_back("Cookie: " + cookieText);
    transfer.userAgent = kTimedUserAgent;
    transfer.proxy = text::removeBlanks(request.proxy);
    transfer.serverUser = text::removeBlanks(request.user);
    transfer.serverPassword = transfer.serverUser.empty() ? std::string() : text::removeBlanks(request.password);
    transfer.plainHttpOnly = true;
    transfer.connectTimeout = settings.connectTimeout;
    // The caller's time-out is the real limit; this only ends a worker
    // whose caller has long given up, should the abort flag be missed.
    const int seconds = request.timeoutSeconds > 0 ? request.timeoutSeconds : 90;
    transfer.totalTimeout = std::chrono::milliseconds(static_cast<long long>(seconds) * 1000 + 5000);
    transfer.abort = &exchange->abort;

    HopHeaders hopHeaders;
    HopResponse hopResponse;
    if (useStore) {
        hopHeaders = [&exchange, &store, explicitCookies = !cookieText.empty()](const std::string& hop) {
            std::vector<std::string> lines;
            const std::lock_guard lock(exchange->mutex);
            if (exchange->abandoned || explicitCookies)
                return lines;
            const std::string cookies = store.cookieHeaderFor(hop, true);
            if (!cookies.empty())
                lines.push_back("Cookie: " + cookies);
            return lines;
        };
        hopResponse = [&exchange, &store](const std::string& hop, const std::string& block) {
            const std::lock_guard lock(exchange->mutex);
            if (!exchange->abandoned)
                store.storeFromResponse(hop, setCookieValues(block));
        };
    }

    const std::string target = "http://" + parts.host + ":" + std::to_string(parts.port) + parts.path;
    TransferOutcome outcome = performTransfer(target, transfer, RedirectPolicy{}, hopHeaders, hopResponse);
    if (!outcome.ok) {
        finish(false, {});
        return;
    }
    TimedResult result;
    result.completed = true;
    result.body = std::move(outcome.body);
    if (request.wantHeaders)
        result.headers = outcome.headers;
    if (request.wantNewCookies)
        appendResponseCookies(result.newCookies, outcome.headers);
    finish(true, std::move(result));
}

}  // namespace

int RunningTimedRequests()
{
    return g_runningWorkers.load();
}

TimedResult WebClient::fetchWithTimeout(const TimedRequest& request) const
{
    auto exchange = std::make_shared<RequestExchange>();
    exchange->request = request;
    const int seconds = request.timeoutSeconds > 0 ? request.timeoutSeconds : 90;

    ++g_runningWorkers;
    try {
        std::thread([exchange, &store = m_store, settings = m_settings] {
            runWorker(exchange, store, settings);
            --g_runningWorkers;
        }).detach();
    } catch (const std::system_error&) {
        --g_runningWorkers;
        return {};
    }

    std::unique_lock lock(exchange->mutex);
    const bool inTime = exchange->finished.wait_for(lock, std::chrono::seconds(seconds), [&] { return exchange->done; });
    if (!inTime) {
        exchange->abandoned = true;
        exchange->abort = true;
        return {};
    }
    if (!exchange->completed)
        return {};
    return std::move(exchange->result);
}

std::string WebClient::fetchWithTimeout(const std::string& address, int timeoutSeconds) const
{
    TimedRequest request;
    request.address = address;
    request.timeoutSeconds = timeoutSeconds;
    return fetchWithTimeout(request).body;
}

}  // namespace vq::web
