#pragma once

// Sends one HTTP request and waits for the whole answer. Blocks the calling thread for at most
// the request's time-out, and ends at once when its cancellation is requested from another
// thread; implementations may be used from several threads at once. A redirect is an answer like
// any other and is never followed, so headers such as Authorization reach only the host asked.

#include <chrono>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

#include "TarnKit/Foundation/Basics/Result.h"

namespace tarn {

struct HttpRequest {
    std::string method;
    std::string url;
    std::vector<std::pair<std::string, std::string>> headers; // sent in this order
    std::string body;
    std::chrono::milliseconds timeout {std::chrono::seconds(25)};
    // Requesting a stop fails the request; the default token never stops.
    std::stop_token cancellation;
};

struct HttpResponse {
    int status = 0; // 0 when the answer was not HTTP
    std::string body;
};

class HttpTransport {
public:
    virtual ~HttpTransport() = default;

    // The answer, whatever its status, or a description of why no answer came.
    virtual Result<HttpResponse, std::string> send(const HttpRequest& request) = 0;
};

} // namespace tarn
