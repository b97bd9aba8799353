// Runs the demo for a long stretch of simulated time with scripted input, the way a restless
// viewer would use it, and checks that it keeps drawing, keeps its balls in the room, keeps
// its memory flat and prints nothing but its start-up lines. Between its resize and full-screen
// steps it draws a small window with only the innermost fur shell: its checks are about the
// simulation, memory, resizes and input, not fill rate, and so ten simulated minutes take minutes.
#include <GL/glew.h>
#include <GL/freeglut.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>

#include "app/FrameClock.h"
#include "app/FrameDriver.h"
#include "app/Input.h"
#include "app/Scene.h"
#include "app/Window.h"
#include "platform/MemoryFigures.h"
#include "platform/StopRequests.h"
#include "render/Screenshot.h"

namespace {

const int FRAMES_PER_SECOND = 60;
// Every action of the script happens within its first SCRIPT_SECONDS, the warm-up (full screen
// and the largest window included), and the window's steps repeat every SCRIPT_SECONDS; no
// later stretch may need more memory than the warm-up did. The allocators settle over two rounds.
const int SCRIPT_SECONDS = 20;
const int WARM_UP_SECONDS = 2 * SCRIPT_SECONDS;
// Allocators keep some slack of their own (AddressSanitizer's most): growth within the larger
// of these is not a leak.
const double ALLOWED_MEMORY_GROWTH_MB = 8.0;
const double ALLOWED_MEMORY_GROWTH_SHARE = 0.05;
const float ROOM_INSIDE = 9.9f;
// A leap sends a ball off at up to 30 units a second, half a unit a frame: that deep it may sink
// into a wall for the one step before the contact pushes it back (0.31 seen).
const float PENETRATION_TOLERANCE = 0.5f;
const char* const EXPECTED_OUTPUT =
    "yeah we got frambuffer objects!\n"
    "loading texture: media/textures/NMBalls.png\n"
    "loading texture: media/textures/70er_green.jpg\n"
    "loading texture: media/textures/70er.jpg\n";

const unsigned char MOVEMENT_KEYS[] = {'w', 'a', 's', 'd', 'q', 'e'};
const int RESIZES[][2] = {{1, 1}, {320, 0}, {0, 0}, {200, 150}, {800, 600}, {640, 480}};
// The window between steps, and how many frames a resize or full-screen step is drawn in full.
const int SMALL_WIDTH = 64, SMALL_HEIGHT = 48;
const int STEP_FRAMES = 6;
// Half a second into each second every step has ended and the window goes back to small.
const int SETTLE_FRAME = FRAMES_PER_SECOND / 2;

struct SoakReport {
    int frames = 0;
    int failures = 0;
    int pictureChecks = 0;
    double warmMemoryMb = 0.0;  // peak during the warm-up
    double peakMemoryMb = 0.0;  // peak after it
};

void failure(SoakReport& report, int frame, const std::string& what) {
    std::fprintf(stderr, "soak: frame %d: %s\n", frame, what.c_str());
    ++report.failures;
}

// What the viewer does at each frame. The window's sizes come round every SCRIPT_SECONDS in the
// same order, so each later round asks the same of memory as the warm-up did.
void scriptedInput(int frame) {
    if (frame % 20 == 0) {
        const int step = frame / 20;
        passiveMotion(scene->pointerCentreX + (step % 7) - 3, scene->pointerCentreY + (step % 5) - 2);
    }
    const int second = frame / FRAMES_PER_SECOND, inSecond = frame % FRAMES_PER_SECOND;
    const int inRound = second % SCRIPT_SECONDS;
    const bool fullScreenStep = inRound == 8 || inRound == 11;
    if (inSecond == STEP_FRAMES) {
        if (fullScreenStep) keyboard('f', 0, 0);  // back out of full screen
        scene->settings.shellsDrawn = 1;
    }
    // Back to the small window; once more after the start window that full screen returns to.
    if (inSecond == STEP_FRAMES || inSecond == SETTLE_FRAME) {
        // A size that only the callback saw leaves the window itself small already.
        if (glutGet(GLUT_WINDOW_WIDTH) == SMALL_WIDTH && glutGet(GLUT_WINDOW_HEIGHT) == SMALL_HEIGHT)
            reshape(SMALL_WIDTH, SMALL_HEIGHT);
        else if (!scene->fullscreen)
            glutReshapeWindow(SMALL_WIDTH, SMALL_HEIGHT);
    }
    if (inSecond != 0) return;
    if (second % 2 == 0) keyboard(MOVEMENT_KEYS[(second / 2) % 6], 0, 0);
    if (second % 2 == 1) {
        keyboardUp(MOVEMENT_KEYS[(second / 2) % 6], 0, 0);
        keyboard('m', 0, 0);
    }
    if (second % 7 == 3) keyboard('u', 0, 0);
    if (fullScreenStep) keyboard('f', 0, 0);
    if (inRound % 3 == 2 && inRound < 18) {
        // X has no empty windows: a zero size can only arrive as GLUT's reshape callback.
        const int* size = RESIZES[inRound / 3];
        if (size[0] > 0 && size[1] > 0)
            glutReshapeWindow(size[0], size[1]);
        else
            reshape(size[0], size[1]);
    }
    if (fullScreenStep || inRound % 3 == 2) scene->settings.shellsDrawn = FUR_SHELL_COUNT;
}

void checkBalls(SoakReport& report, int frame) {
    for (size_t i = 0; i < scene->furBalls.size(); ++i) {
        const FurBall& ball = *scene->furBalls[i];
        const float limit = ROOM_INSIDE - 0.5f * ball.size.x + PENETRATION_TOLERANCE;
        for (float c : {ball.position.x, ball.position.y, ball.position.z}) {
            if (!std::isfinite(c) || std::fabs(c) > limit) {
                failure(report, frame, "ball " + std::to_string(i) + " left the room: " + std::to_string(c) +
                                           " beyond " + std::to_string(limit));
                return;
            }
        }
    }
}

// The last frame of a step, if the window is large enough to look at, must differ from the
// last one drawn at the same size: the light and the balls move.
void checkDrawing(SoakReport& report, int frame, std::map<std::pair<int, int>, std::size_t>& lastHashes) {
    if (scene->windowWidth < 100 || scene->windowHeight < 100) return;
    const WindowPixels pixels = readWindowPixels(GL_BACK);
    const std::size_t hash = std::hash<std::string>()(std::string(pixels.rgb.begin(), pixels.rgb.end()));
    std::size_t& last = lastHashes[{pixels.width, pixels.height}];
    if (hash == last) failure(report, frame, "the picture stopped changing");
    last = hash;
    ++report.pictureChecks;
}

// Standard output goes to a file while the demo runs, to be compared afterwards.
class CapturedStdout {
public:
    CapturedStdout() : file(std::tmpfile()), saved(dup(STDOUT_FILENO)) {
        std::fflush(stdout);
        dup2(fileno(file), STDOUT_FILENO);
    }
    std::string finish() {
        std::fflush(stdout);
        dup2(saved, STDOUT_FILENO);
        close(saved);
        std::string text;
        std::rewind(file);
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, file)) text += buffer;
        std::fclose(file);
        return text;
    }

private:
    FILE* file;
    int saved;
};

int parseSeconds(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--seconds") == 0) return std::atoi(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--minutes") == 0) return 60 * std::atoi(argv[2]);
    if (argc == 1) return 600;
    std::fprintf(stderr, "usage: fuzzlets-soak [--minutes M | --seconds S]   (default 10 minutes)\n");
    std::exit(2);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = parseSeconds(argc, argv);
    if (seconds <= 0) return 2;
    const int frames = seconds * FRAMES_PER_SECOND;
    SoakReport report;

    CapturedStdout output;
    FrameClock::useFixedFrameTime(1.0 / FRAMES_PER_SECOND);
    int glutArgc = 1;
    startFuzzlets(&glutArgc, argv);
    ignoreLiveInput();
    drawOnlyWhenCalled();
    glutReshapeWindow(SMALL_WIDTH, SMALL_HEIGHT);
    scene->settings.shellsDrawn = 1;
    std::map<std::pair<int, int>, std::size_t> lastHashes;
    for (int frame = 1; frame <= frames && !stopRequested(); ++frame) {
        scriptedInput(frame);
        // The picture is checked as drawn, before the swap.
        readEachFrame([&] {
            if (frame % FRAMES_PER_SECOND == STEP_FRAMES - 1) checkDrawing(report, frame, lastHashes);
        });
        display();
        glutMainLoopEvent();
        report.frames = frame;
        if (frame % FRAMES_PER_SECOND == 0) checkBalls(report, frame);
        double& peak = frame <= WARM_UP_SECONDS * FRAMES_PER_SECOND ? report.warmMemoryMb : report.peakMemoryMb;
        peak = std::max(peak, residentMemoryMb());
    }
    const std::string printed = output.finish();
    // Interrupted by a stop request: a part of the run has nothing to be judged by.
    if (stopRequested()) {
        Scene::destroyInstance();
        return stopExitStatus();
    }
    if (printed != EXPECTED_OUTPUT) failure(report, frames, "unexpected output:\n" + printed);
    if (report.pictureChecks < seconds / 8) failure(report, frames, "too few pictures could be checked");
    const double allowedGrowthMb = std::max(ALLOWED_MEMORY_GROWTH_MB, ALLOWED_MEMORY_GROWTH_SHARE * report.warmMemoryMb);
    if (report.peakMemoryMb - report.warmMemoryMb > allowedGrowthMb)
        failure(report, frames, "resident memory grew after the warm-up");

    std::printf("soak: %d frames (%d s simulated), %d picture checks, peak resident memory %.1f MB in "
                "the first %d s, %.1f MB after, %d failures\n",
                report.frames, seconds, report.pictureChecks, report.warmMemoryMb, WARM_UP_SECONDS,
                report.peakMemoryMb,
                report.failures);
    Scene::destroyInstance();
    return report.failures == 0 ? 0 : 1;
}
