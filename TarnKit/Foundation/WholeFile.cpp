#include "TarnKit/Foundation/WholeFile.h"

#include <fstream>

namespace tarn {

Result<std::string, WholeFile::Failure> WholeFile::read(const std::filesystem::path& path, std::uintmax_t maximumSize)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return fail(Failure::missing);
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        return fail(Failure::unusable);
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > maximumSize) {
        return fail(Failure::unusable);
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream) {
        return fail(Failure::unusable);
    }
    std::string contents;
    contents.reserve(static_cast<std::size_t>(size));
    // The file may grow after its size was taken: the limit holds for what is read.
    char buffer[64 * 1024];
    while (stream.read(buffer, sizeof buffer) || stream.gcount() > 0) {
        contents.append(buffer, static_cast<std::size_t>(stream.gcount()));
        if (contents.size() > maximumSize) {
            return fail(Failure::unusable);
        }
    }
    if (stream.bad()) {
        return fail(Failure::unusable);
    }
    return contents;
}

} // namespace tarn
