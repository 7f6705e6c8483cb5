// The request-object variants: fetchViaWinHttpObject and fetchViaComObject.
#include <algorithm>

#include "text/textops.h"
#include "web/cookiejar.h"
#include "web/curltransfer.h"
#include "web/headercompletion.h"
#include "web/responseheaders.h"
#include "web/webclient.h"

namespace vq::web {
namespace {

constexpr const char* kObjectUserAgent = "Mozilla/4.0 (compatible; Win32; WinHttp.WinHttpRequest.5)";

// The object's header text comes without its status line.
std::string withoutStatusLine(const std::string& headers)
{
    if (!text::startsWith(headers, "HTTP/"))
        return headers;
    const std::size_t end = headers.find("\r\n");
    return end == std::string::npos ? std::string() : headers.substr(end + 2);
}

long wholeSeconds(std::chrono::milliseconds duration)
{
    return static_cast<long>((duration.count() + 999) / 1000);
}

// The object's four time-outs: connecting (name resolution included) and
// sending/receiving, the latter as "no byte moved for that long".
void applyObjectTimeouts(TransferSettings& transfer, const WinHttpObject& object, std::chrono::milliseconds overall)
{
    transfer.connectTimeout = object.connectTimeout + object.resolveTimeout;
    transfer.lowSpeedSeconds = std::max(1L, wholeSeconds(std::max(object.sendTimeout, object.receiveTimeout)));
    transfer.totalTimeout = overall;
}

}  // namespace

WinHttpResult WebClient::fetchViaWinHttpObject(const WinHttpRequest& request) const
{
    WinHttpObject fresh;
    return fetchViaWinHttpObject(request, fresh);
}

WinHttpResult WebClient::fetchViaWinHttpObject(const WinHttpRequest& request, WinHttpObject& object) const
{
    const int method = request.method >= 0 && request.method <= 2 ? request.method : 0;
    static const char* const verbs[] = {"GET", "POST", "HEAD"};

    if (request.timeoutSeconds != -1) {
        const std::chrono::milliseconds each = request.timeoutSeconds > 0
            ? std::chrono::milliseconds(static_cast<long long>(request.timeoutSeconds) * 1000)
            : std::chrono::milliseconds(15000);
        object.resolveTimeout = object.connectTimeout = object.sendTimeout = object.receiveTimeout = each;
    }

    WinHttpResult result;
    std::string headers = request.extraHeaders;
    addAcceptRefererLanguage(headers, request.address);
    if (!text::contains(headers, "User-Agent:"))
        headers += std::string("\r\nUser-Agent: ") + kDefaultUserAgent;
    addContentType(headers);
    result.completedHeaders = headers;

    TransferSettings transfer;
    transfer.verb = verbs[method];
    transfer.body = !request.postBytes.empty() ? request.postBytes : request.postText;
    transfer.sendBody = !transfer.body.empty();
    if (!request.cookieText.empty())
        transfer.headerLines.push_back(headerLine("Cookie", request.cookieText));
    for (const std::string& line : headerLines(headers))
        transfer.headerLines.push_back(headerLine(HeaderName(line), HeaderValue(line)));
    transfer.userAgent = kObjectUserAgent;
    transfer.proxy = request.proxy;
    if (!request.proxy.empty() && !request.proxyUser.empty()) {
        // The credential flag says whom the credentials are for: 0 the
        // server, anything else the proxy.
        if (request.proxyCredentialFlag == 0) {
            transfer.serverUser = request.proxyUser;
            transfer.serverPassword = request.proxyPassword;
        } else {
            transfer.proxyUser = request.proxyUser;
            transfer.proxyPassword = request.proxyPassword;
        }
    }
    transfer.verifyCertificates = false;
    applyObjectTimeouts(transfer, object, m_settings.totalTimeout);

    RedirectPolicy redirects;
    redirects.follow = !request.noRedirect;
    redirects.allowHttpsToHttp = false;
    TransferOutcome outcome = performTransfer(request.address, transfer, redirects);

    if (outcome.ok) {
        result.body = std::move(outcome.body);
        result.headers = normaliseSetCookieSpelling(withoutStatusLine(outcome.headers));
        result.status = static_cast<int>(outcome.status);
        result.newCookies = newCookiesFromHeaders(result.headers);
    }
    result.cookieText = request.cookieText;
    MergeCookies(result.cookieText, result.newCookies);
    return result;
}

std::string WebClient::fetchViaWinHttpObject(const std::string& address) const
{
    WinHttpRequest request;
    request.address = address;
    return fetchViaWinHttpObject(request).body;
}

ComResult WebClient::fetchViaComObject(const ComRequest& request) const
{
    ComResult result;
    result.referrer = request.referrer.empty() ? request.address : request.referrer;
    result.cookieText = request.cookieText;

    TransferSettings transfer;
    transfer.verb = request.method.empty() ? "GET" : request.method;
    transfer.body = request.postText;
    transfer.sendBody = !transfer.body.empty();
    transfer.headerLines = {
        headerLine("Referrer", result.referrer),
        headerLine("Accept", kBrowserAccept),
        "Accept-Language: zh-cn",
        "Content-Type: application/x-www-form-urlencoded",
    };
    if (!request.cookieText.empty())
        transfer.headerLines.push_back(headerLine("Cookie", request.cookieText));
    transfer.userAgent = kObjectUserAgent;
    transfer.proxy = request.proxy;
    transfer.proxyUser = request.proxyUser;
    transfer.proxyPassword = request.proxyPassword;
    transfer.trustedCaFile = m_settings.trustedCaFile;

    WinHttpObject object;
    const std::chrono::milliseconds each = request.timeoutSeconds > 0
        ? std::chrono::milliseconds(static_cast<long long>(request.timeoutSeconds) * 1000)
        : std::chrono::milliseconds(15000);
    object.resolveTimeout = object.connectTimeout = object.sendTimeout = object.receiveTimeout = each;
    applyObjectTimeouts(transfer, object, m_settings.totalTimeout);

    RedirectPolicy redirects;
    redirects.allowHttpsToHttp = false;
    TransferOutcome outcome = performTransfer(request.address, transfer, redirects);
    if (!outcome.ok)
        return result;
    result.body = std::move(outcome.body);
    if (request.wantNewCookies)
        appendResponseCookies(result.cookieText, outcome.headers);
    return result;
}

std::string WebClient::fetchViaComObject(const std::string& address) const
{
    ComRequest request;
    request.address = address;
    return fetchViaComObject(request).body;
}

}  // namespace vq::web
