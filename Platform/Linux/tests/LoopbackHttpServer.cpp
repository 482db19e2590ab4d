#include "Platform/Linux/tests/LoopbackHttpServer.h"

#include <cstdint>
#include <cstdlib>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tarn {
namespace {

constexpr int kLongestWaitMs = 10'000;
constexpr std::size_t kLongestRequest = 64 * 1024 * 1024;

} // namespace

LoopbackHttpServer::LoopbackHttpServer(std::optional<std::string> answer)
    : m_answer(std::move(answer))
{
    // A proxy from the environment would carry the request away from the loopback address. Set
    // before the server's thread starts, while no request is running in this process.
    ::setenv("no_proxy", "127.0.0.1", 1);
    ::setenv("NO_PROXY", "127.0.0.1", 1);
    m_stop = UniqueFd::adopt(::eventfd(0, EFD_CLOEXEC));
    m_listener = UniqueFd::adopt(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (!m_stop || !m_listener || ::bind(m_listener.get(), reinterpret_cast<sockaddr*>(&address), length) != 0
        || ::listen(m_listener.get(), 4) != 0
        || ::getsockname(m_listener.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    m_port = ntohs(address.sin_port);
    m_thread = std::thread([this] { serveOnce(); });
}

LoopbackHttpServer::~LoopbackHttpServer()
{
    if (m_thread.joinable()) {
        const std::uint64_t one = 1;
        (void)::write(m_stop.get(), &one, sizeof(one));
        m_thread.join();
    }
}

std::string LoopbackHttpServer::url(std::string_view path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + std::string(path);
}

bool LoopbackHttpServer::waitForRequest(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_lock);
    return m_received.wait_for(lock, limit, [this] { return m_hasRequest; });
}

std::string LoopbackHttpServer::request()
{
    if (m_answer && m_thread.joinable()) {
        m_thread.join();
    }
    std::lock_guard lock(m_lock);
    return m_request;
}

bool LoopbackHttpServer::hasWaitingConnection() const
{
    pollfd entry {m_listener.get(), POLLIN, 0};
    return ::poll(&entry, 1, 0) == 1;
}

std::string LoopbackHttpServer::answer(
    std::string_view statusLine, std::string_view body, std::string_view extraHeaders)
{
    return std::string(statusLine) + "\r\nContent-Type: application/json\r\n" + std::string(extraHeaders)
        + "Content-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + std::string(body);
}

bool LoopbackHttpServer::waitReadable(int fd) const
{
    pollfd entries[] {{fd, POLLIN, 0}, {m_stop.get(), POLLIN, 0}};
    return ::poll(entries, 2, kLongestWaitMs) > 0 && (entries[0].revents & POLLIN) != 0
        && (entries[1].revents & POLLIN) == 0;
}

void LoopbackHttpServer::markReceived()
{
    std::lock_guard lock(m_lock);
    m_hasRequest = true;
    m_received.notify_all();
}

void LoopbackHttpServer::readRequest(int client)
{
    std::string request;
    std::size_t expected = std::string::npos;
    char buffer[65536];
    while (request.size() < expected && request.size() < kLongestRequest && waitReadable(client)) {
        const ssize_t got = ::read(client, buffer, sizeof(buffer));
        if (got <= 0) {
            break;
        }
        request.append(buffer, static_cast<std::size_t>(got));
        const auto headerEnd = request.find("\r\n\r\n");
        if (expected == std::string::npos && headerEnd != std::string::npos) {
            const auto lengthAt = request.find("Content-Length: ");
            const std::size_t bodyLength = lengthAt < headerEnd ? std::stoul(request.substr(lengthAt + 16)) : 0;
            expected = headerEnd + 4 + bodyLength;
        }
    }
    std::lock_guard lock(m_lock);
    m_request = std::move(request);
}

void LoopbackHttpServer::serveOnce()
{
    if (!waitReadable(m_listener.get())) {
        return;
    }
    const UniqueFd client = UniqueFd::adopt(::accept4(m_listener.get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!client) {
        return;
    }
    readRequest(client.get());
    markReceived();
    if (!m_answer) {
        // Silent: the connection stays open until the test is done with it.
        pollfd stop {m_stop.get(), POLLIN, 0};
        (void)::poll(&stop, 1, kLongestWaitMs);
        return;
    }
    std::size_t written = 0;
    while (written < m_answer->size()) {
        const ssize_t sent = ::send(client.get(), m_answer->data() + written, m_answer->size() - written, MSG_NOSIGNAL);
        if (sent <= 0) {
            break;
        }
        written += static_cast<std::size_t>(sent);
    }
}

} // namespace tarn
