// A cpp-httplib server that handles its connections itself: it keeps the
// raw request head for the handlers (header order and spelling), reads a
// body sent with GET or HEAD, can reset a connection instead of answering,
// and speaks TLS through its own OpenSSL context. Routing, parsing and
// response writing stay cpp-httplib's.
#pragma once

#include <httplib.h>

#include <openssl/ssl.h>

namespace vq::market {

class ExchangeServer : public httplib::Server {
public:
    // tlsContext: null for plain HTTP; otherwise the server speaks TLS with
    // it (the context must outlive the server).
    explicit ExchangeServer(SSL_CTX* tlsContext);

private:
    bool process_and_close_socket(socket_t sock) override;

    SSL_CTX* m_tls;
};

}  // namespace vq::market
