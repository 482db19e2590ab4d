#include "Platform/Linux/CurlHttpTransport.h"

#include <mutex>

#include "TarnKit/Foundation/CHandle.h"

#include <curl/curl.h>

namespace tarn {
namespace {

using CurlHandle = CHandle<CURL, curl_easy_cleanup>;
using CurlHeaders = CHandle<curl_slist, curl_slist_free_all>;

struct Download {
    std::string body;
    bool tooLarge = false;
};

std::size_t appendBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto& download = *static_cast<Download*>(user);
    const std::size_t bytes = size * count;
    if (download.body.size() + bytes > CurlHttpTransport::kMaxResponseBytes) {
        download.tooLarge = true;
        return 0; // a short count makes curl abort the transfer
    }
    download.body.append(data, bytes);
    return bytes;
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
    char errorText[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(handle, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, static_cast<long>(request.timeout.count()));
    curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    if (request.method == "POST" || !request.body.empty()) {
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.data());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    }
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &download);
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);

    const CURLcode code = curl_easy_perform(handle);
    if (download.tooLarge) {
        return fail(std::string("the answer was too large"));
    }
    if (code != CURLE_OK) {
        return fail(std::string(errorText[0] != '\0' ? errorText : curl_easy_strerror(code)));
    }
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return HttpResponse {static_cast<int>(status), std::move(download.body)};
}

} // namespace tarn
