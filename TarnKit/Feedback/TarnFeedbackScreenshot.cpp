#include "TarnKit/Feedback/TarnFeedbackScreenshot.h"

#include "TarnKit/Foundation/Text/TarnByteFormatter.h"

namespace tarn {

std::string TarnFeedbackScreenshot::formattedSize() const
{
    return TarnByteFormatter::format(static_cast<std::int64_t>(data.size()));
}

} // namespace tarn
