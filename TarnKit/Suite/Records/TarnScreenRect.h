#pragma once

// A rectangle in global screen coordinates, in screen points (origin x, y and size), as the dock
// application publishes the frames of its mini panel and studio window.

#include <optional>

#include <nlohmann/json.hpp>

#include "TarnKit/Foundation/Json/DecodeError.h"
#include "TarnKit/Suite/Records/Coding/SuiteJsonValue.h"

namespace tarn {

class TarnScreenRect {
public:
    // Stores width and height as 0 when below 0 or NaN; x and y as given.
    TarnScreenRect(double x, double y, double width, double height);

    double x() const { return m_x; }
    double y() const { return m_y; }
    double width() const { return m_width; }
    double height() const { return m_height; }

    // {"x", "y", "width", "height"}; none when a value is not finite.
    std::optional<SuiteJson> toJson() const;
    // All four keys required numbers, taken as they stand: a negative width read stays negative.
    static DecodeResult<TarnScreenRect> fromJson(const nlohmann::json& value);

    bool operator==(const TarnScreenRect& other) const;

private:
    TarnScreenRect() = default;
    static constexpr auto fields();

    double m_x = 0;
    double m_y = 0;
    double m_width = 0;
    double m_height = 0;
};

} // namespace tarn
