#include "app/Settings.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
using Kind = SettingKind;
}  // namespace

const SettingInfo SETTING_INFOS[] = {
    {"Fur", "shells", "shells drawn", Kind::WHOLE, 1, FUR_SHELL_COUNT, &Settings::shellsDrawn},
    {"Fur", "fur-length", "fur length", Kind::DECIMAL, 0.25f, 3.0f, &Settings::furLength},
    {"Fur", "motion-bend", "bend by motion", Kind::DECIMAL, 0.0f, 3.0f, &Settings::motionBend},
    {"Fur", "bass-bend", "bend by the bass", Kind::DECIMAL, 0.0f, 3.0f, &Settings::bassBend},
    {"Fur", "hair-density", "hair density", Kind::DECIMAL, 0.25f, 2.0f, &Settings::hairDensity},
    {"Fur", "hair-lighting", "hair lighting (key 3)", Kind::SWITCH, 0, 0, &Settings::hairLighting},
    {"Shadows", "shadow-map-size", "shadow map size", Kind::SHADOW_MAP_SIZE, 0, 0, &Settings::shadowMapSize},
    {"Shadows", "soft-shadows", "soft shadow edges", Kind::SWITCH, 0, 0, &Settings::softShadows},
    {"Shadows", "shadow-bias", "depth bias", Kind::DECIMAL, 0.0f, 0.02f, &Settings::shadowBias},
    {"Shadows", "shadow-map-view", "show the shadow map", Kind::SWITCH, 0, 0, &Settings::shadowMapView},
    {"Light", "light-speed", "light speed", Kind::DECIMAL, 0.0f, 4.0f, &Settings::lightSpeed},
    {"Physics", "gravity", "gravity", Kind::DECIMAL, 0.0f, 2.0f, &Settings::gravity},
    {"Physics", "leap-strength", "leap strength", Kind::DECIMAL, 0.0f, 3.0f, &Settings::leapStrength},
    {"Physics", "rest-seconds", "rest before a leap, s", Kind::DECIMAL, 0.5f, 10.0f, &Settings::restSeconds},
    {"Music", "volume", "volume %", Kind::DECIMAL, 0.0f, 100.0f, &Settings::volumePercent},
    {"Music", "mute", "mute", Kind::SWITCH, 0, 0, &Settings::mute},
    {"Music", "spectrum", "spectrum line", Kind::SWITCH, 0, 0, &Settings::spectrumLine},
    {"Frame", "vsync", "vsync", Kind::SWITCH, 0, 0, &Settings::vsync},
};
const int SETTING_COUNT = int(sizeof SETTING_INFOS / sizeof SETTING_INFOS[0]);

namespace {

// The value as `--set` spells it: whole numbers plainly, decimals as short as they read back.
template <typename Value>
std::string valueText(Value value) {
    if constexpr (std::is_same_v<Value, bool>) {
        return value ? "on" : "off";
    } else if constexpr (std::is_same_v<Value, int>) {
        return std::to_string(value);
    } else {
        char text[32];
        std::snprintf(text, sizeof text, "%g", double(value));
        return text;
    }
}

bool parseSwitch(const std::string& text, bool& value) {
    if (text == "on" || text == "true" || text == "1") value = true;
    else if (text == "off" || text == "false" || text == "0") value = false;
    else return false;
    return true;
}

bool parseNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && *end == '\0' && std::isfinite(value);
}

bool isShadowMapSize(double value) {
    for (int size : SHADOW_MAP_SIZES)
        if (value == size) return true;
    return false;
}

std::string rangeText(const SettingInfo& info) {
    switch (info.kind) {
        case Kind::SWITCH: return "on or off";
        case Kind::SHADOW_MAP_SIZE: return "256, 512, 1024, 2048 or 4096";
        case Kind::WHOLE: return valueText(int(info.minimum)) + " to " + valueText(int(info.maximum));
        case Kind::DECIMAL: break;
    }
    return valueText(info.minimum) + " to " + valueText(info.maximum);
}

// Reads text into the setting's field; false, leaving it as it was, when the text is not one of
// the setting's values.
bool parseInto(Settings& settings, const SettingInfo& info, const std::string& text) {
    if (info.kind == Kind::SWITCH) return parseSwitch(text, settings.*std::get<bool Settings::*>(info.field));
    double value = 0.0;
    if (!parseNumber(text, value)) return false;
    if (info.kind == Kind::SHADOW_MAP_SIZE) {
        if (!isShadowMapSize(value)) return false;
    } else if (value < info.minimum || value > info.maximum) {
        return false;
    }
    if (info.kind == Kind::DECIMAL) {
        settings.*std::get<float Settings::*>(info.field) = float(value);
        return true;
    }
    if (value != std::floor(value)) return false;
    settings.*std::get<int Settings::*>(info.field) = int(value);
    return true;
}

}  // namespace

int settingIndex(const std::string& name) {
    for (int index = 0; index < SETTING_COUNT; ++index)
        if (name == SETTING_INFOS[index].name) return index;
    return -1;
}

std::string settingValueText(const Settings& settings, int index) {
    return std::visit([&](auto field) { return valueText(settings.*field); }, SETTING_INFOS[index].field);
}

std::string applySettingText(Settings& settings, const std::string& assignment) {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos) return "a setting needs name=value, not '" + assignment + "'";
    const std::string name = assignment.substr(0, equals);
    const std::string value = assignment.substr(equals + 1);
    const int index = settingIndex(name);
    if (index < 0) return "no setting is called '" + name + "'";
    const SettingInfo& info = SETTING_INFOS[index];
    if (parseInto(settings, info, value)) return "";
    return "setting '" + name + "' takes " + rangeText(info) + ", not '" + value + "'";
}

void resetSetting(Settings& settings, int index) {
    const Settings start;
    std::visit([&](auto field) { settings.*field = start.*field; }, SETTING_INFOS[index].field);
}

std::string settingsHelpText(const char* indent) {
    const Settings start;
    std::string text;
    for (int index = 0; index < SETTING_COUNT; ++index) {
        const SettingInfo& info = SETTING_INFOS[index];
        char line[160];
        std::snprintf(line, sizeof line, "%s%-16s %-30s start %-6s %s\n", indent, info.name, rangeText(info).c_str(),
                      settingValueText(start, index).c_str(), info.meaning);
        text += line;
    }
    return text;
}
