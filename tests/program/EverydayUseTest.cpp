// What a user expects of the real program: it stops when asked, finds its data from anywhere,
// answers --help without a display, comes back from full screen, and installs from its Debian
// package as a desktop program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <cstdint>

#include "app/KeyTable.h"
#include "app/Settings.h"
#include "render/DriverRequirements.h"
#include "tests/TestFiles.h"
#include "tests/program/RunningProgram.h"

namespace fs = std::filesystem;
using std::chrono::seconds;

namespace {
const char* const START_UP_LINES =
    "yeah we got frambuffer objects!\n"
    "loading texture: media/textures/NMBalls.png\n"
    "loading texture: media/textures/70er_green.jpg\n"
    "loading texture: media/textures/70er.jpg\n";

// CPU time the process has used, in clock ticks.
long cpuTicks(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    long ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i)
        if (i >= 14) ticks += std::stol(field);  // user and system time
    return ticks;
}

// Waits until the program has used another second of CPU time: it is alive and drawing, and
// between its frames it has run whatever its own timers had due.
void letItDraw(pid_t pid) {
    const long start = cpuTicks(pid);
    waitUntil([&] { return cpuTicks(pid) >= start + sysconf(_SC_CLK_TCK); }, "a second of drawing");
}

// Waits until a shell command prints `wanted`.
void waitForOutput(const std::string& command, const std::string& wanted) {
    waitUntil([&] { return runCommand(command) == wanted; }, "'" + command + "' to print '" + wanted + "'");
}

// Runs of white space as one space, as a text reads whatever the line breaks.
std::string oneSpaced(const std::string& text) {
    std::istringstream words(text);
    std::string spaced;
    for (std::string word; words >> word;) spaced += word + " ";
    return spaced;
}

// A display of the test's own, so that a window manager on it reaches no other test's window.
class PrivateDisplay {
public:
    explicit PrivateDisplay(bool withWindowManager) {
        int number = 70;
        while (fs::exists("/tmp/.X" + std::to_string(number) + "-lock")) ++number;
        name = ":" + std::to_string(number);
        server = std::make_unique<RunningProgram>(std::vector<std::string>{
            "/usr/bin/Xvfb", name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"});
        waitForOutput("xdpyinfo -display " + name + " >/dev/null 2>&1 && echo up", "up\n");
        if (!withWindowManager) return;
        manager = std::make_unique<RunningProgram>(std::vector<std::string>{"/usr/bin/openbox"},
                                                   std::vector<std::string>{"DISPLAY=" + name});
        // A window mapped before the manager has taken over may never be mapped at all.
        waitForOutput("xprop -display " + name + " -root _NET_SUPPORTING_WM_CHECK | grep -c 'window id'", "1\n");
    }
    ~PrivateDisplay() {
        // SIGTERM, so that the server takes its lock file away with it.
        for (RunningProgram* program : {manager.get(), server.get()})
            if (program) program->stop(SIGTERM);
    }
    std::string name;

private:
    std::unique_ptr<RunningProgram> server, manager;
};
}  // namespace

TEST(EverydayUseTest, HelpAndVersionNeedNoDisplay) {
    RunningProgram help({"/usr/bin/env", "-u", "DISPLAY", FUZZLETS_BINARY, "--help"});
    EXPECT_EQ(help.waitForExit(), 0);
    const std::string usage = help.readRest();
    for (int line = 0; line < KEY_TABLE_LINES; ++line) EXPECT_NE(usage.find(KEY_TABLE[line]), std::string::npos);
    EXPECT_NE(usage.find(settingsHelpText("    ")), std::string::npos);
    // A bad setting ends the program before it looks for a display.
    RunningProgram badSetting({"/bin/sh", "-c", std::string("exec 2>&1 env -u DISPLAY ") + FUZZLETS_BINARY + " --set fur-length=9"});
    EXPECT_EQ(badSetting.waitForExit(), 2);
    EXPECT_NE(badSetting.readRest().find("'fur-length'"), std::string::npos);
    RunningProgram version({"/usr/bin/env", "-u", "DISPLAY", FUZZLETS_BINARY, "--version"});
    EXPECT_EQ(version.waitForExit(), 0);
    EXPECT_EQ(version.readRest().rfind("fuzzlets ", 0), 0u);
}

// Mesa told to be a driver without what the demo needs: the program names what is missing and
// which driver it is, and ends with a status of its own, not a crash.
TEST(EverydayUseTest, ADriverLackingWhatItNeedsIsNamedAndEndsItWithItsOwnStatus) {
    const struct {
        const char* program;
        const char* driver;
        const char* offers;
    } cases[] = {
        {FUZZLETS_BINARY, "MESA_GL_VERSION_OVERRIDE=1.4", ", OpenGL 1.4 Mesa "},
        {FUZZLETS_BINARY, "MESA_EXTENSION_OVERRIDE=-GL_ARB_framebuffer_object -GL_EXT_framebuffer_object",
         ") offers OpenGL 2.1 without framebuffer objects.\n"},
        {FUZZLETS_CAPTURE, "MESA_GL_VERSION_OVERRIDE=1.4", ") offers OpenGL 1.4.\n"},
    };
    for (const auto& run : cases) {
        SCOPED_TRACE(std::string(run.program) + " " + run.driver);
        RunningProgram program({"/bin/sh", "-c", std::string("exec 2>&1 ") + run.program}, {run.driver});
        EXPECT_EQ(program.waitForExit(), DRIVER_LACKS_STATUS);
        const std::string printed = program.readRest();
        EXPECT_NE(printed.find("Fuzzlets needs OpenGL 2.0 with framebuffer objects; this driver (llvmpipe"),
                  std::string::npos) << printed;
        EXPECT_NE(printed.find(run.offers), std::string::npos) << printed;
    }
}

TEST(EverydayUseTest, StartedElsewhereItFindsItsDataAndSignalsEndItInOrder) {
    const fs::path folder = emptyFolder("elsewhere");
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        const std::string sound = (folder / ("sound-" + std::to_string(signalNumber) + ".raw")).string();
        // exec: the signal must reach the program, not the shell.
        RunningProgram program({"/bin/sh", "-c", "cd " + folder.string() + " && exec " FUZZLETS_BINARY},
                               {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound});
        // Signalled once a second of its music has played: it found the track too.
        DiskAudio audio(sound);
        waitUntil([&] { return audio.samplesSinceSound() >= 44100; }, "a second of music on the disk output");
        EXPECT_EQ(program.stop(signalNumber), 128 + signalNumber);
        EXPECT_EQ(program.readRest(), START_UP_LINES);
    }
    fs::remove_all(folder);
}

TEST(EverydayUseTest, InterruptedCaptureKeepsAReadableSoundFile) {
    const fs::path folder = emptyFolder("interrupted");
    RunningProgram capture({FUZZLETS_CAPTURE, "--frames", "100000", "--quiet", "--output", folder.string()});
    // Interrupted once two frames' worth of 16-bit stereo follows the 44-byte header.
    std::error_code missing;
    waitUntil([&] { return fs::file_size(folder / "music.wav", missing) > 44 + 2 * 735 * 4 && !missing; },
              "two frames of music in the capture's WAV file");
    EXPECT_EQ(capture.stop(SIGINT), 128 + SIGINT);
    SF_INFO info = {};
    SNDFILE* file = sf_open((folder / "music.wav").c_str(), SFM_READ, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    EXPECT_GT(info.frames, 735);  // more than one frame's worth at 60 frames a second
    sf_close(file);
    fs::remove_all(folder);
}

// The window opens at its start place, draws continuously, ignores keys outside its table,
// returns from full screen to the start window whatever size it had (the screen's own too),
// with and without a window manager, leaves nothing pending that would undo a later resize,
// saves numbered screenshots on F12, and quits on Escape having printed nothing but its start-up
// lines and the screenshots' names.
TEST(EverydayUseTest, WindowReturnsFromFullScreenAndEscapeQuits) {
    for (bool withWindowManager : {true, false}) {
        const std::string resized = withWindowManager ? "800x600" : "1280x1024";  // bare: the screen's size
        SCOPED_TRACE(withWindowManager ? "openbox" : "bare");
        PrivateDisplay display(withWindowManager);
        const fs::path folder = emptyFolder("window");
        RunningProgram program({"/bin/sh", "-c", "cd " + folder.string() + " && exec " FUZZLETS_BINARY},
                               {"DISPLAY=" + display.name});
        std::string printed;
        for (int line = 0; line < 4; ++line) printed += program.readLine();
        EXPECT_EQ(printed, START_UP_LINES);
        const std::string xdotool = "env DISPLAY=" + display.name + " xdotool ";
        const std::string window = findWindow(xdotool);
        ASSERT_FALSE(window.empty());
        const std::string geometry = xdotool + "getwindowgeometry " + window + " | tail -n 2";
        letItDraw(program.pid);
        const std::string start = runCommand(geometry);
        // A window manager's frame moves the client area inside the place asked for.
        EXPECT_TRUE(withWindowManager || start == "  Position: 100,100 (screen: 0)\n  Geometry: 640x480\n") << start;

        // F12: the next numbered picture of the window, in the folder it was started from; its
        // size as its PNG header gives it. Each press waits for the last one's picture: sent back
        // to back, equal time stamps make GLUT take the second for a key repeat, which it drops.
        int screenshots = 0;
        const auto screenshotSize = [&] {
            const std::string png = fileBytes(takeScreenshot(program, xdotool, window, folder.string(), ++screenshots));
            const auto number = [&png](size_t at) { return std::to_string(std::uint8_t(png[at]) * 256 + std::uint8_t(png[at + 1])); };
            return png.size() > 24 ? number(18) + "x" + number(22) : "no picture";
        };
        EXPECT_EQ(screenshotSize(), "640x480");

        // A resize holds: the program draws its pictures at the new size and the window keeps it.
        // Right after a return from full screen, the return may still put the start window back;
        // once it has settled, nothing may.
        const auto resizeHolds = [&](const std::string& size) {
            runCommand(xdotool + "windowsize " + window + " " + size.substr(0, size.find('x')) + " " + size.substr(size.find('x') + 1));
            letItDraw(program.pid);
            return screenshotSize() == size && runCommand(geometry).find("Geometry: " + size) != std::string::npos;
        };
        waitUntil([&] { return resizeHolds(resized); }, "a resize to " + resized + " that holds");
        runCommand(xdotool + "key --window " + window + " f");
        waitUntil([&] { return runCommand(geometry).find("Geometry: 1280x1024") != std::string::npos; }, "full screen");
        runCommand(xdotool + "key --window " + window + " f");
        waitForOutput(geometry, start);
        // The return settles undisturbed over a few frames, each picture a frame of its own.
        for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(screenshotSize(), "640x480");
        waitUntil([&] { return resizeHolds("700x500"); }, "a resize to 700x500 that holds once the return settled");

        // Keys outside the table and a click: it draws on, and prints nothing.
        runCommand(xdotool + "key --window " + window + " W x space F1 Up");
        runCommand(xdotool + "mousemove --window " + window + " 50 60 click 1");
        letItDraw(program.pid);
        runCommand(xdotool + "key --window " + window + " Escape");
        EXPECT_EQ(program.waitForExit(), 0);
        EXPECT_EQ(program.readRest(), "");
        fs::remove_all(folder);
    }
}

// The package unpacked into an empty root: its desktop files pass Debian's validators, its manual
// page lists every key, its dependencies are Debian's packages, and the program started from an
// empty folder takes its data from the package, not from the source tree, and quits on Escape.
TEST(EverydayUseTest, TheDebianPackageInstallsADesktopProgramThatRunsFromItsOwnFiles) {
    const fs::path folder = emptyFolder("package");
    runCommand("cpack -G DEB --config " FUZZLETS_BUILD_DIR "/CPackConfig.cmake -B " + folder.string() + " >/dev/null");
    const std::string arch = runCommand("dpkg --print-architecture");
    const std::string deb =
        (folder / ("fuzzlets_" FUZZLETS_VERSION "_" + arch.substr(0, arch.size() - 1) + ".deb")).string();
    ASSERT_TRUE(fs::exists(deb));
    EXPECT_NE(runCommand("dpkg-deb -f " + deb + " Depends").find("libglut"), std::string::npos);
    // Each name, alternatives too, is a package apt knows (real or provided); unknown ones are printed.
    EXPECT_EQ(runCommand("dpkg-deb -f " + deb + " Depends | tr ',|' '\\n\\n' | sed 's/(.*//' | "
                         "xargs -n1 sh -c 'apt-cache policy \"$0\" | grep -q . || echo \"$0\"'"), "");

    const fs::path root = folder / "root", share = root / "usr/share";
    runCommand("dpkg-deb -x " + deb + " " + root.string());
    EXPECT_EQ(
        runCommand("desktop-file-validate " + (share / "applications/org.fuzzlets.Fuzzlets.desktop").string() +
                   " 2>&1 && appstreamcli validate --no-net " +
                   (share / "metainfo/org.fuzzlets.Fuzzlets.metainfo.xml").string() + " >/dev/null 2>&1 && echo valid"),
        "valid\n");
    for (const char* size : {"16x16", "48x48", "256x256"})
        EXPECT_TRUE(fs::exists(share / "icons/hicolor" / size / "apps/org.fuzzlets.Fuzzlets.png")) << size;
    const std::string manual =
        oneSpaced(runCommand("MANWIDTH=200 LC_ALL=C man -l " + (share / "man/man6/fuzzlets.6.gz").string()));
    for (int line = 0; line < KEY_TABLE_LINES; ++line)
        EXPECT_NE(manual.find(oneSpaced(KEY_TABLE[line])), std::string::npos) << KEY_TABLE[line];

    const fs::path start = emptyFolder("package-start");
    RunningProgram program(
        {"/bin/sh", "-c", "cd " + start.string() + " && exec " + (root / "usr/bin/fuzzlets").string()});
    std::string printed;
    for (int line = 0; line < 4; ++line) printed += program.readLine();
    EXPECT_EQ(printed, START_UP_LINES);
    EXPECT_EQ(fs::read_symlink("/proc/" + std::to_string(program.pid) + "/cwd"), share / "fuzzlets");
    runCommand("xdotool key --window " + findWindow("xdotool ") + " Escape");
    EXPECT_EQ(program.waitForExit(), 0);
    EXPECT_EQ(program.readRest(), "");
    fs::remove_all(folder);
    fs::remove_all(start);
}
