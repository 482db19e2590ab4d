#pragma once

// Sends one HTTP request and waits for the whole answer. Blocks the calling thread for at most
// the request's time-out; implementations may be used from several threads at once.

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "TarnKit/Foundation/Result.h"

namespace tarn {

struct HttpRequest {
    std::string method;
    std::string url;
    std::vector<std::pair<std::string, std::string>> headers; // sent in this order
    std::string body;
    std::chrono::seconds timeout {25};
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
