#include "TarnInputCore/Model/InputConfigStore.h"

#include <system_error>
#include <variant>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/AtomicFileWriter.h"
#include "TarnKit/Foundation/StrictJson.h"
#include "TarnKit/Foundation/UnreadableFile.h"
#include "TarnKit/Foundation/WholeFile.h"

namespace tarn::input {

namespace {

struct MissingFile { };
struct UnusableFile { };
using FileContents = std::variant<InputSettings, MissingFile, UnusableFile>;

// Far above any real configuration (50 profiles and 50 macros take about 100 KB).
constexpr std::uintmax_t kLargestSettingsFile = 16u << 20;

FileContents readSettingsFile(const std::filesystem::path& path)
{
    const auto text = WholeFile::read(path, kLargestSettingsFile);
    if (!text) {
        // Anything there that cannot be read whole is something the user may still want.
        if (text.error() == WholeFile::Failure::missing) {
            return MissingFile {};
        }
        return UnusableFile {};
    }
    const auto document = StrictJson::parse(*text);
    if (!document) {
        return UnusableFile {};
    }
    auto settings = InputSettings::fromJson(*document);
    if (!settings) {
        return UnusableFile {};
    }
    return std::move(settings).value();
}

} // namespace

InputConfigStore::InputConfigStore(std::filesystem::path fileURL, const Clock& clock)
    : m_fileURL(std::move(fileURL))
    , m_clock(clock)
{
    std::error_code ignored;
    std::filesystem::create_directories(m_fileURL.parent_path(), ignored);
}

std::filesystem::path InputConfigStore::defaultFilePath(const XdgPaths& paths)
{
    return paths.configHome / "TarnInput" / "input-settings.json";
}

InputSettings InputConfigStore::load()
{
    auto contents = readSettingsFile(m_fileURL);
    if (auto* settings = std::get_if<InputSettings>(&contents)) {
        m_fileState = FileState::replaceable;
        return std::move(*settings);
    }
    m_fileState = std::holds_alternative<MissingFile>(contents) ? FileState::replaceable : FileState::unreadable;
    return InputSettings {};
}

InputConfigStore::FileState InputConfigStore::checkFile() const
{
    const auto contents = readSettingsFile(m_fileURL);
    return std::holds_alternative<UnusableFile>(contents) ? FileState::unreadable : FileState::replaceable;
}

bool InputConfigStore::save(const InputSettings& settings)
{
    // A save without a load first must not overwrite a file it has never looked at.
    if (m_fileState == FileState::unchecked) {
        m_fileState = checkFile();
    }
    if (m_fileState == FileState::unreadable) {
        if (auto asidePath = UnreadableFile::setAside(m_fileURL, m_clock.wallNow())) {
            m_setAsidePath = std::move(asidePath);
        } else {
            std::error_code error;
            const auto status = std::filesystem::symlink_status(m_fileURL, error);
            if (status.type() != std::filesystem::file_type::not_found) {
                return false;
            }
        }
        m_fileState = FileState::replaceable;
    }

    const std::string text = StrictJson::dump(settings.toJson(), 2) + "\n";
    if (!AtomicFileWriter::write(m_fileURL, text)) {
        return false;
    }
    m_fileState = FileState::replaceable;
    return true;
}

} // namespace tarn::input
