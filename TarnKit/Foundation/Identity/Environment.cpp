#include "TarnKit/Foundation/Identity/Environment.h"

#include <cstdlib>

namespace tarn {

std::optional<std::string> processEnvironment(std::string_view name)
{
    const char* value = std::getenv(std::string(name).c_str());
    if (value == nullptr) {
        return std::nullopt;
    }
    return std::string(value);
}

} // namespace tarn
