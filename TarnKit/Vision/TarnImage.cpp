#include "TarnKit/Vision/TarnImage.h"

namespace tarn {

double TarnImage::luminance(int x, int y) const
{
    const auto* pixel = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    const double alpha = pixel[3] / 255.0;
    const double gray = (0.299 * pixel[0] + 0.587 * pixel[1] + 0.114 * pixel[2]) / 255.0;
    return gray * alpha + (1.0 - alpha);
}

} // namespace tarn
