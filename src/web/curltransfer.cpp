#include "web/curltransfer.h"

#include <algorithm>
#include <csignal>
#include <mutex>

#include <curl/curl.h>

#include "text/textops.h"

namespace vq::web {
namespace {

void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        // A peer that closes a TLS connection while a request is being
        // written must not end the program: TLS writes can raise SIGPIPE.
        std::signal(SIGPIPE, SIG_IGN);
    });
}

// Owns one easy handle; its connections close when it goes.
class EasyHandle {
public:
    EasyHandle() : m_handle(curl_easy_init()) {}
    ~EasyHandle()
    {
        if (m_handle)
            curl_easy_cleanup(m_handle);
    }
    EasyHandle(const EasyHandle&) = delete;
    EasyHandle& operator=(const EasyHandle&) = delete;
    EasyHandle(EasyHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    EasyHandle& operator=(EasyHandle&&) = delete;

    CURL* get() const { return m_handle; }

private:
    CURL* m_handle;
};

class HeaderList {
public:
    HeaderList() = default;
    ~HeaderList() { curl_slist_free_all(m_list); }
    HeaderList(const HeaderList&) = delete;
    HeaderList& operator=(const HeaderList&) = delete;

    void add(const std::string& line)
    {
        if (curl_slist* grown = curl_slist_append(m_list, line.c_str()))
            m_list = grown;
    }
    curl_slist* get() const { return m_list; }

private:
    curl_slist* m_list = nullptr;
};

struct Sink {
    std::string body;
    std::string headers;
    const std::atomic<bool>* abort = nullptr;
    // A HEAD request that carries a body goes out as a custom request, so
    // curl would wait for a response body that never comes; the transfer
    // is ended once the final header block is complete instead.
    bool stopAfterHeaders = false;
    bool stoppedAfterHeaders = false;
};

size_t onBody(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    const size_t length = size * count;
    // Refusing the bytes makes curl end the transfer with a write error.
    if (sink->body.size() + length > kMaxBodyBytes)
        return 0;
    sink->body.append(data, length);
    return length;
}

size_t onHeader(char* data, size_t size, size_t count, void* user)
{
    auto* sink = static_cast<Sink*>(user);
    const size_t length = size * count;
    // A new status line (after 100 Continue or a proxy's CONNECT answer)
    // starts the block again, so the block is the final response's.
    if (length >= 5 && std::string_view(data, 5) == "HTTP/")
        sink->headers.clear();
    sink->headers.append(data, length);
    if (sink->stopAfterHeaders && std::string_view(data, length) == "\r\n") {
        const std::size_t space = sink->headers.find(' ');
        const bool informational = space != std::string::npos && sink->headers.compare(space + 1, 1, "1") == 0;
        if (!informational) {
            sink->stoppedAfterHeaders = true;
            return 0;
        }
    }
    return length;
}

int onProgress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    const auto* sink = static_cast<const Sink*>(user);
    return sink->abort && sink->abort->load() ? 1 : 0;
}

bool isRedirect(long status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

long millis(std::chrono::milliseconds duration)
{
    return static_cast<long>(std::max<std::chrono::milliseconds::rep>(1, duration.count()));
}

struct Hop {
    std::string verb;
    bool sendBody = false;
};

void setHopOptions(CURL* curl, const std::string& address, const Hop& hop, const TransferSettings& settings,
                   const HeaderList& headers, Sink& sink, std::chrono::milliseconds remaining)
{
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, settings.plainHttpOnly ? "http" : "http,https");
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    // An empty proxy means a direct connection: no proxy from the
    // environment or anywhere else.
    const std::string proxy = settings.proxy.empty() || text::contains(settings.proxy, "://")
        ? settings.proxy
        : "http://" + settings.proxy;
    curl_easy_setopt(curl, CURLOPT_PROXY, proxy.c_str());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "");
    if (!settings.proxy.empty() && !settings.proxyUser.empty()) {
        curl_easy_setopt(curl, CURLOPT_PROXYUSERNAME, settings.proxyUser.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYPASSWORD, settings.proxyPassword.c_str());
    }
    if (!settings.serverUser.empty()) {
        curl_easy_setopt(curl, CURLOPT_USERNAME, settings.serverUser.c_str());
        curl_easy_setopt(curl, CURLOPT_PASSWORD, settings.serverPassword.c_str());
    }
    if (!settings.userAgent.empty())
        curl_easy_setopt(curl, CURLOPT_USERAGENT, settings.userAgent.c_str());

    if (hop.verb == "HEAD" && !hop.sendBody)
        curl_easy_setopt(curl, CURLOPT_NOBODY, 1L);
    if (hop.sendBody) {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(settings.body.size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, settings.body.data());
    } else if (hop.verb == "POST") {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(0));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, "");
    }
    const bool plainVerb = hop.verb == "GET" || hop.verb == "POST" || (hop.verb == "HEAD" && !hop.sendBody);
    if (!plainVerb || (hop.sendBody && hop.verb != "POST"))
        curl_easy_setopt(curl, CURLOPT_CUSTOMREQUEST, hop.verb.c_str());

    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, &sink);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxBodyBytes));

    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, settings.verifyCertificates ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, settings.verifyCertificates ? 2L : 0L);
    if (!settings.trustedCaFile.empty())
        curl_easy_setopt(curl, CURLOPT_CAINFO, settings.trustedCaFile.c_str());

    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, millis(std::min(settings.connectTimeout, remaining)));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, millis(remaining));
    if (settings.lowSpeedSeconds > 0) {
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, settings.lowSpeedSeconds);
    }
    if (settings.abort) {
        curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, onProgress);
        curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &sink);
    }
}

}  // namespace

std::string encodeAddressBytes(const std::string& address)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(address.size());
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            out += '%';
            out += digits[byte >> 4];
            out += digits[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

TransferOutcome performTransfer(const std::string& address, const TransferSettings& settings,
                                const RedirectPolicy& redirects, const HopHeaders& hopHeaders,
                                const HopResponse& hopResponse)
{
    initialiseOnce();
    TransferOutcome outcome;
    EasyHandle easy;
    if (!easy.get())
        return outcome;

    const auto deadline = std::chrono::steady_clock::now() + settings.totalTimeout;
    std::string current = encodeAddressBytes(address);
    Hop hop{settings.verb, settings.sendBody};
    for (int hopNumber = 0;; ++hopNumber) {
        const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (remaining.count() <= 0 || (settings.abort && settings.abort->load()))
            return TransferOutcome{};

        HeaderList headers;
        for (const std::string& line : settings.headerLines)
            headers.add(line);
        if (hopHeaders)
            for (const std::string& line : hopHeaders(current))
                headers.add(line);
        // Never wait for a "100 Continue" that old servers do not send.
        headers.add("Expect:");

        Sink sink;
        sink.abort = settings.abort;
        sink.stopAfterHeaders = hop.verb == "HEAD" && hop.sendBody;
        curl_easy_reset(easy.get());
        setHopOptions(easy.get(), current, hop, settings, headers, sink, remaining);
        CURLcode result = curl_easy_perform(easy.get());
        if (result == CURLE_WRITE_ERROR && sink.stoppedAfterHeaders)
            result = CURLE_OK;

        long status = 0;
        curl_easy_getinfo(easy.get(), CURLINFO_RESPONSE_CODE, &status);
        if (hopResponse && !sink.headers.empty())
            hopResponse(current, sink.headers);
        if (result != CURLE_OK)
            return TransferOutcome{};

        outcome.ok = true;
        outcome.status = status;
        outcome.body = std::move(sink.body);
        outcome.headers = std::move(sink.headers);
        outcome.finalAddress = current;

        char* location = nullptr;
        curl_easy_getinfo(easy.get(), CURLINFO_REDIRECT_URL, &location);
        if (!redirects.follow || !isRedirect(status) || !location || !*location)
            return outcome;
        const std::string next = location;
        const std::string nextLower = text::toLowerAscii(next);
        const bool toHttps = text::startsWith(nextLower, "https://");
        const bool toHttp = text::startsWith(nextLower, "http://");
        const bool fromHttps = text::startsWith(text::toLowerAscii(current), "https://");
        // A redirect the request may not follow is the answer itself.
        if ((!toHttp && !toHttps) || (toHttps && settings.plainHttpOnly)
            || (fromHttps && toHttp && !redirects.allowHttpsToHttp))
            return outcome;
        if (hopNumber + 1 > redirects.maxHops)
            return TransferOutcome{};
        // As browsers do: 303 turns every request but HEAD into GET, 301
        // and 302 turn POST into GET; 307 and 308 keep method and body.
        if ((status == 303 && hop.verb != "HEAD") || ((status == 301 || status == 302) && hop.verb == "POST"))
            hop = Hop{"GET", false};
        current = encodeAddressBytes(next);
    }
}

}  // namespace vq::web
