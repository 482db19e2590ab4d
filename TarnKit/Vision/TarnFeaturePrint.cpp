#include "TarnKit/Vision/TarnFeaturePrint.h"

#include <cmath>

namespace tarn {

float TarnFeaturePrint::distance(const TarnFeaturePrint& other) const
{
    double sum = 0;
    for (std::size_t index = 0; index < values.size(); ++index) {
        const double difference = values[index] - other.values[index];
        sum += difference * difference;
    }
    return static_cast<float>(std::sqrt(sum));
}

} // namespace tarn
