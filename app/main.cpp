// Fuzzlets: six furry balls in a closed room, a wandering light, shadows and a music loop.
#include <GL/glew.h>
#include <GL/freeglut.h>

#include "app/CommandLine.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "platform/Console.h"
#include "platform/StopRequests.h"

namespace {
// How often the loop looks for a stop request; well under one software-rendered frame.
constexpr unsigned STOP_CHECK_MILLISECONDS = 50;
// How often the shader files are looked at: an edit shows within a second.
constexpr unsigned SHADER_CHECK_MILLISECONDS = 250;

void leaveLoopWhenStopped(int) {
    if (stopRequested())
        glutLeaveMainLoop();
    else
        glutTimerFunc(STOP_CHECK_MILLISECONDS, leaveLoopWhenStopped, 0);
}
void reloadChangedShaders(int) {
    if (scene->shaderWatcher.changed()) scene->reloadShaders();
    glutTimerFunc(SHADER_CHECK_MILLISECONDS, reloadChangedShaders, 0);
}
}  // namespace

int main(int argc, char** argv) {
    useParentConsole();
    const int informationStatus = answerInformationOptions(argc, argv);
    if (informationStatus >= 0) return informationStatus;

    Settings settings;
    const int settingsStatus = readSettingOptions(argc, argv, settings, "fuzzlets");
    if (settingsStatus >= 0) return settingsStatus;

    startFuzzlets(&argc, argv, AUDIO_OUTPUT_DEVICE, settings);
    // A stop request or the window manager's close button ends the loop; the scene is then
    // shut down here, music first.
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_GLUTMAINLOOP_RETURNS);
    glutTimerFunc(STOP_CHECK_MILLISECONDS, leaveLoopWhenStopped, 0);
    glutTimerFunc(SHADER_CHECK_MILLISECONDS, reloadChangedShaders, 0);
    glutMainLoop();
    if (scene) Scene::destroyInstance();
    return stopExitStatus();
}
