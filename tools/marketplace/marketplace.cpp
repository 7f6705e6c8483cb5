#include "marketplace.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include <openssl/bio.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

#include "exchangeserver.h"
#include "routes.h"
#include "selfsignedcertificate.h"
#include "sharedstate.h"

namespace vq::market {
namespace {

SSL_CTX* makeTlsContext(const SelfSignedCertificate& certificate, std::string& error)
{
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    if (!context) {
        error = "cannot create the TLS context";
        return nullptr;
    }
    SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
    BIO* certBio = BIO_new_mem_buf(certificate.certificatePem.data(), static_cast<int>(certificate.certificatePem.size()));
    BIO* keyBio = BIO_new_mem_buf(certificate.privateKeyPem.data(), static_cast<int>(certificate.privateKeyPem.size()));
    X509* cert = certBio ? PEM_read_bio_X509(certBio, nullptr, nullptr, nullptr) : nullptr;
    EVP_PKEY* key = keyBio ? PEM_read_bio_PrivateKey(keyBio, nullptr, nullptr, nullptr) : nullptr;
    const bool ok = cert && key && SSL_CTX_use_certificate(context, cert) == 1
        && SSL_CTX_use_PrivateKey(context, key) == 1 && SSL_CTX_check_private_key(context) == 1;
    X509_free(cert);
    EVP_PKEY_free(key);
    BIO_free(certBio);
    BIO_free(keyBio);
    if (!ok) {
        error = "cannot load the generated certificate";
        SSL_CTX_free(context);
        return nullptr;
    }
    return context;
}

std::filesystem::path makeTempDir()
{
    std::random_device random;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path candidate = base / ("vq-marketplace-" + std::to_string(random()));
        std::error_code ec;
        if (std::filesystem::create_directory(candidate, ec))
            return candidate;
    }
    return {};
}

void installOn(ExchangeServer& server, const Routes& routes)
{
    for (const Route& route : routes.all()) {
        SharedState* state = &routes.state();
        Handler recorded = [state, handler = route.handler](const Request& request, Response& response) {
            const Exchange* exchange = currentExchange();
            state->record({exchange && exchange->secure(), request.method, request.target,
                           exchange ? exchange->rawHead() : std::string(), request.body});
            handler(request, response);
        };
        if (route.method == "GET")
            server.Get(route.pattern, recorded);
        else if (route.method == "POST")
            server.Post(route.pattern, recorded);
        else if (route.method == "PUT")
            server.Put(route.pattern, recorded);
        else if (route.method == "DELETE")
            server.Delete(route.pattern, recorded);
        else if (route.method == "OPTIONS")
            server.Options(route.pattern, recorded);
    }
}

bool bindServer(ExchangeServer& server, int wanted, int& bound, std::string& error, const char* name)
{
    if (wanted == 0) {
        bound = server.bind_to_any_port("127.0.0.1");
    } else {
        bound = server.bind_to_port("127.0.0.1", wanted) ? wanted : -1;
    }
    if (bound <= 0) {
        error = std::string("cannot listen for ") + name + " on 127.0.0.1:" + std::to_string(wanted);
        return false;
    }
    return true;
}

}  // namespace

Marketplace::Marketplace() : Marketplace(Settings{}) {}

Marketplace::Marketplace(Settings settings) : m_settings(std::move(settings)), m_state(std::make_unique<SharedState>()) {}

Marketplace::~Marketplace()
{
    stop();
    if (m_tlsContext)
        SSL_CTX_free(static_cast<SSL_CTX*>(m_tlsContext));
    if (!m_tempDir.empty()) {
        std::error_code ec;
        std::filesystem::remove_all(m_tempDir, ec);
    }
}

std::filesystem::path Marketplace::defaultFixtureRoot()
{
    return VQ_MARKETPLACE_FIXTURES;
}

bool Marketplace::start(std::string& error)
{
    if (m_running)
        return true;
    // A client that drops a connection must not end the process while a
    // TLS answer is still being written.
    std::signal(SIGPIPE, SIG_IGN);

    SelfSignedCertificate certificate;
    if (!makeSelfSignedCertificate(certificate, error))
        return false;
    auto* context = makeTlsContext(certificate, error);
    if (!context)
        return false;
    if (m_tlsContext)
        SSL_CTX_free(static_cast<SSL_CTX*>(m_tlsContext));
    m_tlsContext = context;

    if (m_tempDir.empty())
        m_tempDir = makeTempDir();
    if (m_tempDir.empty()) {
        error = "cannot create a temporary folder for the certificate";
        return false;
    }
    m_certificateFile = m_tempDir / "stand-in-certificate.pem";
    {
        std::ofstream out(m_certificateFile, std::ios::binary | std::ios::trunc);
        out << certificate.certificatePem;
        if (!out) {
            error = "cannot write " + m_certificateFile.string();
            return false;
        }
    }

    m_http = std::make_unique<ExchangeServer>(nullptr);
    m_https = std::make_unique<ExchangeServer>(context);
    Routes routes(m_settings.fixtureRoot, *m_state);
    installAllRoutes(routes);
    installOn(*m_http, routes);
    installOn(*m_https, routes);

    if (!bindServer(*m_http, m_settings.httpPort, m_httpPort, error, "http")
        || !bindServer(*m_https, m_settings.httpsPort, m_httpsPort, error, "https")) {
        m_http.reset();
        m_https.reset();
        return false;
    }
    m_state->setBases(httpBase(), httpsBase());

    m_httpThread = std::thread([this] { m_http->listen_after_bind(); });
    m_httpsThread = std::thread([this] { m_https->listen_after_bind(); });
    // stop() only works once the servers run, so wait for them (boundedly:
    // a server whose listening fails never runs).
    m_running = true;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!m_http->is_running() || !m_https->is_running()) {
        if (std::chrono::steady_clock::now() > until) {
            error = "the servers did not start listening";
            m_state->beginStop();
            m_http->stop();
            m_https->stop();
            // A server that failed has returned from listening already.
            m_httpThread.join();
            m_httpsThread.join();
            m_running = false;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

void Marketplace::stop()
{
    if (!m_running)
        return;
    m_state->beginStop();
    m_http->stop();
    m_https->stop();
    if (m_httpThread.joinable())
        m_httpThread.join();
    if (m_httpsThread.joinable())
        m_httpsThread.join();
    m_running = false;
}

std::string Marketplace::httpBase() const
{
    return "http://127.0.0.1:" + std::to_string(m_httpPort);
}

std::string Marketplace::httpsBase() const
{
    return "https://127.0.0.1:" + std::to_string(m_httpsPort);
}

std::string Marketplace::endpointsIni() const
{
    const std::string https = httpsBase();
    const std::string http = httpBase();
    std::ostringstream ini;
    ini << "; Every service on the stand-in marketplace.\n"
        << "[endpoints]\n"
        << "detail=" << https << "\n"
        << "tmall_detail=" << https << "\n"
        << "posting=" << https << "\n"
        << "spu=" << https << "\n"
        << "login=" << https << "\n"
        << "workbench=" << https << "/workbench/\n"
        << "category_search=" << https << "\n"
        << "props_tool=" << http << "\n"
        << "mirror=" << http << "\n"
        << "vendor=" << http << "\n";
    return ini.str();
}

}  // namespace vq::market
