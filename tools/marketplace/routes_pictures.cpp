// Picture and description routes of the stand-in: product pages for offer
// IDs 2002... with main and SKU picture lists and a description address,
// the description answers in both script forms, and picture servers that
// answer with real picture bytes of every kind the harvest recognises,
// with the placeholder GIF, empty bodies, slow answers, a picture that
// fails once and then succeeds, and pictures of a requested size.
//
// /offer/2002NNNNNNN.html               fixtures/pictures/page-<offer>.html
// /pictures/desc/<offer>.js             fixtures/pictures/desc-<offer>.js
// /pictures/main/<offer>/<i>.jpg        a 1x1 JPEG whose comment names the picture
// /pictures/sku/<offer>/<i>.jpg         the same for SKU pictures
// /pictures/kind/<name>                 photo.jpg, png404.png, pixel.gif, pixel.bmp,
//                                       pixel.webp, pixel.tif, unknown.bin,
//                                       back.gif, placeholder*.gif, empty.jpg
// /pictures/slow/<ms>/<name>            a /pictures/kind/ picture after ms milliseconds
// /pictures/flaky/<key>.jpg             the placeholder on the first request, a JPEG after
// /pictures/query.jpg?a=1&b=2           a JPEG only for the decoded "&" form of the query
// /pictures/size/<n>.jpg                a JPEG of exactly n bytes (comment padding)
//
// Templates hold "{base}" (the plain HTTP server) and "{hostport}"; every
// picture request is counted under "pictures:" + path.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>

#include "routes.h"
#include "sharedstate.h"

namespace {

using vq::market::Request;
using vq::market::Response;
using vq::market::SharedState;

// What the handlers need, held by value: the Routes object lives only while
// the routes are installed.
struct Served {
    std::filesystem::path root;
    SharedState* state = nullptr;

    std::string fixture(const std::string& name) const { return vq::market::readFixture(root, "pictures", name); }
};

constexpr std::size_t kLargestSizedPicture = 32 * 1024 * 1024;

const unsigned char kPlaceholder[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x91, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF,
    0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x02, 0x00, 0x2C,
    0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x54, 0x01, 0x00, 0x3B};

std::string placeholder()
{
    return {reinterpret_cast<const char*>(kPlaceholder), sizeof kPlaceholder};
}

void replaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

std::string fillTemplate(const Served& served, std::string text)
{
    const std::string base = served.state->httpBase();
    std::string hostport = base;
    replaceAll(hostport, "http://", "");
    replaceAll(text, "{base}", base);
    replaceAll(text, "{hostport}", hostport);
    return text;
}

// The fixture JPEG with a comment segment carrying text, right after SOI.
std::string jpegWithComment(const Served& served, const std::string& text)
{
    const std::string jpeg = served.fixture("pixel.jpg");
    std::string comment = "\xFF\xFE";
    comment += static_cast<char>(((text.size() + 2) >> 8) & 0xFF);
    comment += static_cast<char>((text.size() + 2) & 0xFF);
    comment += text;
    return jpeg.substr(0, 2) + comment + jpeg.substr(2);
}

// The fixture JPEG grown to exactly size bytes by comment segments (four
// header bytes and at most 65533 payload letters each, no digits, no zero
// byte), right after SOI. Sizes the segments cannot reach give nothing.
std::string jpegOfSize(const Served& served, std::size_t size)
{
    const std::string jpeg = served.fixture("pixel.jpg");
    if (jpeg.empty() || size < jpeg.size() + 4 || size > kLargestSizedPicture)
        return {};
    const std::size_t padding = size - jpeg.size();
    const std::size_t segments = (padding + 65536) / 65537;
    const std::size_t payload = padding - 4 * segments;
    std::string body;
    body.reserve(padding);
    for (std::size_t i = 0; i < segments; ++i) {
        const std::size_t n = payload / segments + (i < payload % segments ? 1 : 0);
        body += '\xFF';
        body += '\xFE';
        body += static_cast<char>(((n + 2) >> 8) & 0xFF);
        body += static_cast<char>((n + 2) & 0xFF);
        body.append(n, 'q');
    }
    return jpeg.substr(0, 2) + body + jpeg.substr(2);
}

// The pictures of /pictures/kind/ by name; false for an unknown name.
bool kindPicture(const Served& served, const std::string& name, std::string& bytes)
{
    if (name == "photo.jpg") {
        bytes = jpegWithComment(served, "photo");
    } else if (name == "back.gif" || name == "pixel.gif") {
        bytes = served.fixture("pixel.gif");
    } else if (name == "png404.png" || name == "pixel.bmp" || name == "pixel.webp" || name == "pixel.tif") {
        bytes = served.fixture(name);
    } else if (name == "unknown.bin") {
        bytes = std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C quorvel raw data", 29);
    } else if (name.rfind("placeholder", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == ".gif") {
        bytes = placeholder();
    } else if (name == "empty.jpg") {
        bytes.clear();
    } else {
        return false;
    }
    return true;
}

void count(const Served& served, const Request& request)
{
    served.state->hit("pictures:" + request.path);
}

void sendPicture(Response& response, const std::string& bytes, const char* type = "image/jpeg")
{
    response.set_content(bytes, type);
}

void notFound(Response& response)
{
    response.status = 404;
    response.set_content("404 Not Found", "text/plain");
}

void sendFixtureTemplate(const Served& served, Response& response, const std::string& name, const char* type)
{
    const std::string text = served.fixture(name);
    if (text.empty()) {
        notFound(response);
        return;
    }
    response.set_content(fillTemplate(served, text), type);
}

}  // namespace

VQ_MARKETPLACE_ROUTES(pictures)
{
    const Served served{routes.fixtureRoot(), &routes.state()};

    routes.get(R"(/offer/(2002\d+)\.html)", [served](const Request& request, Response& response) {
        sendFixtureTemplate(served, response, "page-" + request.matches[1].str() + ".html", "text/html; charset=GBK");
    });

    routes.get(R"(/pictures/desc/(\d+)\.js)", [served](const Request& request, Response& response) {
        count(served, request);
        sendFixtureTemplate(served, response, "desc-" + request.matches[1].str() + ".js",
                            "application/javascript; charset=GBK");
    });

    routes.get(R"(/pictures/(main|sku)/(\d+)/(\d+)\.jpg)", [served](const Request& request, Response& response) {
        count(served, request);
        sendPicture(response, jpegWithComment(served, request.matches[1].str() + " " + request.matches[2].str() + " " +
                                                          request.matches[3].str()));
    });

    routes.get(R"(/pictures/kind/([A-Za-z0-9_.-]+))", [served](const Request& request, Response& response) {
        count(served, request);
        std::string bytes;
        if (!kindPicture(served, request.matches[1].str(), bytes)) {
            notFound(response);
            return;
        }
        sendPicture(response, bytes, "application/octet-stream");
    });

    routes.get(R"(/pictures/slow/(\d+)/([A-Za-z0-9_.-]+))", [served](const Request& request, Response& response) {
        count(served, request);
        const long long ms = std::min(std::stoll(request.matches[1].str()), 60000LL);
        served.state->sleepFor(std::chrono::milliseconds(ms));
        std::string bytes;
        if (!kindPicture(served, request.matches[2].str(), bytes)) {
            notFound(response);
            return;
        }
        sendPicture(response, bytes, "application/octet-stream");
    });

    routes.get(R"(/pictures/flaky/([A-Za-z0-9_-]+)\.jpg)", [served](const Request& request, Response& response) {
        count(served, request);
        if (served.state->hit("pictures-flaky:" + request.matches[1].str()) == 1) {
            sendPicture(response, placeholder(), "image/gif");
            return;
        }
        sendPicture(response, jpegWithComment(served, "flaky " + request.matches[1].str()));
    });

    routes.get(R"(/pictures/query\.jpg)", [served](const Request& request, Response& response) {
        count(served, request);
        if (request.get_param_value("a") != "1" || request.get_param_value("b") != "2" || request.has_param("amp;b")) {
            notFound(response);
            return;
        }
        sendPicture(response, jpegWithComment(served, "query a=1 b=2"));
    });

    routes.get(R"(/pictures/size/(\d{1,9})\.jpg)", [served](const Request& request, Response& response) {
        count(served, request);
        const std::string bytes = jpegOfSize(served, static_cast<std::size_t>(std::stoull(request.matches[1].str())));
        if (bytes.empty()) {
            notFound(response);
            return;
        }
        sendPicture(response, bytes);
    });
}
