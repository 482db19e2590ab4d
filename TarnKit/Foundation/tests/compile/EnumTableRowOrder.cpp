// Compiled by a test twice: as it stands it must compile; with TARN_ROWS_OUT_OF_ORDER, where two
// rows trade places, it must not.

#include <string_view>

#include "TarnKit/Foundation/Basics/EnumTable.h"

namespace {

enum class Colour { red, green, blue };

struct Row {
    Colour value;
    std::string_view raw;
};

#ifdef TARN_ROWS_OUT_OF_ORDER
constexpr tarn::EnumTable kRows {std::to_array<Row>({
    {Colour::red, "red"},
    {Colour::blue, "blue"},
    {Colour::green, "green"},
})};
#else
constexpr tarn::EnumTable kRows {std::to_array<Row>({
    {Colour::red, "red"},
    {Colour::green, "green"},
    {Colour::blue, "blue"},
})};
#endif

} // namespace

int main()
{
    return kRows[Colour::green].raw == "green" ? 0 : 1;
}
