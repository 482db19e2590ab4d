#pragma once

// A one-shot HTTP server on 127.0.0.1 for the HTTP client's tests: accepts one connection, reads
// one request and either writes the given answer or, without one, holds the connection silent
// until it is destroyed. Every wait is bounded, so a client that never comes cannot hang a test,
// and only the loopback address is ever listened on or reached (proxies are bypassed for it).

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "TarnKit/Foundation/Files/UniqueFd.h"

namespace tarn {

class LoopbackHttpServer {
public:
    // The answer to the request; none keeps the client waiting.
    explicit LoopbackHttpServer(std::optional<std::string> answer);
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;
    ~LoopbackHttpServer();

    // 0 when the server could not start.
    int port() const { return m_port; }
    std::string url(std::string_view path) const;

    // Whether the whole request has arrived within `limit`.
    bool waitForRequest(std::chrono::milliseconds limit);
    // What the client sent; complete once an answering server has answered.
    std::string request();
    // Whether another client is waiting to be let in: a retry or a followed redirect would be one.
    bool hasWaitingConnection() const;

    // A complete answer with a JSON content type, closing the connection.
    static std::string answer(std::string_view statusLine, std::string_view body, std::string_view extraHeaders = "");

private:
    void serveOnce();
    void readRequest(int client);
    // Until the descriptor can be read or the stop is signalled, at most 10 s.
    bool waitReadable(int fd) const;
    void markReceived();

    std::optional<std::string> m_answer;
    UniqueFd m_listener;
    UniqueFd m_stop; // an eventfd written by the destructor
    int m_port = 0;
    std::mutex m_lock;
    std::condition_variable m_received;
    bool m_hasRequest = false;
    std::string m_request;
    // Last, so that the thread is joined before anything it uses goes away.
    std::thread m_thread;
};

} // namespace tarn
