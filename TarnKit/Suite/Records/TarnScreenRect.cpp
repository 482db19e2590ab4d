#include "TarnKit/Suite/Records/TarnScreenRect.h"

#include <tuple>

#include "TarnKit/Suite/Records/Coding/SuiteRecordFields.h"
#include "TarnKit/Suite/Records/Rules/SuiteClamp.h"

namespace tarn {

TarnScreenRect::TarnScreenRect(double x, double y, double width, double height)
    : m_x(x)
    , m_y(y)
    , m_width(nonNegativeOrZero(width))
    , m_height(nonNegativeOrZero(height))
{
}

constexpr auto TarnScreenRect::fields()
{
    using R = TarnScreenRect;
    return std::tuple {
        SuiteField {"x", &R::m_x},
        SuiteField {"y", &R::m_y},
        SuiteField {"width", &R::m_width},
        SuiteField {"height", &R::m_height},
    };
}

std::optional<SuiteJson> TarnScreenRect::toJson() const
{
    return encodeSuiteFields(*this, fields());
}

DecodeResult<TarnScreenRect> TarnScreenRect::fromJson(const nlohmann::json& value)
{
    return decodeSuiteFields(value, TarnScreenRect {}, fields());
}

bool TarnScreenRect::operator==(const TarnScreenRect& other) const
{
    return suiteFieldsEqual(*this, other, fields());
}

} // namespace tarn
