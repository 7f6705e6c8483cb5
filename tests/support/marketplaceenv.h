// The stand-in marketplace for tests: started once per test executable, on
// ephemeral ports of 127.0.0.1, the first time a test asks for it, and
// stopped when the executable ends.
#pragma once

#include <filesystem>

#include "config/endpoints.h"
#include "web/webclient.h"
#include "marketplace.h"

namespace vq::test {

// The running stand-in; a test fails (and the executable stops) when it
// cannot be started.
vq::market::Marketplace& marketplace();

// Endpoints pointing every service at the stand-in.
config::Endpoints standInEndpoints();

// The stand-in's self-signed certificate, for clients that should trust it.
std::filesystem::path standInCertificate();

// Web client settings that trust the stand-in's certificate.
web::WebClientSettings standInClientSettings();

// A port of 127.0.0.1 on which nothing listens (bound once, then closed),
// for requests that must find no server.
int unusedLoopbackPort();

}  // namespace vq::test
