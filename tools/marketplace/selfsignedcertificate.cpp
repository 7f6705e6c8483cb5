#include "selfsignedcertificate.h"

#include <ctime>
#include <memory>

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

namespace vq::market {
namespace {

struct Free {
    void operator()(EVP_PKEY* p) const { EVP_PKEY_free(p); }
    void operator()(X509* p) const { X509_free(p); }
    void operator()(BIO* p) const { BIO_free(p); }
    void operator()(X509_EXTENSION* p) const { X509_EXTENSION_free(p); }
};

std::string lastOpenSslError(const char* what)
{
    char buffer[256] = {};
    ERR_error_string_n(ERR_get_error(), buffer, sizeof buffer);
    return std::string(what) + ": " + buffer;
}

bool addExtension(X509* certificate, int nid, const char* value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    std::unique_ptr<X509_EXTENSION, Free> extension(X509V3_EXT_conf_nid(nullptr, &context, nid, value));
    return extension && X509_add_ext(certificate, extension.get(), -1) == 1;
}

std::string bioText(BIO* bio)
{
    char* data = nullptr;
    const long size = BIO_get_mem_data(bio, &data);
    return size > 0 ? std::string(data, static_cast<std::size_t>(size)) : std::string();
}

}  // namespace

bool makeSelfSignedCertificate(SelfSignedCertificate& out, std::string& error)
{
    std::unique_ptr<EVP_PKEY, Free> key(EVP_EC_gen("P-256"));
    if (!key) {
        error = lastOpenSslError("key generation");
        return false;
    }
    std::unique_ptr<X509, Free> certificate(X509_new());
    if (!certificate) {
        error = lastOpenSslError("certificate");
        return false;
    }
    X509* cert = certificate.get();
    X509_set_version(cert, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert), static_cast<long>(std::time(nullptr)));
    X509_gmtime_adj(X509_getm_notBefore(cert), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert), 365L * 24 * 3600);
    X509_set_pubkey(cert, key.get());
    X509_NAME* name = X509_get_subject_name(cert);
    X509_NAME_add_entry_by_txt(name, "O", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("Vendquill stand-in"), -1, -1, 0);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    X509_set_issuer_name(cert, name);
    // The certificate is its own trust anchor for clients that are told to
    // trust it, hence the CA flag.
    if (!addExtension(cert, NID_basic_constraints, "critical,CA:TRUE")
        || !addExtension(cert, NID_key_usage, "critical,digitalSignature,keyCertSign")
        || !addExtension(cert, NID_ext_key_usage, "serverAuth")
        || !addExtension(cert, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost")
        || !addExtension(cert, NID_subject_key_identifier, "hash")) {
        error = lastOpenSslError("certificate extensions");
        return false;
    }
    if (X509_sign(cert, key.get(), EVP_sha256()) == 0) {
        error = lastOpenSslError("signing");
        return false;
    }
    std::unique_ptr<BIO, Free> certBio(BIO_new(BIO_s_mem()));
    std::unique_ptr<BIO, Free> keyBio(BIO_new(BIO_s_mem()));
    if (!certBio || !keyBio || PEM_write_bio_X509(certBio.get(), cert) != 1
        || PEM_write_bio_PrivateKey(keyBio.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) != 1) {
        error = lastOpenSslError("PEM encoding");
        return false;
    }
    out.certificatePem = bioText(certBio.get());
    out.privateKeyPem = bioText(keyBio.get());
    return true;
}

}  // namespace vq::market
