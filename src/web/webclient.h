// The program's HTTP requests, over libcurl. All variants return the body as
// bytes (empty on any failure), never re-encode text and never throw for a
// network failure. Every call is self-contained: it opens and closes its own
// handles. Re-entrant: the UI thread and the five harvest workers call it at
// the same time.
#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

namespace vq::web {

class CookieStore;

// The shared result record of the request family.
struct HttpResponse {
    std::string body;        // bytes as received
    std::string headers;     // raw response header block, CR LF separated
    std::string newCookies;  // name=value items set by the response, joined by "; "
    int status = 0;          // filled only by fetchViaWinHttpObject
};

// Parameters of WebClient::fetch, in the order of the system's request.
struct FetchRequest {
    std::string address;
    int method = 0;                         // 0 GET, 1 POST, 2 HEAD; anything else is 0
    std::string postText;                   // body when postBytes is empty (POST and HEAD)
    std::optional<std::string> cookieJar;   // present: caller-held jar, shared store untouched
    std::string extraHeaders;               // CR LF separated; completed with defaults
    bool noRedirect = false;
    std::string postBytes;                  // takes precedence over postText
    std::string proxy;                      // host:port; empty means direct
};

struct FetchResult {
    std::string body;
    std::string headers;                    // raw header block, "Set-Cookie" spelling normalised
    std::string newCookies;                 // NewCookies of the response
    std::string completedHeaders;           // extraHeaders after completion (written back)
    std::optional<std::string> cookieJar;   // the jar after the merge, when one was given
};

struct WinHttpRequest {
    std::string address;
    int method = 0;
    std::string postText;
    std::string cookieText;                 // always merged with the new cookies afterwards
    std::string extraHeaders;
    bool noRedirect = false;
    std::string postBytes;
    std::string proxy;
    int timeoutSeconds = 0;                 // -1 keeps the defaults; 0 or negative means 15 s
    std::string proxyUser;
    std::string proxyPassword;
    int proxyCredentialFlag = 1;
};

struct WinHttpResult {
    std::string body;
    std::string headers;
    std::string newCookies;
    std::string cookieText;                 // the merged cookie text
    std::string completedHeaders;
    int status = 0;
};

struct ComRequest {
    std::string address;
    std::string method;                     // empty means "GET"
    std::string postText;
    std::string cookieText;                 // sent as is
    bool wantNewCookies = false;            // append the response's cookies to cookieText
    std::string proxy;
    int timeoutSeconds = 0;                 // 0 means 15 s for each phase
    std::string proxyUser;
    std::string proxyPassword;
    std::string referrer;                   // empty means the address itself
};

struct ComResult {
    std::string body;
    std::string cookieText;                 // the caller's text with new cookies appended
    std::string referrer;
};

struct TimedRequest {
    std::string address;                    // plain http only
    std::string method = "GET";             // GET or POST (any letter case); others send nothing
    std::string postText;
    std::string cookieText;
    bool wantNewCookies = false;
    std::string proxy;
    int timeoutSeconds = 90;                // 0 means 90
    std::string extraHeaders;
    std::string user;
    std::string password;
    bool wantHeaders = false;
    bool storeCookies = false;              // put the response's cookies into the shared store
};

struct TimedResult {
    std::string body;
    std::string headers;                    // only when wanted
    std::string newCookies;                 // only when wanted
    bool completed = false;                 // false on time-out or failure
};

// How a WebClient reaches the network. The defaults are the program's.
struct WebClientSettings {
    // Empty: certificates are verified against the system's CA bundle.
    // Otherwise against this PEM file alone. Only the tests and the demo set
    // it, to trust the stand-in marketplace's self-signed certificate; the
    // WinHttp-object variant ignores certificate errors either way.
    std::filesystem::path trustedCaFile;
    // fetch: no request can hang forever. 30 s to connect, 300 s for the
    // whole request, redirects included.
    std::chrono::milliseconds connectTimeout{30000};
    std::chrono::milliseconds totalTimeout{300000};
};

// A request object that several fetchViaWinHttpObject calls may share. It
// keeps the time-outs an earlier call set (a later call with the time-out -1
// uses them); it starts with the object's defaults: no resolve limit, 60 s
// to connect, 30 s for sending and for receiving. It holds no connection.
// Not for two threads at once.
struct WinHttpObject {
    std::chrono::milliseconds resolveTimeout{0};  // 0: no limit of its own
    std::chrono::milliseconds connectTimeout{60000};
    std::chrono::milliseconds sendTimeout{30000};
    std::chrono::milliseconds receiveTimeout{30000};
};

class WebClient {
public:
    // The shared browser cookie store that requests without a jar use.
    explicit WebClient(CookieStore& store, WebClientSettings settings = {});

    // The ordinary request. Redirects are followed (http to https included)
    // unless noRedirect; certificates are verified; connect time-out 30 s,
    // whole transfer 300 s; a body over 64 MiB is a failure.
    std::string fetch(const std::string& address) const;
    FetchResult fetch(const FetchRequest& request) const;

    // The request-object variant: status filled, every certificate error
    // ignored, four equal time-outs (connect, and send/receive as "nothing
    // moved for that long"), redirects followed except from https to http,
    // and never more than the total time-out of the settings. The cookie
    // text is its own; the shared store is not used.
    WinHttpResult fetchViaWinHttpObject(const WinHttpRequest& request) const;
    WinHttpResult fetchViaWinHttpObject(const WinHttpRequest& request, WinHttpObject& object) const;
    std::string fetchViaWinHttpObject(const std::string& address) const;

    // The browser-like variant with the long Accept list. With libcurl
    // always present there is no "no request object" case to report.
    // Certificates are verified; the shared store is not used.
    ComResult fetchViaComObject(const ComRequest& request) const;
    std::string fetchViaComObject(const std::string& address) const;

    // A plain-http request with a hard time-out, in a thread of its own; at
    // the time-out the caller gets empty bytes at once, the transfer is
    // cancelled (its connection closes within about a second) and the
    // worker can no longer touch the caller's data or the cookie store.
    // With an empty cookie text, or with storeCookies, the shared store is
    // used (its cookies sent, the response's cookies stored).
    TimedResult fetchWithTimeout(const TimedRequest& request) const;
    std::string fetchWithTimeout(const std::string& address, int timeoutSeconds = 90) const;

    CookieStore& cookieStore() const { return m_store; }
    const WebClientSettings& settings() const { return m_settings; }

private:
    CookieStore& m_store;
    WebClientSettings m_settings;
};

// The number of fetchWithTimeout worker threads still running, abandoned
// ones included.
int RunningTimedRequests();

// Address helpers.
std::string UrlHost(const std::string& address, bool keepPort = false);
int UrlPort(const std::string& address);
std::string UrlPath(const std::string& address);
// Text after the first ":" of a header line, trimmed; empty without colon.
std::string HeaderValue(const std::string& line);
// Text before the first ":" of a header line, trimmed.
std::string HeaderName(const std::string& line);

}  // namespace vq::web
