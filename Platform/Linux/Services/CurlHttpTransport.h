#pragma once

// The HTTP client over libcurl. Only http and https are spoken, also after a redirect; redirects
// are not followed at all, so a 3xx reaches the caller as it is (a moved form endpoint must not
// silently turn a POST into a GET, nor carry a key to another host). The answer is bounded: a
// successful one whose body is longer than kMaxResponseBytes fails the request, any other keeps
// its status with its body cut at that length (an error answer is read for its start), and
// headers longer than kMaxHeaderBytes, or a header line longer than curl takes, fail it with that
// reason and the status. The time-out counts in milliseconds, and a stop request from another
// thread ends the transfer at once. Each request has its own handles, so the transport may be
// used from several threads at once.

#include <cstddef>

#include "TarnKit/Feedback/HttpTransport.h"

namespace tarn {

class CurlHttpTransport final : public HttpTransport {
public:
    // A successful answer longer than this fails the request rather than filling memory.
    static constexpr std::size_t kMaxResponseBytes = 1024 * 1024;
    // All header lines of an answer together.
    static constexpr std::size_t kMaxHeaderBytes = 256 * 1024;

    CurlHttpTransport();

    Result<HttpResponse, std::string> send(const HttpRequest& request) override;
};

} // namespace tarn
