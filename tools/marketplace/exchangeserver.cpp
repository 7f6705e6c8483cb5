#include "exchangeserver.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <string>

#include "routes.h"

namespace vq::market {

void setCurrentExchange(Exchange* exchange);

namespace {

constexpr int kReadTimeoutMs = 10000;
constexpr int kWriteTimeoutMs = 10000;
constexpr int kKeepAliveIdleMs = 5000;
constexpr int kKeepAliveMaxRequests = 100;
constexpr std::size_t kMaxUnexpectedBody = 16u << 20;

bool waitFor(int sock, short events, int timeoutMs)
{
    pollfd descriptor{sock, events, 0};
    int result = 0;
    do {
        result = ::poll(&descriptor, 1, timeoutMs);
    } while (result < 0 && errno == EINTR);
    return result > 0;
}

void addressOf(const sockaddr_storage& address, std::string& ip, int& port)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto* in4 = reinterpret_cast<const sockaddr_in*>(&address);
        ::inet_ntop(AF_INET, &in4->sin_addr, text, sizeof text);
        port = ntohs(in4->sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto* in6 = reinterpret_cast<const sockaddr_in6*>(&address);
        ::inet_ntop(AF_INET6, &in6->sin6_addr, text, sizeof text);
        port = ntohs(in6->sin6_port);
    }
    ip = text;
}

// One connection, plain or TLS, with a small read buffer and a record of
// the bytes handed to the parser since the last beginRequest().
class ConnectionStream : public httplib::Stream {
public:
    ConnectionStream(int sock, SSL* ssl) : m_sock(sock), m_ssl(ssl) {}

    bool is_readable() const override
    {
        return buffered() > 0 || (m_ssl && SSL_pending(m_ssl) > 0) || waitFor(m_sock, POLLIN, kReadTimeoutMs);
    }

    bool is_writable() const override { return !m_exchange.resetRequested() && waitFor(m_sock, POLLOUT, kWriteTimeoutMs); }

    ssize_t read(char* ptr, size_t size) override
    {
        if (buffered() == 0 && !fill())
            return m_eof ? 0 : -1;
        const std::size_t n = std::min(size, buffered());
        std::copy_n(m_buffer.data() + m_pos, n, ptr);
        if (m_recording)
            m_record.append(m_buffer.data() + m_pos, n);
        m_pos += n;
        return static_cast<ssize_t>(n);
    }

    ssize_t write(const char* ptr, size_t size) override
    {
        if (m_exchange.resetRequested())
            return -1;
        if (!waitFor(m_sock, POLLOUT, kWriteTimeoutMs))
            return -1;
        if (m_ssl) {
            const int written = SSL_write(m_ssl, ptr, static_cast<int>(std::min<size_t>(size, INT_MAX)));
            return written > 0 ? written : -1;
        }
        ssize_t written = 0;
        do {
            written = ::send(m_sock, ptr, size, MSG_NOSIGNAL);
        } while (written < 0 && errno == EINTR);
        return written;
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override
    {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        if (::getpeername(m_sock, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            addressOf(address, ip, port);
    }

    void get_local_ip_and_port(std::string& ip, int& port) const override
    {
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        if (::getsockname(m_sock, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            addressOf(address, ip, port);
    }

    socket_t socket() const override { return m_sock; }

    std::size_t buffered() const { return m_length - m_pos; }
    bool hasPending() const { return buffered() > 0 || (m_ssl && SSL_pending(m_ssl) > 0); }
    bool eof() const { return m_eof; }

    void beginRequest()
    {
        m_record.clear();
        m_recording = true;
    }
    std::string endRecording()
    {
        m_recording = false;
        return std::move(m_record);
    }

    // Reads exactly size bytes (a body the parser would leave unread).
    bool readExactly(std::string& out, std::size_t size)
    {
        out.clear();
        char chunk[16384];
        while (out.size() < size) {
            const ssize_t n = read(chunk, std::min(sizeof chunk, size - out.size()));
            if (n <= 0)
                return false;
            out.append(chunk, static_cast<std::size_t>(n));
        }
        return true;
    }

    Exchange& exchange() { return m_exchange; }

private:
    bool fill()
    {
        if (!is_readable())
            return false;
        ssize_t n = 0;
        if (m_ssl) {
            n = SSL_read(m_ssl, m_buffer.data(), static_cast<int>(m_buffer.size()));
            if (n <= 0) {
                const int reason = SSL_get_error(m_ssl, static_cast<int>(n));
                m_eof = reason == SSL_ERROR_ZERO_RETURN;
                return false;
            }
        } else {
            do {
                n = ::recv(m_sock, m_buffer.data(), m_buffer.size(), 0);
            } while (n < 0 && errno == EINTR);
            if (n <= 0) {
                m_eof = n == 0;
                return false;
            }
        }
        m_pos = 0;
        m_length = static_cast<std::size_t>(n);
        return true;
    }

    int m_sock;
    SSL* m_ssl;
    std::array<char, 16384> m_buffer{};
    std::size_t m_pos = 0;
    std::size_t m_length = 0;
    bool m_eof = false;
    bool m_recording = false;
    std::string m_record;
    Exchange m_exchange;
};

bool expectsBodyInParser(const std::string& method)
{
    return method == "POST" || method == "PUT" || method == "PATCH" || method == "PRI" || method == "DELETE";
}

}  // namespace

ExchangeServer::ExchangeServer(SSL_CTX* tlsContext) : m_tls(tlsContext)
{
    // Slow routes hold a worker each; leave plenty for the other requests.
    new_task_queue = [] { return new httplib::ThreadPool(48); };
    // Address reuse only: cpp-httplib's default also sets SO_REUSEPORT,
    // which would let a second server share a fixed port unnoticed.
    set_socket_options([](socket_t sock) {
        int yes = 1;
        ::setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
}

bool ExchangeServer::process_and_close_socket(socket_t sock)
{
    // Answers go out in several small writes (TLS records especially);
    // without this, delayed acknowledgements stall each exchange.
    int noDelay = 1;
    ::setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);

    SSL* ssl = nullptr;
    if (m_tls) {
        // A client that never completes the handshake must not hold the worker.
        timeval timeout{kReadTimeoutMs / 1000, 0};
        ::setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        ::setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
        ssl = SSL_new(m_tls);
        if (!ssl || SSL_set_fd(ssl, sock) != 1 || SSL_accept(ssl) != 1) {
            if (ssl)
                SSL_free(ssl);
            ::close(sock);
            return false;
        }
    }

    ConnectionStream stream(sock, ssl);
    const bool secure = ssl != nullptr;
    bool reset = false;
    for (int served = 0; served < kKeepAliveMaxRequests; ++served) {
        // Wait for the next request in short slices so that stopping the
        // server ends idle keep-alive connections promptly.
        bool readable = stream.hasPending();
        for (int waited = 0; !readable && waited < kKeepAliveIdleMs && svr_sock_ != INVALID_SOCKET; waited += 100)
            readable = waitFor(sock, POLLIN, 100);
        if (!readable || svr_sock_ == INVALID_SOCKET)
            break;

        stream.beginRequest();
        bool connectionClosed = false;
        setCurrentExchange(&stream.exchange());
        const bool ok = process_request(stream, served + 1 == kKeepAliveMaxRequests, connectionClosed,
            [&](httplib::Request& request) {
                stream.exchange().begin(secure, stream.endRecording());
                request.ssl = ssl;
                // cpp-httplib reads no body for GET or HEAD; a request that
                // sends one anyway gets it read here so handlers see it.
                if (!expectsBodyInParser(request.method) && request.has_header("Content-Length")) {
                    const std::string text = request.get_header_value("Content-Length");
                    if (!text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos) {
                        const std::size_t length = std::stoul(text);
                        if (length <= kMaxUnexpectedBody)
                            stream.readExactly(request.body, length);
                    }
                }
            });
        setCurrentExchange(nullptr);
        reset = stream.exchange().resetRequested();
        if (!ok || connectionClosed || reset || stream.eof())
            break;
    }

    if (ssl) {
        if (!reset)
            SSL_shutdown(ssl);
        SSL_free(ssl);
    }
    if (reset) {
        // Closing with a zero linger time sends a reset instead of a FIN.
        linger hard{1, 0};
        ::setsockopt(sock, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    } else {
        ::shutdown(sock, SHUT_RDWR);
    }
    ::close(sock);
    return true;
}

}  // namespace vq::market
