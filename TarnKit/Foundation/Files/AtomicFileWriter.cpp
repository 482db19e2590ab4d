#include "TarnKit/Foundation/Files/AtomicFileWriter.h"

#include <cerrno>
#include <cstring>

#include "TarnKit/Foundation/Files/UniqueFd.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarn {
namespace {

std::string describe(std::string_view step, const std::filesystem::path& path, int error)
{
    return std::string(step) + " " + path.string() + ": " + std::generic_category().message(error);
}

bool writeAll(int fd, std::string_view contents)
{
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        contents.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Makes the rename itself durable; a failure here does not undo the write, so it is ignored.
void syncFolder(const std::filesystem::path& folder)
{
    UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd) {
        ::fsync(fd.get());
    }
}

// The name mkostemp gives a temporary for `name`: "." + name + "." + six letters or digits.
std::string temporaryPattern(const std::filesystem::path& file)
{
    return (file.parent_path() / ("." + file.filename().string() + ".XXXXXX")).string();
}

bool isTemporaryFor(std::string_view candidate, std::string_view name)
{
    constexpr std::size_t kSuffixLength = 6;
    if (candidate.size() != name.size() + 2 + kSuffixLength || !candidate.starts_with('.')
        || candidate.substr(1, name.size()) != name || candidate[name.size() + 1] != '.') {
        return false;
    }
    for (const char c : candidate.substr(name.size() + 2)) {
        const bool alphanumeric = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!alphanumeric) {
            return false;
        }
    }
    return true;
}

bool isOwnRegularFile(const struct stat& info)
{
    return S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

bool isOwnRegularFile(const std::filesystem::path& path)
{
    struct stat info { };
    return ::lstat(path.c_str(), &info) == 0 && isOwnRegularFile(info);
}

// What something that is no regular file of ours is, for a sentence: "a FIFO, not a regular file
// of yours".
std::string whatItIs(const struct stat& info)
{
    if (S_ISREG(info.st_mode)) {
        return "a file of another user";
    }
    std::string_view kind = "a special file";
    if (S_ISDIR(info.st_mode)) {
        kind = "a folder";
    } else if (S_ISFIFO(info.st_mode)) {
        kind = "a FIFO";
    } else if (S_ISSOCK(info.st_mode)) {
        kind = "a socket";
    } else if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
        kind = "a device";
    }
    return std::string(kind) + ", not a regular file of yours";
}

// As many links as the kernel follows in one path lookup before it gives ELOOP.
constexpr int kMaxLinkHops = 40;

} // namespace

AtomicFileWriter::Storage AtomicFileWriter::storage(const std::filesystem::path& path)
{
    using Kind = Storage::Kind;
    std::error_code error;
    const auto start = std::filesystem::absolute(path, error);
    if (error) {
        return {Kind::refused, path, "cannot be found (" + error.message() + ")"};
    }
    auto current = start;
    // Where the chain has led so far, for a sentence about its end.
    const auto reached
        = [&current](bool linked) { return linked ? "is a link to " + current.string() + ", " : std::string("is "); };
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        const bool linked = hop > 0;
        struct stat info { };
        if (::lstat(current.c_str(), &info) != 0) {
            const int reason = errno;
            if (reason == ENOENT || reason == ENOTDIR) {
                return linked ? Storage {Kind::brokenLink, current, reached(true) + "which does not exist"}
                              : Storage {Kind::missing, current, {}};
            }
            return {Kind::refused, current,
                reached(linked) + "something that cannot be examined (" + std::generic_category().message(reason)
                    + ")"};
        }
        if (!S_ISLNK(info.st_mode)) {
            return isOwnRegularFile(info) ? Storage {Kind::ownFile, current, {}}
                                          : Storage {Kind::refused, current, reached(linked) + whatItIs(info)};
        }
        const auto target = std::filesystem::read_symlink(current, error);
        if (error) {
            return {Kind::refused, current, "is a link that cannot be read (" + error.message() + ")"};
        }
        current = current.parent_path() / target;
    }
    return {Kind::brokenLink, start, "is a link that loops (" + std::generic_category().message(ELOOP) + ")"};
}

Result<std::filesystem::path, std::string> AtomicFileWriter::storagePath(const std::filesystem::path& path)
{
    auto found = storage(path);
    if (found.kind == Storage::Kind::missing || found.kind == Storage::Kind::ownFile) {
        return std::move(found.file);
    }
    return fail("cannot write " + path.string() + ": it " + found.problem);
}

Status<std::string> AtomicFileWriter::write(
    const std::filesystem::path& path, std::string_view contents, NewFileMode newFileMode, Links links)
{
    std::filesystem::path absolute;
    if (links == Links::followToOwnFile) {
        auto storage = storagePath(path);
        if (!storage) {
            return fail(storage.error());
        }
        absolute = std::move(storage).value();
    } else {
        std::error_code error;
        absolute = std::filesystem::absolute(path, error);
        if (error) {
            return fail(describe("cannot write", path, error.value()));
        }
    }
    const auto folder = absolute.parent_path();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return fail(describe("cannot create folder", folder, error.value()));
    }

    mode_t mode = newFileMode == NewFileMode::ownerOnly ? 0600 : 0644;
    struct stat existing { };
    if (::lstat(absolute.c_str(), &existing) == 0 && isOwnRegularFile(existing)) {
        mode = existing.st_mode & 07777;
    }

    std::string temporary = temporaryPattern(absolute);
    UniqueFd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd) {
        return fail(describe("cannot create temporary file in", folder, errno));
    }
    auto removeTemporary = [&temporary] { ::unlink(temporary.c_str()); };

    // The temporary's random name means nothing to the user: errors name the file being written.
    if (!writeAll(fd.get(), contents) || ::fchmod(fd.get(), mode) != 0 || ::fsync(fd.get()) != 0) {
        const int reason = errno;
        removeTemporary();
        return fail(describe("cannot write", absolute, reason));
    }
    if (fd.close() != 0) {
        const int reason = errno;
        removeTemporary();
        return fail(describe("cannot write", absolute, reason));
    }
    if (::rename(temporary.c_str(), absolute.c_str()) != 0) {
        const int reason = errno;
        removeTemporary();
        return fail(describe("cannot replace", absolute, reason));
    }
    syncFolder(folder);
    return Ok {};
}

std::size_t AtomicFileWriter::removeStaleTemporaries(const std::filesystem::path& path)
{
    const auto storage = storagePath(path);
    if (!storage) {
        return 0;
    }
    const std::string name = storage.value().filename().string();
    std::error_code error;
    std::filesystem::directory_iterator entries(storage.value().parent_path(), error);
    std::size_t removed = 0;
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const auto& candidate = entries->path();
        if (isTemporaryFor(candidate.filename().string(), name) && isOwnRegularFile(candidate)
            && ::unlink(candidate.c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

} // namespace tarn
