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
// Something the store may neither read nor replace, and why, to follow the path in a sentence.
struct RefusedFile {
    std::string problem;
};
using FileContents = std::variant<InputSettings, MissingFile, UnusableFile, RefusedFile>;

FileContents readSettingsFile(const std::filesystem::path& path)
{
    const auto storage = AtomicFileWriter::storage(path);
    switch (storage.kind) {
    case AtomicFileWriter::Storage::Kind::missing:
        return MissingFile {};
    case AtomicFileWriter::Storage::Kind::brokenLink:
        return UnusableFile {};
    case AtomicFileWriter::Storage::Kind::refused:
        return RefusedFile {storage.problem};
    case AtomicFileWriter::Storage::Kind::ownFile:
        break;
    }
    const auto text = WholeFile::read(storage.file, InputConfigStore::kLargestFile, WholeFile::Access::ownFileOnly);
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
    if (auto* refused = std::get_if<RefusedFile>(&contents)) {
        m_fileState = FileState::refused;
        m_refusal = std::move(refused->problem);
        return InputSettings {};
    }
    m_fileState = std::holds_alternative<MissingFile>(contents) ? FileState::replaceable : FileState::unreadable;
    return InputSettings {};
}

InputConfigStore::FileState InputConfigStore::checkFile()
{
    auto contents = readSettingsFile(m_fileURL);
    if (auto* refused = std::get_if<RefusedFile>(&contents)) {
        m_refusal = std::move(refused->problem);
        return FileState::refused;
    }
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
    // A link is set aside as the link: what it points to may be another folder's file, and is
    // left as it is there.
    if (auto asidePath = UnreadableFile::setAside(m_fileURL, m_clock.wallNow())) {
        if (m_log) {
            m_log->log(TarnLogLevel::warn, kLogCategory,
                fmt::format("The settings file {} could not be used; it was kept as {} and a new one is saved.",
                    m_fileURL.string(), asidePath->string()));
        }
        m_setAsidePath = std::move(asidePath);
        return std::nullopt;
    }
    std::error_code error;
    if (std::filesystem::symlink_status(m_fileURL, error).type() != std::filesystem::file_type::not_found) {
        return fmt::format(
            "The settings file {} cannot be used and cannot be renamed to keep it, so it was not replaced.",
            m_fileURL.string());
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
    // A refused file is looked at again every time: the user may have moved it since.
    if (m_fileState == FileState::unchecked || m_fileState == FileState::refused || currentStamp() != m_knownStamp) {
        m_fileState = checkFile();
    }
    if (m_fileState == FileState::refused) {
        return failed(fmt::format("The settings file {} {}, so it was not replaced.", m_fileURL.string(), m_refusal));
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
