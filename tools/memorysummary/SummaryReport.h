#pragma once

// The virtual-memory summary as tarninput-memory-summary prints it, one figure per line. Its
// texts come from other programs (the memory application's status file: pressure level, pool,
// disk and RAM disk names) or from folder names, so each is printed with its control characters
// escaped: none can move the cursor, rewrite what is on the terminal or start a line of its own.

#include <string>
#include <string_view>

#include "TarnKit/Suite/Memory/TarnVirtualMemorySummary.h"

namespace tarn {

class SummaryReport {
public:
    SummaryReport() = delete;

    // Every line, each ending in a line feed.
    static std::string text(const TarnVirtualMemorySummary& summary);

    // `text` with each control character (C0, DEL and C1) written as \xNN or \uNNNN and each
    // backslash doubled, so an escape in the text cannot pass for one of ours; invalid UTF-8
    // shows as U+FFFD.
    static std::string printable(std::string_view text);
};

} // namespace tarn
