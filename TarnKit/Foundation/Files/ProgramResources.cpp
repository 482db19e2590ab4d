#include "TarnKit/Foundation/Files/ProgramResources.h"

#include "TarnKit/Foundation/Identity/BuildInfoConfig.h"

namespace tarn {

std::filesystem::path ProgramResources::folder()
{
    std::error_code error;
    const std::filesystem::path installed(TARN_INSTALL_DATA_DIR);
    if (std::filesystem::is_directory(installed, error)) {
        return installed;
    }
    return TARN_BUILD_RESOURCES_DIR;
}

std::filesystem::path ProgramResources::path(std::string_view name)
{
    return folder() / name;
}

} // namespace tarn
