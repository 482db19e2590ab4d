// Feeds arbitrary bytes to the strict decoders of every suite record (the files other programs
// of the family write). Besides the sanitizers' memory and undefined behaviour checks, it holds
// each decoder to the records' invariant: whatever decodes can be written, reads back equal and
// writes back the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "TarnKit/Suite/Records/tests/SuiteRecordInvariant.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    int decodedCount = 0;
    if (!tarn::suite_testing::allRecordsKeepInvariant(input, decodedCount)) {
        std::abort();
    }
    return 0;
}
