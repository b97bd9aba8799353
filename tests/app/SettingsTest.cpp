// The settings value, its names and ranges for the panel and --set, and the shells it selects.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/Settings.h"
#include "render/ShellSelection.h"
#include "tests/app/ChangedSettings.h"

TEST(SettingsTest, EveryNameTakesItsRangeRefusesTheRestByNameAndResetsToItsStartValue) {
    Settings settings;
    const Settings start;
    for (const char* assignment : CHANGED_SETTINGS) EXPECT_EQ(applySettingText(settings, assignment), "") << assignment;
    const std::string changed[] = {"7", "3", "0", "2.5", "0.25", "off", "4096", "off", "0.01", "on", "4", "0", "3", "0.5",
                                   "0", "on", "on", "off"};
    ASSERT_EQ(std::size(changed), size_t(SETTING_COUNT));
    for (int index = 0; index < SETTING_COUNT; ++index) {
        EXPECT_EQ(settingValueText(settings, index), changed[index]) << SETTING_INFOS[index].name;
        EXPECT_NE(changed[index], settingValueText(start, index)) << SETTING_INFOS[index].name;
        resetSetting(settings, index);
        EXPECT_EQ(settingValueText(settings, index), settingValueText(start, index)) << SETTING_INFOS[index].name;
    }
    for (const auto& [assignment, named] :
         {std::pair("shells=41", "'shells'"), {"shells=2.5", "'shells'"}, {"fur-length=0.2", "'fur-length'"},
          {"shadow-map-size=300", "'shadow-map-size'"}, {"mute=maybe", "'mute'"}, {"volume=nan", "'volume'"},
          {"volume=", "'volume'"}, {"no-such=1", "'no-such'"}, {"gravity", "'gravity'"}})
        EXPECT_NE(applySettingText(settings, assignment).find(named), std::string::npos) << assignment;
    EXPECT_EQ(settingValueText(settings, 0), "40");  // a refused value leaves the setting as it was

    const std::string help = settingsHelpText("");
    EXPECT_NE(help.find("shadow-map-size  256, 512, 1024, 2048 or 4096   start 1024"), std::string::npos) << help;
}

TEST(SettingsTest, ShellsDrawnAreExactlyThatManySpreadFromTheInnermostAtTheirOwnHeights) {
    ShellList shells;
    for (int i = 0; i < FUR_SHELL_COUNT; ++i) shells.push_back(std::make_unique<ShellTexture>());
    // With a spacing of 1 a shell's height is its index: each drawn shell sits where it sits in
    // the full stack, innermost first.
    for (int drawn = 1; drawn <= FUR_SHELL_COUNT; ++drawn) {
        std::vector<float> heights;
        forEachDrawnShell(shells, drawn, 1.0f, [&](const ShellTexture& shell, float height) {
            EXPECT_EQ(&shell, shells[size_t(height)].get());
            heights.push_back(height);
        });
        EXPECT_EQ(heights.size(), size_t(drawn));
        EXPECT_TRUE(std::is_sorted(heights.begin(), heights.end()) && heights.front() == 0.0f) << drawn;
        EXPECT_EQ(std::set<float>(heights.begin(), heights.end()).size(), size_t(drawn));
    }
    std::vector<float> heights;
    forEachDrawnShell(shells, 8, 1.0f, [&](const ShellTexture&, float height) { heights.push_back(height); });
    EXPECT_EQ(heights, (std::vector<float>{0, 5, 10, 15, 20, 25, 30, 35}));
    EXPECT_EQ(std::vector<int>({nextShellPreset(40), nextShellPreset(8), nextShellPreset(1), nextShellPreset(20)}),
              std::vector<int>({8, 1, 40, 8}));
    EXPECT_EQ(describeShellSelection(13, 40), "13 of 40");
}
