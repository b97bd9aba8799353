// The settings panel, drawn with Dear ImGui over the finished frame: a slider or switch for
// every setting with its reset, a graph of the recent frame times and each pass's time. It
// edits nothing but the settings value; what it asks of the world comes back as requests.
// ImGui starts the first time the panel is shown, so a run that never shows it never starts it.
#pragma once

#include <array>
#include <string>

#include "app/Settings.h"
#include "render/Profiler.h"

// What the panel's buttons ask for this frame.
struct PanelRequests {
    bool dropBalls = false;
    bool leapNow = false;
};

// The last frame times, oldest first once the ring has filled.
class FrameTimeHistory {
public:
    static constexpr int LENGTH = 240;
    void record(double seconds);
    const float* milliseconds() const { return values.data(); }
    // Index of the oldest value, where a graph starts.
    int oldest() const { return next; }

private:
    std::array<float, LENGTH> values{};
    int next = 0;
};

class SettingsPanel {
public:
    SettingsPanel() = default;
    // Shuts ImGui down if the panel ever started it.
    ~SettingsPanel();
    SettingsPanel(const SettingsPanel&) = delete;
    SettingsPanel& operator=(const SettingsPanel&) = delete;

    bool shown() const { return visible; }
    void toggle();
    // Deletes ImGui's GL objects, to be made again at the next frame, if the panel ever started it.
    void remakeGlObjects();

    // Events while the panel is shown go to ImGui first. Each returns whether ImGui keeps the
    // event: a key while a panel field has the keyboard, any pointer event.
    bool takeKey(unsigned char key, bool down, int x, int y);
    bool takeSpecialKey(int key, bool down, int x, int y);
    bool takePointer(int x, int y);
    bool takeButton(int button, int state, int x, int y);
    bool takeWheel(int wheel, int direction, int x, int y);

    // Builds and draws the panel in window pixels, leaving the GL state as it found it.
    PanelRequests draw(Settings& settings, const FrameTimeHistory& frames, const Profiler* passTimes,
                       const std::string& vsyncState, int windowWidth, int windowHeight);

private:
    void start();
    void applyStyle(float pixelsPerPoint);
    bool started = false;
    float scale = 1.0f;  // window pixels per point the style was made for
    bool visible = false;
};
