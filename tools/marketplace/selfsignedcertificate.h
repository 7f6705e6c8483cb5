// A self-signed certificate for 127.0.0.1 and localhost, made fresh at
// start-up so no key ever lives in the repository.
#pragma once

#include <string>

namespace vq::market {

struct SelfSignedCertificate {
    std::string certificatePem;
    std::string privateKeyPem;
};

// Generates an EC P-256 key and a certificate valid for a year (from one
// hour ago) whose subject alternative names are IP 127.0.0.1 and DNS
// localhost. Returns false and sets error when OpenSSL fails.
bool makeSelfSignedCertificate(SelfSignedCertificate& out, std::string& error);

}  // namespace vq::market
