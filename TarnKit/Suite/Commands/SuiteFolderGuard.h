#pragma once

// Makes ready the suite folders one bus writes into (TarnSuiteDirectory::createPrivateFolder,
// each in turn from the outermost) and logs why one is refused: once when writing there starts
// being refused, and again only after the folders were usable in between, so that a bus that
// publishes every few seconds does not repeat the same line.

#include <atomic>
#include <filesystem>
#include <initializer_list>
#include <string_view>

#include "TarnKit/Foundation/Logging/LogSink.h"

namespace tarn {

class SuiteFolderGuard {
public:
    static constexpr std::string_view kLogCategory = "suite";

    // `log` may be null; it must outlive the guard.
    explicit SuiteFolderGuard(LogSink* log);

    // True when every folder is private to the user and may be written into.
    [[nodiscard]] bool prepare(std::initializer_list<std::filesystem::path> folders) const;

private:
    LogSink* m_log;
    // Whether the last preparation was refused; the only state, shared by every thread that writes.
    mutable std::atomic<bool> m_refused {false};
};

} // namespace tarn
