#pragma once

// Records every request and answers each with the one answer it was given.

#include <string>
#include <vector>

#include "TarnKit/Feedback/HttpTransport.h"

namespace tarn {

class FakeHttpTransport final : public HttpTransport {
public:
    Result<HttpResponse, std::string> send(const HttpRequest& request) override
    {
        m_requests.push_back(request);
        if (!m_failure.empty()) {
            return fail(m_failure);
        }
        return m_response;
    }

    void answer(int status, std::string body)
    {
        m_response = HttpResponse {status, std::move(body)};
        m_failure.clear();
    }
    // No answer at all, with this description.
    void failWith(std::string description) { m_failure = std::move(description); }

    const std::vector<HttpRequest>& requests() const { return m_requests; }

private:
    std::vector<HttpRequest> m_requests;
    HttpResponse m_response {200, "{}"};
    std::string m_failure;
};

} // namespace tarn
