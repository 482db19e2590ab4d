#include "TarnInputCore/Model/Settings/InputConfigStore.h"

#include <system_error>
#include <variant>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Files/AtomicFileWriter.h"
#include "TarnKit/Foundation/Files/UnreadableFile.h"
#include "TarnKit/Foundation/Files/WholeFile.h"
#include "TarnKit/Foundation/Json/StrictJson.h"

namespace tarn::input {

namespace {

struct MissingFile { };
struct UnusableFile { };
using FileContents = std::variant<InputSettings, MissingFile, UnusableFile>;

FileContents readSettingsFile(const std::filesystem::path& path)
{
    const auto text = WholeFile::read(path, InputConfigStore::kLargestFile);
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

InputConfigStore::InputConfigStore(std::filesystem::path fileURL, const Clock& clock, LogSink* log)
    : m_fileURL(std::move(fileURL))
    , m_clock(clock)
    , m_log(log)
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
    // A save killed between writing its temporary file and renaming it left that file behind.
    AtomicFileWriter::removeStaleTemporaries(m_fileURL);
    m_knownStamp = currentStamp();
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

std::optional<InputConfigStore::FileStamp> InputConfigStore::currentStamp() const
{
    std::error_code error;
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(m_fileURL, error);
    if (error) {
        return std::nullopt;
    }
    stamp.modified = std::filesystem::last_write_time(m_fileURL, error);
    if (error) {
        return std::nullopt;
    }
    return stamp;
}

std::optional<std::string> InputConfigStore::setAsideUnreadable()
{
    // The file a link points to is what cannot be used; setting it aside keeps the link, which
    // the save then writes through. A link that leads nowhere usable is set aside itself.
    const auto storage = AtomicFileWriter::storagePath(m_fileURL);
    const auto unusable = storage ? storage.value() : m_fileURL;
    if (auto asidePath = UnreadableFile::setAside(unusable, m_clock.wallNow())) {
        if (m_log) {
            m_log->log(TarnLogLevel::warn, kLogCategory,
                fmt::format("The settings file {} could not be used; it was kept as {} and a new one is saved.",
                    unusable.string(), asidePath->string()));
        }
        m_setAsidePath = std::move(asidePath);
        return std::nullopt;
    }
    std::error_code error;
    if (std::filesystem::symlink_status(unusable, error).type() != std::filesystem::file_type::not_found) {
        return fmt::format(
            "The settings file {} cannot be used and cannot be renamed to keep it, so it was not replaced.",
            unusable.string());
    }
    return std::nullopt; // gone meanwhile: nothing left to keep
}

Status<std::string> InputConfigStore::failed(std::string reason) const
{
    if (m_log) {
        m_log->log(TarnLogLevel::warn, kLogCategory,
            fmt::format("The settings were not saved to {}: {}", m_fileURL.string(), reason));
    }
    return fail(std::move(reason));
}

Status<std::string> InputConfigStore::save(const InputSettings& settings)
{
    // A save without a load first must not overwrite a file it has never looked at, nor one that
    // was changed on disk (a hand edit, another copy of the program) since it was read.
    if (m_fileState == FileState::unchecked || currentStamp() != m_knownStamp) {
        m_fileState = checkFile();
    }
    if (m_fileState == FileState::unreadable) {
        if (auto error = setAsideUnreadable()) {
            return failed(std::move(*error));
        }
        m_fileState = FileState::replaceable;
    }

    const std::string text = StrictJson::dump(settings.toJson(), 2) + "\n";
    if (auto written = AtomicFileWriter::write(m_fileURL, text); !written) {
        return failed(written.error());
    }
    m_fileState = FileState::replaceable;
    m_knownStamp = currentStamp();
    return Ok {};
}

} // namespace tarn::input
