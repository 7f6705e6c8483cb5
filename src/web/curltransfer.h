// One HTTP exchange over libcurl, and the redirect walk around it, shared by
// every request variant. Each call owns its easy handle (and with it every
// connection it opened) and cleans it up before returning.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace vq::web {

// A response body larger than this is a failure, never an allocation.
inline constexpr std::size_t kMaxBodyBytes = 64u << 20;

struct TransferSettings {
    std::string verb = "GET";                   // sent as is
    bool sendBody = false;
    std::string body;
    std::vector<std::string> headerLines;       // sent in this order, after Host
    std::string userAgent;                      // empty: none of curl's own either
    std::string proxy;                          // host:port; empty: direct, environment ignored
    std::string proxyUser;                      // with proxyPassword: proxy credentials
    std::string proxyPassword;
    std::string serverUser;                     // with serverPassword: server credentials
    std::string serverPassword;
    bool verifyCertificates = true;
    std::filesystem::path trustedCaFile;        // empty: the system's CA bundle
    bool plainHttpOnly = false;                 // refuse https (first hop and redirects)
    std::chrono::milliseconds connectTimeout{30000};
    std::chrono::milliseconds totalTimeout{300000};  // for the whole walk, redirects included
    long lowSpeedSeconds = 0;                   // > 0: fail when nothing moves for that long
    const std::atomic<bool>* abort = nullptr;   // set: the transfer stops at once
};

struct RedirectPolicy {
    bool follow = true;
    bool allowHttpsToHttp = true;
    int maxHops = 10;
};

struct TransferOutcome {
    bool ok = false;           // the last response was received completely
    long status = 0;
    std::string body;
    std::string headers;       // raw header block of the last response
    std::string finalAddress;
};

// Called before each hop with its address; returns the extra header lines
// for that hop (the Cookie line of the shared store, for example).
using HopHeaders = std::function<std::vector<std::string>(const std::string& address)>;
// Called with each response's address and raw header block, redirects included.
using HopResponse = std::function<void(const std::string& address, const std::string& headers)>;

TransferOutcome performTransfer(const std::string& address, const TransferSettings& settings,
                                const RedirectPolicy& redirects, const HopHeaders& hopHeaders = {},
                                const HopResponse& hopResponse = {});

// Percent-encodes the bytes an address may not carry raw (blanks, controls
// and non-ASCII bytes), leaving everything else as it is.
std::string encodeAddressBytes(const std::string& address);

}  // namespace vq::web
