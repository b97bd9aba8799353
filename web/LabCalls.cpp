// What the page's lab (web/lab/) asks of the running program: the shader files reloaded once the
// editor has written them where the program reads them, and the settings read and changed as
// `--set` spells them. Each answer is a text the page reads at once, before its next call.
#include <emscripten.h>

#include <string>

#include "app/Scene.h"
#include "app/Settings.h"
#include "app/Window.h"

namespace {
std::string answer;

const char* answerWith(std::string text) {
    answer = std::move(text);
    return answer.c_str();
}
}  // namespace

extern "C" {
// The reload a saved file gets on the desktop. The watcher is told first, so that it does not
// reload the same edit again. Returns the compiler's messages, empty when every program was made;
// the programs that failed keep their last good build.
EMSCRIPTEN_KEEPALIVE const char* fuzzletsShadersWritten() {
    scene->shaderWatcher.changed();
    scene->reloadShaders();
    return answerWith(scene->shaderErrors);
}

// "name=value" checked against the settings, and applied where `apply` is set, as the settings
// panel applies a change. Returns what is wrong, naming the setting, or an empty text.
EMSCRIPTEN_KEEPALIVE const char* fuzzletsSetSetting(const char* assignment, int apply) {
    Settings changed = scene->settings;
    std::string problem = applySettingText(changed, assignment);
    if (problem.empty() && apply) scene->settings = changed;
    return answerWith(std::move(problem));
}

// The setting's value as `--set` spells it; empty for a name the program does not have.
EMSCRIPTEN_KEEPALIVE const char* fuzzletsSettingValue(const char* name) {
    const int index = settingIndex(name);
    return answerWith(index < 0 ? "" : settingValueText(scene->settings, index));
}

// "name=value" lines for every setting away from its start value: what a shared link carries.
EMSCRIPTEN_KEEPALIVE const char* fuzzletsChangedSettings() {
    const Settings start;
    std::string lines;
    for (int index = 0; index < SETTING_COUNT; ++index) {
        const std::string value = settingValueText(scene->settings, index);
        if (value != settingValueText(start, index)) lines += std::string(SETTING_INFOS[index].name) + "=" + value + "\n";
    }
    return answerWith(lines);
}
}
