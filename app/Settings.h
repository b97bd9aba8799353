// Every value a learner can change while the demo runs, in one plain value. The settings panel
// and `--set` edit it; the passes, the fur balls, the physics world, the light and the music
// read it through their arguments. Its start values are the demo's own: at them every picture
// is the one the demo draws without settings.
#pragma once

#include <string>
#include <variant>

#include "furballs/FurBall.h"
#include "render/FurStyle.h"
#include "render/ShadowMap.h"
#include "render/Textures.h"

// The start value of every setting that scales something the demo does.
constexpr float AS_DESIGNED = 1.0f;
// Depth subtracted before a hair's shadow comparison, in shadow-map units.
constexpr float FUR_SHADOW_BIAS = 0.002f;
constexpr float FULL_VOLUME_PERCENT = 100.0f;

struct Settings {
    // Fur
    int shellsDrawn = FUR_SHELL_COUNT;
    float furLength = AS_DESIGNED;
    float motionBend = AS_DESIGNED;
    float bassBend = AS_DESIGNED;
    float hairDensity = AS_DESIGNED;
    bool hairLighting = true;  // off: each shell lit like the sphere under it, the earlier look
    // Shadows
    int shadowMapSize = SHADOW_MAP_SIZE;
    bool softShadows = true;
    float shadowBias = FUR_SHADOW_BIAS;
    bool shadowMapView = false;
    // Light
    float lightSpeed = AS_DESIGNED;
    // Physics
    float gravity = AS_DESIGNED;
    float leapStrength = AS_DESIGNED;
    float restSeconds = float(REST_SECONDS_BEFORE_LEAP);
    // Music
    float volumePercent = FULL_VOLUME_PERCENT;
    bool mute = false;
    bool spectrumLine = false;
    // Frame: the GLX default, one swap per vertical blank
    bool vsync = true;

    FurStyle furStyle() const { return {shellsDrawn, furLength, motionBend, bassBend, shadowBias, hairLighting}; }
    LeapRule leapRule() const { return {leapStrength, restSeconds}; }
    // The music's gain, 0 to 1.
    float musicGain() const { return mute ? 0.0f : volumePercent / FULL_VOLUME_PERCENT; }
};

// What a setting is, for the panel, `--set` and `--help`.
enum class SettingKind { WHOLE, DECIMAL, SWITCH, SHADOW_MAP_SIZE };

struct SettingInfo {
    const char* group;    // the panel's heading it sits under
    const char* name;     // as `--set` spells it
    const char* meaning;  // as the panel labels it
    SettingKind kind;
    float minimum, maximum;  // WHOLE and DECIMAL only
    std::variant<int Settings::*, float Settings::*, bool Settings::*> field;
};

extern const SettingInfo SETTING_INFOS[];
extern const int SETTING_COUNT;

// The index of the setting `--set` calls name; -1 where none is.
int settingIndex(const std::string& name);
// The setting's value as `--set` would take it: "40", "1.5", "on", "1024".
std::string settingValueText(const Settings& settings, int index);
// Applies "name=value" to settings. Returns an empty text, or what is wrong, naming the setting.
std::string applySettingText(Settings& settings, const std::string& assignment);
// Sets the one setting back to its start value.
void resetSetting(Settings& settings, int index);
// The table for `--help`: each name with its range and start value, one line each.
std::string settingsHelpText(const char* indent);
