// The udev rule that grants the input permission, and the two texts that explain it to users.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tarn {
namespace {

namespace fs = std::filesystem;

std::string readResource(const fs::path& relative)
{
    std::ifstream stream(fs::path(TARN_SOURCE_ROOT) / relative);
    std::stringstream contents;
    contents << stream.rdbuf();
    return contents.str();
}

std::vector<std::string> ruleLines()
{
    std::vector<std::string> rules;
    std::istringstream stream(readResource("resources/70-tarninput.rules"));
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && !line.starts_with('#')) {
            rules.push_back(line);
        }
    }
    return rules;
}

// A uaccess tag on /dev/uinput would let every process of any active local user create a
// virtual keyboard and type into any window, without the group the program needs anyway.
TEST(UdevRule, OnlyTheInputGroupGetsTheDevices)
{
    const auto rules = ruleLines();
    ASSERT_EQ(rules.size(), 2u);
    EXPECT_NE(rules[0].find("KERNEL==\"event[0-9]*\""), std::string::npos);
    EXPECT_NE(rules[1].find("KERNEL==\"uinput\""), std::string::npos);
    for (const auto& rule : rules) {
        EXPECT_NE(rule.find("GROUP=\"input\", MODE=\"0660\""), std::string::npos) << rule;
        EXPECT_EQ(rule.find("uaccess"), std::string::npos) << rule;
        EXPECT_EQ(rule.find("TAG"), std::string::npos) << rule;
    }
}

TEST(UdevRule, TheHelpPageAndTheReadmeSayTheSame)
{
    for (const char* text : {"README.md", "resources/permission-help.html"}) {
        const auto contents = readResource(text);
        ASSERT_FALSE(contents.empty()) << text;
        EXPECT_NE(contents.find("70-tarninput.rules"), std::string::npos) << text;
        EXPECT_NE(contents.find("sudo usermod -aG input \"$USER\""), std::string::npos) << text;
        EXPECT_EQ(contents.find("active local session"), std::string::npos) << text;
        EXPECT_EQ(contents.find("uaccess"), std::string::npos) << text;
    }
}

} // namespace
} // namespace tarn
