// Base routes of the stand-in, under /base/: the building blocks the web
// tests need (echo, cookies, redirects, slow and broken answers, large
// bodies, fixed statuses, fixture files).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>

#include "routes.h"
#include "sharedstate.h"

namespace {

using vq::market::Request;
using vq::market::Response;

std::string hex(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

long long numberParam(const Request& request, const std::string& name, long long fallback)
{
    if (!request.has_param(name))
        return fallback;
    try {
        return std::stoll(request.get_param_value(name));
    } catch (const std::exception&) {
        return fallback;
    }
}

// Adds every "c" parameter as one Set-Cookie header. The i-th "n"
// parameter, when given, spells the header name of the i-th cookie;
// otherwise the "name" parameter does (default "Set-Cookie").
void addCookies(const Request& request, Response& response)
{
    const std::string headerName = request.has_param("name") ? request.get_param_value("name") : "Set-Cookie";
    const std::size_t count = request.get_param_value_count("c");
    const std::size_t names = request.get_param_value_count("n");
    for (std::size_t i = 0; i < count; ++i)
        response.headers.emplace(i < names ? request.get_param_value("n", i) : headerName, request.get_param_value("c", i));
}

// The request exactly as received: request line, headers in order and
// spelling, blank line, body. For HEAD (no response body) the body also
// travels hex-encoded in X-Echo-Body.
void echo(const Request& request, Response& response)
{
    const vq::market::Exchange* exchange = vq::market::currentExchange();
    const std::string head = exchange ? exchange->rawHead() : std::string();
    response.set_header("X-Echo-Method", request.method);
    response.set_header("X-Echo-Secure", exchange && exchange->secure() ? "1" : "0");
    response.set_header("X-Echo-Body-Length", std::to_string(request.body.size()));
    response.set_header("X-Echo-Body", hex(request.body.substr(0, 2048)));
    response.set_content(head + request.body, "application/octet-stream");
}

}  // namespace

VQ_MARKETPLACE_ROUTES(base)
{
    vq::market::SharedState& state = routes.state();

    routes.any("/base/echo", echo);

    // A proxy's view: a request in absolute form for any host, as a client
    // sends it to its proxy, answered with the echo.
    routes.any(R"(http://[A-Za-z0-9.-]+(:\d+)?/base/proxied)", echo);

    // Sets cookies and echoes the request:
    // /base/set-cookie?c=<Set-Cookie value>&c=...[&name=set-cookie][&n=<name of 1st>&n=...]
    routes.any("/base/set-cookie", [](const Request& request, Response& response) {
        addCookies(request, response);
        echo(request, response);
    });

    // Deletes a cookie the way the marketplace does: value "deleted" and an
    // expiry in the past. /base/delete-cookie?cookie=NAME[&path=/]
    routes.get("/base/delete-cookie", [](const Request& request, Response& response) {
        const std::string path = request.has_param("path") ? request.get_param_value("path") : "/";
        response.headers.emplace("Set-Cookie", request.get_param_value("cookie")
                + "=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT; path=" + path);
        response.set_content("cookie deleted", "text/plain");
    });

    // /base/redirect?to=<absolute or relative address>[&code=302][&c=<cookie>]
    routes.any("/base/redirect", [](const Request& request, Response& response) {
        response.status = static_cast<int>(numberParam(request, "code", 302));
        response.set_header("Location", request.get_param_value("to"));
        addCookies(request, response);
        response.set_content("moved", "text/plain");
    });

    // /base/redirect-to-https?path=/base/echo : plain http to the https server.
    routes.get("/base/redirect-to-https", [&state](const Request& request, Response& response) {
        const std::string path = request.has_param("path") ? request.get_param_value("path") : "/base/echo";
        response.status = 302;
        response.set_header("Location", state.httpsBase() + path);
        response.set_content("moved", "text/plain");
    });

    // Redirects to itself for ever.
    routes.get("/base/loop", [](const Request&, Response& response) {
        response.status = 302;
        response.set_header("Location", "/base/loop");
        response.set_content("again", "text/plain");
    });

    // Answers after ms milliseconds (ends early when the server stops),
    // with the cookies of the "c" parameters.
    routes.any("/base/slow", [&state](const Request& request, Response& response) {
        const long long ms = std::clamp(numberParam(request, "ms", 5000), 0LL, 600000LL);
        state.sleepFor(std::chrono::milliseconds(ms));
        addCookies(request, response);
        response.set_content("slow answer", "text/plain");
    });

    // Closes the connection without any answer (a TCP reset).
    routes.any("/base/reset", [](const Request&, Response& response) {
        if (vq::market::Exchange* exchange = vq::market::currentExchange())
            exchange->resetConnection();
        response.set_content("never sent", "text/plain");
    });

    // A streamed body of `bytes` bytes, never held in memory; with
    // chunked=1 it is sent without a length.
    routes.get("/base/large", [&state](const Request& request, Response& response) {
        const auto total = static_cast<std::uint64_t>(std::max(0LL, numberParam(request, "bytes", 1 << 20)));
        auto provide = [total, &state](std::size_t offset, httplib::DataSink& sink) {
            static const std::string block(64 * 1024, 'x');
            if (offset >= total || state.stopping()) {
                if (offset >= total)
                    sink.done();
                return offset >= total;
            }
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), total - offset));
            return sink.write(block.data(), n);
        };
        if (request.get_param_value("chunked") == "1") {
            response.set_chunked_content_provider("application/octet-stream",
                [provide](std::size_t offset, httplib::DataSink& sink) { return provide(offset, sink); });
        } else {
            response.set_content_provider(static_cast<std::size_t>(total), "application/octet-stream",
                [provide](std::size_t offset, std::size_t, httplib::DataSink& sink) { return provide(offset, sink); });
        }
    });

    // Answers with exactly the given status: /base/status?code=404
    routes.any("/base/status", [](const Request& request, Response& response) {
        response.status = static_cast<int>(numberParam(request, "code", 200));
        response.set_content("status " + std::to_string(response.status), "text/plain");
    });

    // Counts requests per key: /base/count?key=K answers the new count.
    routes.get("/base/count", [&state](const Request& request, Response& response) {
        response.set_content(std::to_string(state.hit("base-count:" + request.get_param_value("key"))), "text/plain");
    });

    // Files of fixtures/base/ by name.
    routes.get(R"(/base/fixture/([A-Za-z0-9_.-]+))", [root = routes.fixtureRoot()](const Request& request, Response& response) {
        const std::string bytes = vq::market::readFixture(root, "base", request.matches[1].str());
        if (bytes.empty()) {
            response.status = 404;
            response.set_content("no such fixture", "text/plain");
            return;
        }
        response.set_content(bytes, "application/octet-stream");
    });
}
