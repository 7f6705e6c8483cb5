#include "support/marketplaceenv.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <mutex>

namespace vq::test {
namespace {

// Owned by GoogleTest once registered, which stops the servers after the
// last test and before static destruction.
class MarketplaceEnvironment : public ::testing::Environment {
public:
    void TearDown() override { m_marketplace.stop(); }
    vq::market::Marketplace& marketplace() { return m_marketplace; }

private:
    vq::market::Marketplace m_marketplace;
};

MarketplaceEnvironment* g_environment = nullptr;
std::once_flag g_started;

}  // namespace

vq::market::Marketplace& marketplace()
{
    std::call_once(g_started, [] {
        auto* environment = new MarketplaceEnvironment;
        ::testing::AddGlobalTestEnvironment(environment);
        std::string error;
        if (!environment->marketplace().start(error)) {
            std::cerr << "cannot start the stand-in marketplace: " << error << std::endl;
            std::abort();
        }
        g_environment = environment;
    });
    return g_environment->marketplace();
}

config::Endpoints standInEndpoints()
{
    config::Endpoints endpoints;
    std::string error;
    if (!config::parseEndpoints(marketplace().endpointsIni(), endpoints, error)) {
        ADD_FAILURE() << "stand-in endpoints do not parse: " << error;
    }
    return endpoints;
}

std::filesystem::path standInCertificate()
{
    return marketplace().certificateFile();
}

web::WebClientSettings standInClientSettings()
{
    web::WebClientSettings settings;
    settings.trustedCaFile = standInCertificate();
    return settings;
}

int unusedLoopbackPort()
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    int port = 0;
    if (sock >= 0 && ::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::getsockname(sock, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    if (sock >= 0)
        ::close(sock);
    return port;
}

}  // namespace vq::test
