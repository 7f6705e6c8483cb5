// The ordinary request, WebClient::fetch.
#include "web/webclient.h"

#include "text/textops.h"
#include "web/cookiejar.h"
#include "web/cookiestore.h"
#include "web/curltransfer.h"
#include "web/headercompletion.h"
#include "web/responseheaders.h"

namespace vq::web {

WebClient::WebClient(CookieStore& store, WebClientSettings settings) : m_store(store), m_settings(std::move(settings)) {}

std::string WebClient::fetch(const std::string& address) const
{
    FetchRequest request;
    request.address = address;
    return fetch(request).body;
}

FetchResult WebClient::fetch(const FetchRequest& request) const
{
    const int method = request.method >= 0 && request.method <= 2 ? request.method : 0;
    static const char* const verbs[] = {"GET", "POST", "HEAD"};
    const std::string& address = request.address;
    const bool secure = text::toLowerAscii(address.substr(0, 5)) == "https";

    FetchResult result;
    std::string headers = request.extraHeaders;
    addAcceptRefererLanguage(headers, address);
    addContentType(headers);
    if (request.cookieJar && !request.cookieJar->empty())
        headers += "\r\nCookie: " + *request.cookieJar;
    result.completedHeaders = headers;

    TransferSettings transfer;
    transfer.verb = verbs[method];
    if (method != 0) {
        transfer.body = !request.postBytes.empty() ? request.postBytes : request.postText;
        transfer.sendBody = !transfer.body.empty();
    }
    transfer.headerLines = headerLines(headers);
    transfer.userAgent = userAgentOf(request.extraHeaders);
    transfer.proxy = request.proxy;
    transfer.trustedCaFile = m_settings.trustedCaFile;
    transfer.connectTimeout = m_settings.connectTimeout;
    transfer.totalTimeout = m_settings.totalTimeout;

    // Without a jar the shared store speaks for the request: its cookies go
    // with every hop and every hop's cookies come back into it. A caller
    // that wrote its own Cookie line keeps it alone.
    HopHeaders hopHeaders;
    HopResponse hopResponse;
    if (!request.cookieJar) {
        const bool ownCookieLine = text::contains(headers, "\nCookie:", true) || text::startsWith(text::toLowerAscii(headers), "cookie:");
        hopHeaders = [this, ownCookieLine](const std::string& hop) {
            std::vector<std::string> lines;
            const std::string cookies = ownCookieLine ? std::string() : m_store.cookieHeaderFor(hop, true);
            if (!cookies.empty())
                lines.push_back("Cookie: " + cookies);
            return lines;
        };
        hopResponse = [this](const std::string& hop, const std::string& block) {
            m_store.storeFromResponse(hop, setCookieValues(block));
        };
    }

    const std::string target = std::string(secure ? "https://" : "http://") + UrlHost(address, false) + ":"
        + std::to_string(UrlPort(address)) + UrlPath(address);
    RedirectPolicy redirects;
    redirects.follow = !request.noRedirect;
    TransferOutcome outcome = performTransfer(target, transfer, redirects, hopHeaders, hopResponse);

    if (outcome.ok) {
        result.body = std::move(outcome.body);
        result.headers = normaliseSetCookieSpelling(outcome.headers);
        result.newCookies = newCookiesFromHeaders(result.headers);
    }
    if (request.cookieJar) {
        std::string jar = *request.cookieJar;
        MergeCookies(jar, result.newCookies);
        result.cookieJar = std::move(jar);
    }
    return result;
}

}  // namespace vq::web
