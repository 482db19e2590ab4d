#include "Platform/Linux/Desktop/DesktopEntrySyntax.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(DesktopEntrySyntax, EscapesWhatWouldBreakTheLineAndReadsItBack)
{
    struct Case {
        std::string_view text;
        std::string_view written;
    };
    const Case cases[] {
        {"TarnInput", "TarnInput"},
        {" leading space", "\\sleading space"},
        {"two\nlines", "two\\nlines"},
        {"tab\tand\rreturn", "tab\\tand\\rreturn"},
        {"back\\slash", "back\\\\slash"},
        {"Name=x\nExec=rm -rf ~", "Name=x\\nExec=rm -rf ~"},
    };
    for (const auto& testCase : cases) {
        EXPECT_EQ(DesktopEntrySyntax::escaped(testCase.text), testCase.written) << testCase.text;
        EXPECT_EQ(DesktopEntrySyntax::unescaped(testCase.written), testCase.text) << testCase.written;
    }
}

TEST(DesktopEntrySyntax, ReadsUnknownAndTrailingEscapesLiterally)
{
    EXPECT_EQ(DesktopEntrySyntax::unescaped("a\\qb"), "aqb");
    EXPECT_EQ(DesktopEntrySyntax::unescaped("ends\\"), "ends\\");
    EXPECT_EQ(DesktopEntrySyntax::unescaped("inner\\sspace"), "inner space");
}

using Arguments = std::vector<std::string>;

const DesktopEntrySyntax::ExecFields kFields {"Bellek", "tarn-memory", "/usr/share/applications/x.desktop"};

TEST(DesktopEntrySyntax, ExecValuesBecomeArgumentsWithoutAShell)
{
    struct Case {
        std::string_view value; // as it stands in the entry
        Arguments arguments;
    };
    const Case cases[] {
        {"TarnMemory", {"TarnMemory"}},
        {"  /opt/tarn/bin/TarnMemory   --hidden  ", {"/opt/tarn/bin/TarnMemory", "--hidden"}},
        {"\"/opt/Tarn Memory/run\" --mode \"a b\"", {"/opt/Tarn Memory/run", "--mode", "a b"}},
        {"run \"\"", {"run", ""}},
        {"run \"say \\\\\"hi\\\\\" for \\\\$5 \\\\`x\\\\`\"", {"run", "say \"hi\" for $5 `x`"}},
        {"run \"back\\\\\\\\slash\"", {"run", "back\\slash"}},
        // A lone backslash before a quote is no string escape, so it is left for the quoting.
        {"run \"a \\\"b\\\"\"", {"run", "a \"b\""}},
        {"run 'single' a;b $HOME ~ *", {"run", "'single'", "a;b", "$HOME", "~", "*"}},
        {"run\\tindented", {"run", "indented"}},
        {"run %f %F %u %U --open=%u %d %D %n %N %v %m", {"run", "--open="}},
        {"run 100%% %c %k", {"run", "100%", "Bellek", "/usr/share/applications/x.desktop"}},
        {"run %i --", {"run", "--icon", "tarn-memory", "--"}},
        {"run \"%c\"", {"run", "Bellek"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DesktopEntrySyntax::execArguments(c.value, kFields), c.arguments) << c.value;
    }
    EXPECT_EQ(DesktopEntrySyntax::execArguments("run %i", {}), (Arguments {"run"})) << "no icon, no --icon";
}

TEST(DesktopEntrySyntax, RefusesExecValuesThatAreNoCommandLine)
{
    for (const std::string_view value : {
             "", // nothing
             "   ",
             "\"\"", // an empty program
             "%f", // nothing left once the files are dropped
             "\"/opt/run", // an open quote
             "run \"a\\\\qb\"", // \q inside quotes
             "run \"ends\\\\", // a backslash ending the quote
             "run %x", // a field code not known
             "run %", // a lone percent sign
             "run --icon=%i", // %i inside an argument
             "A=1 run", // an assignment, as a shell would read it
         }) {
        EXPECT_EQ(DesktopEntrySyntax::execArguments(value, kFields), std::nullopt) << value;
    }
}

TEST(DesktopEntrySyntax, AWrittenExecValueReadsBackAsTheSameProgram)
{
    for (const std::string_view program : {"/usr/bin/tarninput", "/home/ada/My Apps/tarn input", "/opt/a$b`c\\d\"e",
             "/opt/100%/run", "/opt/tab\there", "/opt/semi;colon"}) {
        const auto value = DesktopEntrySyntax::execValue(program);
        EXPECT_EQ(DesktopEntrySyntax::execArguments(value, {}), (Arguments {std::string(program)})) << value;
    }
}

} // namespace
} // namespace tarn
