#include "TarnKit/Services/TarnProcessResult.h"

#include "TarnKit/Foundation/Text/UnicodeText.h"

namespace tarn {

std::string TarnProcessResult::stdoutString() const
{
    return UnicodeText::sanitizedUtf8(stdoutBytes);
}

std::string TarnProcessResult::stderrString() const
{
    return UnicodeText::sanitizedUtf8(stderrBytes);
}

} // namespace tarn
