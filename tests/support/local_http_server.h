// A tiny HTTP server on 127.0.0.1 (an ephemeral port) for the download and update-check tests. It
// answers one connection at a time on its own thread, each by what the test's handler returns
// for the requested path.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

namespace qb::test {

struct HttpReply {
    HttpReply(int status = 200, std::string body = {}, std::string headers = {})
        : status(status), body(std::move(body)), headers(std::move(headers)) {}

    int status;
    std::string body;
    std::string headers;  // more header lines, each ending in "\r\n"
    // Sends the headers and this many bytes of the body, then nothing more until the client
    // gives up (0: the whole body).
    std::size_t stallAfter = 0;
    // With stallAfter: the rest of the body follows a byte at a time, this many milliseconds
    // apart, instead of never (0).
    int trickleMs = 0;
    bool silent = false;  // accepts the request and never answers
};

class LocalHttpServer {
public:
    using Handler = std::function<HttpReply(const std::string& path)>;

    explicit LocalHttpServer(Handler handler) : m_handler(std::move(handler)) {
        m_listen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_listen < 0 || bind(m_listen, Addr(address), length) != 0 ||
            listen(m_listen, 8) != 0 || getsockname(m_listen, Addr(address), &length) != 0)
            throw std::runtime_error("cannot listen on 127.0.0.1");
        m_port = ntohs(address.sin_port);
        m_thread = std::thread([this] { Serve(); });
    }

    ~LocalHttpServer() {
        m_stop = true;
        m_thread.join();
        close(m_listen);
    }

    std::string Url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + path;
    }
    int Requests() const { return m_requests; }

private:
    static sockaddr* Addr(sockaddr_in& a) { return reinterpret_cast<sockaddr*>(&a); }

    // Waits up to 50 ms for `fd` to become readable; false when the server is stopping.
    bool WaitReadable(int fd, bool& ready) const {
        pollfd p{fd, POLLIN, 0};
        ready = poll(&p, 1, 50) > 0;
        return !m_stop;
    }

    void Serve() {
        bool ready = false;
        while (WaitReadable(m_listen, ready)) {
            if (!ready) continue;
            const int client = accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) continue;
            Answer(client);
            close(client);
        }
    }

    void Answer(int client) {
        std::string request;
        bool ready = false;
        while (request.find("\r\n\r\n") == std::string::npos && WaitReadable(client, ready)) {
            if (!ready) continue;
            char buffer[1024];
            const ssize_t n = recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) return;
            request.append(buffer, static_cast<std::size_t>(n));
        }
        ++m_requests;
        const std::size_t pathStart = request.find(' ') + 1;
        const HttpReply reply =
            m_handler(request.substr(pathStart, request.find(' ', pathStart) - pathStart));
        if (!reply.silent) {
            std::string head = "HTTP/1.1 " + std::to_string(reply.status) +
                               " X\r\nContent-Length: " + std::to_string(reply.body.size()) +
                               "\r\nConnection: close\r\n" + reply.headers + "\r\n";
            const std::size_t bodyBytes = reply.stallAfter ? reply.stallAfter : reply.body.size();
            if (!Send(client, head + reply.body.substr(0, bodyBytes))) return;
            if (!reply.stallAfter) return;
            if (reply.trickleMs > 0) {
                Trickle(client, reply.body.substr(bodyBytes), reply.trickleMs);
                return;
            }
        }
        // Hold the connection open, saying nothing, until the client closes it.
        while (WaitReadable(client, ready)) {
            char buffer[256];
            if (ready && recv(client, buffer, sizeof buffer, 0) <= 0) return;
        }
    }

    // Sends `rest` a byte every `ms` milliseconds until it is sent or the client has gone.
    void Trickle(int client, const std::string& rest, int ms) const {
        for (char byte : rest) {
            pollfd p{client, POLLIN, 0};
            if (m_stop || poll(&p, 1, ms) != 0) return;  // stopping, or the client closed
            if (!Send(client, std::string(1, byte))) return;
        }
    }

    static bool Send(int client, const std::string& bytes) {
        std::size_t sent = 0;
        while (sent < bytes.size()) {
            const ssize_t n = send(client, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
            if (n <= 0) return false;
            sent += static_cast<std::size_t>(n);
        }
        return true;
    }

    Handler m_handler;
    int m_listen = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_requests{0};
    std::thread m_thread;
};

}  // namespace qb::test
