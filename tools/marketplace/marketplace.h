// The stand-in marketplace: one set of routes served on an HTTP and an HTTPS
// server bound to 127.0.0.1, for the tests and the demo. The HTTPS server
// uses a self-signed certificate made at start-up; clients that should
// trust it are given certificateFile() as their CA file.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <thread>

namespace vq::market {

class SharedState;
class ExchangeServer;

class Marketplace {
public:
    struct Settings {
        int httpPort = 0;   // 0: an ephemeral port
        int httpsPort = 0;  // 0: an ephemeral port
        std::filesystem::path fixtureRoot = defaultFixtureRoot();
    };

    Marketplace();
    explicit Marketplace(Settings settings);
    ~Marketplace();
    Marketplace(const Marketplace&) = delete;
    Marketplace& operator=(const Marketplace&) = delete;

    // Generates the certificate, installs every area's routes and starts
    // both servers. False with error set when a port cannot be bound or
    // OpenSSL fails.
    bool start(std::string& error);
    // Stops both servers (ending slow answers early) and waits for them.
    void stop();
    bool running() const { return m_running; }

    int httpPort() const { return m_httpPort; }
    int httpsPort() const { return m_httpsPort; }
    std::string httpBase() const;   // "http://127.0.0.1:P"
    std::string httpsBase() const;  // "https://127.0.0.1:P"
    // The text of an endpoints INI pointing every service at this server.
    std::string endpointsIni() const;
    // The self-signed certificate (PEM) of the HTTPS server.
    const std::filesystem::path& certificateFile() const { return m_certificateFile; }
    const std::filesystem::path& fixtureRoot() const { return m_settings.fixtureRoot; }

    SharedState& state() { return *m_state; }

    // tools/marketplace/fixtures in the source tree.
    static std::filesystem::path defaultFixtureRoot();

private:
    Settings m_settings;
    std::unique_ptr<SharedState> m_state;
    std::unique_ptr<ExchangeServer> m_http;
    std::unique_ptr<ExchangeServer> m_https;
    void* m_tlsContext = nullptr;  // SSL_CTX, kept opaque here
    std::thread m_httpThread;
    std::thread m_httpsThread;
    std::filesystem::path m_tempDir;
    std::filesystem::path m_certificateFile;
    int m_httpPort = 0;
    int m_httpsPort = 0;
    bool m_running = false;
};

}  // namespace vq::market
