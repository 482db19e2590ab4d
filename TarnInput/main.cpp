// The program's entry point. The studio window and the input engine are not wired in yet, so the
// program only says what this build contains and leaves the mouse alone.

#include <cstdio>

#include <fmt/format.h>

#include "TarnKit/Foundation/BuildInfo.h"

int main()
{
    const auto info = tarn::BuildInfo::current();
    fmt::print("{} {} ({})\n", info.displayName.value_or("TarnInput"), info.shortVersion.value_or("?"),
        info.buildNumber.value_or("?"));
    fmt::print("This build holds the program's foundation only: there is no studio window yet, and your\n"
               "mouse and keyboard input are not read or changed.\n");
    return 0;
}
