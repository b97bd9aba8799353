// What a user expects of the real program: it stops when asked, finds its data from anywhere,
// answers --help without a display, comes back from full screen, and installs from its Debian
// package as a desktop program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sndfile.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "app/KeyTable.h"
#include "app/Settings.h"
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

// Polls a shell command until its output is `wanted`; returns the last output.
std::string waitForOutput(const std::string& command, const std::string& wanted, int seconds) {
    std::string output;
    for (int tries = 0; tries < seconds * 4 && (output = runCommand(command)) != wanted; ++tries)
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    return output;
}

// The id of the program's visible window on the display xdotool is run for.
std::string findWindow(const std::string& xdotool) {
    const std::string ids = runCommand("timeout 60 " + xdotool + "search --sync --onlyvisible --name '^Fuzzlets$'");
    return ids.substr(0, ids.find('\n'));
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
        waitForOutput("xdpyinfo -display " + name + " >/dev/null 2>&1 && echo up", "up\n", 10);
        if (!withWindowManager) return;
        manager = std::make_unique<RunningProgram>(std::vector<std::string>{"/usr/bin/openbox"},
                                                   std::vector<std::string>{"DISPLAY=" + name});
        // A window mapped before the manager has taken over may never be mapped at all.
        waitForOutput("xprop -display " + name + " -root _NET_SUPPORTING_WM_CHECK | grep -c 'window id'", "1\n", 10);
    }
    ~PrivateDisplay() {
        // SIGTERM, so that the server takes its lock file away with it.
        for (RunningProgram* program : {manager.get(), server.get()})
            if (program) program->stop(SIGTERM, seconds(5));
    }
    std::string name;

private:
    std::unique_ptr<RunningProgram> server, manager;
};
}  // namespace

TEST(EverydayUseTest, HelpAndVersionNeedNoDisplay) {
    RunningProgram help({"/usr/bin/env", "-u", "DISPLAY", FUZZLETS_BINARY, "--help"});
    EXPECT_EQ(help.waitForExit(seconds(10)), 0);
    const std::string usage = help.readRest();
    for (int line = 0; line < KEY_TABLE_LINES; ++line) EXPECT_NE(usage.find(KEY_TABLE[line]), std::string::npos);
    EXPECT_NE(usage.find(settingsHelpText("    ")), std::string::npos);
    // A bad setting ends the program before it looks for a display.
    RunningProgram badSetting({"/bin/sh", "-c", std::string("exec 2>&1 env -u DISPLAY ") + FUZZLETS_BINARY + " --set fur-length=9"});
    EXPECT_EQ(badSetting.waitForExit(seconds(10)), 2);
    EXPECT_NE(badSetting.readRest().find("'fur-length'"), std::string::npos);
    RunningProgram version({"/usr/bin/env", "-u", "DISPLAY", FUZZLETS_BINARY, "--version"});
    EXPECT_EQ(version.waitForExit(seconds(10)), 0);
    EXPECT_EQ(version.readRest().rfind("fuzzlets ", 0), 0u);
}

TEST(EverydayUseTest, StartedElsewhereItFindsItsDataAndSignalsEndItInOrder) {
    const fs::path folder = emptyFolder("elsewhere");
    const std::string sound = (folder / "sound.raw").string();
    for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) {
        // exec: the signal must reach the program, not the shell.
        RunningProgram program({"/bin/sh", "-c", "cd " + folder.string() + " && exec " FUZZLETS_BINARY},
                               {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + sound});
        ASSERT_EQ(program.readLine(), "yeah we got frambuffer objects!\n");
        std::this_thread::sleep_for(seconds(3));
        EXPECT_EQ(program.stop(signalNumber, seconds(2)), 128 + signalNumber);
        EXPECT_EQ("yeah we got frambuffer objects!\n" + program.readRest(), START_UP_LINES);
    }
    // The music played: the device got samples, and not only silence.
    std::ifstream output(sound, std::ios::binary);
    std::vector<float> samples(44100);
    output.read(reinterpret_cast<char*>(samples.data()), std::streamsize(samples.size() * sizeof(float)));
    float loudest = 0.0f;
    for (float sample : samples) loudest = std::max(loudest, std::fabs(sample));
    EXPECT_GT(loudest, 0.05f);
    fs::remove_all(folder);
}

TEST(EverydayUseTest, InterruptedCaptureKeepsAReadableSoundFile) {
    const fs::path folder = emptyFolder("interrupted");
    RunningProgram capture({FUZZLETS_CAPTURE, "--frames", "100000", "--quiet", "--output", folder.string()});
    std::this_thread::sleep_for(seconds(6));
    EXPECT_EQ(capture.stop(SIGINT, seconds(5)), 128 + SIGINT);
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
    struct RoundTrip {
        bool withWindowManager;
        const char *width, *height;
    };
    for (const RoundTrip& trip : {RoundTrip{true, "800", "600"}, RoundTrip{false, "1280", "1024"}}) {
        SCOPED_TRACE(trip.withWindowManager ? "openbox" : "bare");
        PrivateDisplay display(trip.withWindowManager);
        const fs::path folder = emptyFolder("window");
        RunningProgram program({"/bin/sh", "-c", "cd " + folder.string() + " && exec " FUZZLETS_BINARY},
                               {"DISPLAY=" + display.name});
        const std::string xdotool = "env DISPLAY=" + display.name + " xdotool ";
        const std::string window = findWindow(xdotool);
        ASSERT_FALSE(window.empty());
        const std::string geometry = xdotool + "getwindowgeometry " + window + " | tail -n 2";
        const long ticks = cpuTicks(program.pid);
        std::this_thread::sleep_for(seconds(2));
        EXPECT_GT(cpuTicks(program.pid), ticks + 50);
        const std::string start = runCommand(geometry);
        // A window manager's frame moves the client area inside the place asked for.
        EXPECT_TRUE(trip.withWindowManager || start == "  Position: 100,100 (screen: 0)\n  Geometry: 640x480\n") << start;
        // F12 twice: two numbered pictures of the window, in the folder it was started from.
        // Two presses a moment apart: sent back to back, their equal time stamps make GLUT take
        // the second for a key repeat, which it drops.
        for (int press = 0; press < 2; ++press) {
            runCommand(xdotool + "key --window " + window + " F12");
            std::this_thread::sleep_for(seconds(1));
        }
        std::string saved;
        for (const char* name : {"fuzzlets-0001.png", "fuzzlets-0002.png"}) {
            saved += "screenshot written to " + (folder / name).string() + "\n";
            const std::string png = fileBytes(folder / name);  // width and height in its header
            EXPECT_TRUE(png.size() > 24 && png.compare(16, 8, std::string("\0\0\x02\x80\0\0\x01\xe0", 8)) == 0) << name;
        }

        // Each resize must hold: a return that stayed armed would undo it.
        const auto resizeTo = [&](const std::string& width, const std::string& height) {
            runCommand(xdotool + "windowsize " + window + " " + width + " " + height);
            std::this_thread::sleep_for(seconds(2));
            EXPECT_NE(runCommand(geometry).find(width + "x" + height), std::string::npos) << runCommand(geometry);
        };
        resizeTo(trip.width, trip.height);
        runCommand(xdotool + "key --window " + window + " f");
        std::this_thread::sleep_for(seconds(3));
        EXPECT_NE(runCommand(geometry).find("Geometry: 1280x1024"), std::string::npos) << "full screen";
        runCommand(xdotool + "key --window " + window + " f");
        EXPECT_EQ(waitForOutput(geometry, start, 30), start);
        std::this_thread::sleep_for(seconds(5));  // the return settles
        resizeTo("700", "500");

        runCommand(xdotool + "key --window " + window + " W x space F1 Up");
        runCommand(xdotool + "mousemove --window " + window + " 50 60 click 1");
        EXPECT_EQ(program.waitForExit(seconds(1)), -1);
        runCommand(xdotool + "key --window " + window + " Escape");
        EXPECT_EQ(program.waitForExit(seconds(20)), 0);
        EXPECT_EQ(program.readRest(), START_UP_LINES + saved);
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
    EXPECT_EQ(program.waitForExit(seconds(20)), 0);
    EXPECT_EQ(program.readRest(), "");
    fs::remove_all(folder);
    fs::remove_all(start);
}
