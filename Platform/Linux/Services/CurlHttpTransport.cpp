#include "Platform/Linux/Services/CurlHttpTransport.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <mutex>
#include <stop_token>
#include <string>
#include <string_view>

#include "TarnKit/Foundation/Files/CHandle.h"

#include <curl/curl.h>

namespace tarn {
namespace {

using CurlHandle = CHandle<CURL, curl_easy_cleanup>;
using CurlMultiHandle = CHandle<CURLM, curl_multi_cleanup>;
using CurlHeaders = CHandle<curl_slist, curl_slist_free_all>;

// One wait for the network at most; curl shortens it whenever one of its own timers is due.
constexpr std::chrono::milliseconds kLongestPoll {1000};

struct Download {
    CURL* handle = nullptr;
    std::string body;
    // A successful answer whose body passed the limit: refused whole.
    bool tooLarge = false;
    // Another answer whose body passed the limit: its status and the start of its body are kept,
    // which is all that anyone reads of an error answer.
    bool cut = false;
    std::size_t headerBytes = 0;
    bool headersTooLarge = false;
    // The last header line was the blank one that ends a block of headers.
    bool headersEnded = false;
};

long responseStatus(CURL* handle)
{
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

bool isSuccess(long status)
{
    return status >= 200 && status <= 299;
}

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& download = *static_cast<Download*>(user);
    const std::size_t bytes = size * count;
    if (download.body.size() + bytes > CurlHttpTransport::kMaxResponseBytes) {
        if (isSuccess(responseStatus(download.handle))) {
            download.tooLarge = true;
        } else {
            download.body.append(data, CurlHttpTransport::kMaxResponseBytes - download.body.size());
            download.cut = true;
        }
        return 0; // a short count makes curl abort the transfer
    }
    download.body.append(data, bytes);
    return bytes;
}

std::size_t countHeader(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& download = *static_cast<Download*>(user);
    const std::size_t bytes = size * count;
    download.headerBytes += bytes;
    if (download.headerBytes > CurlHttpTransport::kMaxHeaderBytes) {
        download.headersTooLarge = true;
        return 0;
    }
    const std::string_view line(data, bytes);
    download.headersEnded = line == "\r\n" || line == "\n";
    return bytes;
}

// What a failed transfer tells the caller. curl rejects a single header line longer than its own
// limit as "Out of memory"; once the answer has begun and before its headers end, that is what it
// means, and saying so (with the status, when it came) is what the caller can act on.
std::string failureText(const Download& download, CURLcode code, const char* errorText)
{
    if (download.headersTooLarge
        || (code == CURLE_OUT_OF_MEMORY && download.headerBytes > 0 && !download.headersEnded)) {
        const long status = responseStatus(download.handle);
        return status > 0 ? "the answer's headers were too large (HTTP " + std::to_string(status) + ")"
                          : std::string("the answer's headers were too large");
    }
    return errorText[0] != '\0' ? errorText : curl_easy_strerror(code);
}

// Keeps one easy handle in a multi handle for as long as it lives; the handle must be taken out
// again before either is cleaned up.
class MultiAttachment {
public:
    MultiAttachment(CURLM* multi, CURL* easy)
        : m_multi(multi)
        , m_easy(easy)
        , m_attached(curl_multi_add_handle(multi, easy) == CURLM_OK)
    {
    }
    MultiAttachment(const MultiAttachment&) = delete;
    MultiAttachment& operator=(const MultiAttachment&) = delete;
    ~MultiAttachment()
    {
        if (m_attached) {
            curl_multi_remove_handle(m_multi, m_easy);
        }
    }

    bool attached() const { return m_attached; }

private:
    CURLM* m_multi;
    CURL* m_easy;
    bool m_attached;
};

// Runs the one transfer of `multi` to its end. The wait sleeps in curl_multi_poll, which a stop
// request wakes at once through curl_multi_wakeup, so cancelling never waits for the network or
// for curl's own timers.
Result<CURLcode, std::string> runTransfer(CURLM* multi, const std::stop_token& cancellation)
{
    // Unregistered when this returns, before the caller cleans up the handle it wakes.
    const std::stop_callback wakeOnStop(cancellation, [multi] { curl_multi_wakeup(multi); });
    int running = 1;
    while (true) {
        if (cancellation.stop_requested()) {
            return fail(std::string("the request was cancelled"));
        }
        if (const CURLMcode code = curl_multi_perform(multi, &running); code != CURLM_OK) {
            return fail(std::string(curl_multi_strerror(code)));
        }
        if (running == 0) {
            break;
        }
        if (const CURLMcode code = curl_multi_poll(multi, nullptr, 0, static_cast<int>(kLongestPoll.count()), nullptr);
            code != CURLM_OK) {
            return fail(std::string(curl_multi_strerror(code)));
        }
    }
    int queued = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg == CURLMSG_DONE) {
            return message->data.result;
        }
    }
    return fail(std::string("the transfer ended without a result"));
}

// curl reads a time-out of 0 as "none": the shortest one it is given is a millisecond.
long timeoutMilliseconds(std::chrono::milliseconds timeout)
{
    return static_cast<long>(std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 1, LONG_MAX));
}

} // namespace

CurlHttpTransport::CurlHttpTransport()
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

Result<HttpResponse, std::string> CurlHttpTransport::send(const HttpRequest& request)
{
    CurlHandle curl(curl_easy_init());
    if (!curl) {
        return fail(std::string("could not start the HTTP client"));
    }
    CURL* handle = curl.get();
    CurlHeaders headers;
    for (const auto& [name, value] : request.headers) {
        curl_slist* extended = curl_slist_append(headers.get(), (name + ": " + value).c_str());
        if (!extended) {
            return fail(std::string("out of memory"));
        }
        headers.release();
        headers.reset(extended);
    }
    // Without this, curl adds "Expect: 100-continue" to large bodies and waits for the server.
    curl_slist* withoutExpect = curl_slist_append(headers.get(), "Expect:");
    if (withoutExpect) {
        headers.release();
        headers.reset(withoutExpect);
    }

    Download download;
    download.handle = handle;
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, timeoutMilliseconds(request.timeout));
    curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    if (request.method == "POST" || !request.body.empty()) {
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    }
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &download);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, countHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &download);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);

    const CurlMultiHandle multi(curl_multi_init());
    if (!multi) {
        return fail(std::string("could not start the HTTP client"));
    }
    const MultiAttachment attachment(multi.get(), handle);
    if (!attachment.attached()) {
        return fail(std::string("could not start the HTTP client"));
    }
    const auto transfer = runTransfer(multi.get(), request.cancellation);
    if (!transfer) {
        return fail(transfer.error());
    }
    const CURLcode code = transfer.value();
    if (download.tooLarge) {
        return fail(std::string("the answer was too large"));
    }
    if (code != CURLE_OK && !download.cut) {
        return fail(failureText(download, code, errorText));
    }
    return HttpResponse {static_cast<int>(responseStatus(handle)), std::move(download.body)};
}

} // namespace tarn
