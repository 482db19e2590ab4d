#pragma once

// Runs a tool as a child process on the calling thread until it exits: standard input from
// /dev/null, both output streams captured (standard error and, unless asked for all of it,
// standard output cut to their last 32768 bytes) and streamed to an optional callback, and
// cancellable from another thread through a token. Blocks: never call it on the UI thread.
// The child leads a process group of its own, which a cancel ends whole. Once the child has exited,
// everything it wrote is collected, but a process it left running that holds the streams open is
// waited for only a moment (its later output is lost), so it can never keep the run from returning.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <variant>
#include <vector>

#include "TarnKit/Foundation/Basics/Result.h"
#include "TarnKit/Services/TarnProcessCancellation.h"
#include "TarnKit/Services/TarnProcessError.h"
#include "TarnKit/Services/TarnProcessResult.h"

namespace tarn {

struct TarnProcessRequest {
    std::filesystem::path executable;
    std::vector<std::string> arguments;
    std::optional<std::filesystem::path> workingDirectory;
    // Entries added to (or replacing those of) this process's environment; absent: inherit it.
    std::optional<std::map<std::string, std::string>> environment;
    bool captureFullStdout = false;
    std::shared_ptr<TarnProcessCancellation> cancellation;
    // Each chunk of either stream that is valid UTF-8, in arrival order, on the calling thread.
    // A character split between two reads is handed on whole with the later chunk.
    std::function<void(std::string_view)> onOutput;
};

// `cancelled`, or the system's reason the child could not be started.
using TarnProcessFailure = std::variant<TarnProcessError, std::error_code>;

class TarnProcessRunner {
public:
    static constexpr std::size_t kTailLimit = 32768;

    // A non-zero exit status is a result, not a failure.
    static Result<TarnProcessResult, TarnProcessFailure> run(const TarnProcessRequest& request);
};

} // namespace tarn
