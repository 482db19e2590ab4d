#include "Platform/Linux/Desktop/LinuxApplicationAliases.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

#include "TarnInputCore/Model/Profiles/AppInputProfileEngine.h"
#include "TarnInputCore/Model/Settings/InputSettings.h"

namespace tarn::input {
namespace {

TEST(LinuxApplicationAliases, MapsWellKnownLinuxIDs)
{
    struct Case {
        const char* linuxID;
        std::optional<std::string_view> alias;
    };
    const Case cases[] = {
        {"google-chrome", "com.google.Chrome"},
        {"Google-chrome", "com.google.Chrome"}, // the WM_CLASS class Chrome's windows carry
        {"com.google.Chrome", "com.google.Chrome"}, // Flatpak
        {"chromium", "com.google.Chrome"},
        {"org.chromium.Chromium", "com.google.Chrome"},
        {"code", "com.microsoft.VSCode"},
        {"Code", "com.microsoft.VSCode"},
        {"codium", "com.microsoft.VSCode"},
        {"VSCodium", "com.microsoft.VSCode"},
        {"com.vscodium.codium", "com.microsoft.VSCode"},
        {"figma-linux", "com.figma.Desktop"},
        {"io.github.Figma_Linux.figma_linux", "com.figma.Desktop"},
        {"blender", "org.blenderfoundation.blender"},
        {"org.blender.Blender", "org.blenderfoundation.blender"},
        {"firefox", std::nullopt},
        {"google-chrome-x", std::nullopt},
        {" code", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(LinuxApplicationAliases::aliasFor(test.linuxID), test.alias) << test.linuxID;
    }
}

// Every identifier the built-in templates and the default exclusions name, except those of
// programs that do not exist on Linux, is reachable from a Linux id; and every alias names one
// of them, so a typo in the table cannot go unnoticed.
TEST(LinuxApplicationAliases, CoverTheBuiltInTemplatesAndDefaultExclusions)
{
    std::set<std::string> named;
    for (const auto& profile : AppInputProfileEngine::builtInTemplates()) {
        named.insert(profile.bundleIdentifier);
    }
    for (const auto& excluded : InputSettings {}.smoothScrollExcludedBundles) {
        named.insert(excluded);
    }
    const std::set<std::string> withoutLinuxProgram {"com.apple.dt.Xcode", "com.apple.Safari"};

    const std::set<std::string> aliases {
        std::string(*LinuxApplicationAliases::aliasFor("google-chrome")),
        std::string(*LinuxApplicationAliases::aliasFor("code")),
        std::string(*LinuxApplicationAliases::aliasFor("figma-linux")),
        std::string(*LinuxApplicationAliases::aliasFor("blender")),
    };
    for (const auto& identifier : named) {
        EXPECT_EQ(aliases.contains(identifier), !withoutLinuxProgram.contains(identifier)) << identifier;
    }
    for (const auto& alias : aliases) {
        EXPECT_TRUE(named.contains(alias)) << alias;
    }
}

TEST(LinuxApplicationAliases, MakeTheTemplatesAndExclusionsApplyToTheLinuxPrograms)
{
    InputSettings settings;
    settings.appProfiles = AppInputProfileEngine::builtInTemplates();
    const auto resolved = [&](std::string_view linuxID) {
        const auto alias = LinuxApplicationAliases::aliasFor(linuxID);
        return AppInputProfileEngine::resolve(ApplicationId(alias.value_or(linuxID)), std::nullopt, settings);
    };
    EXPECT_EQ(resolved("google-chrome").matchedProfileName, "Google Chrome");
    EXPECT_EQ(resolved("codium").matchedProfileName, "VS Code");
    EXPECT_EQ(resolved("figma-linux").matchedProfileName, "Figma");

    settings.appProfiles.clear();
    EXPECT_FALSE(resolved("org.blender.Blender").smoothScrollEnabled);
    EXPECT_FALSE(resolved("figma-linux").smoothScrollEnabled);
    EXPECT_TRUE(resolved("firefox").smoothScrollEnabled);
}

} // namespace
} // namespace tarn::input
