#include "support/marketplaceenv.h"

#include <gtest/gtest.h>

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

}  // namespace vq::test
