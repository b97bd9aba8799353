#include "app/SettingsPanel.h"

#include <GL/glew.h>

#include <imgui.h>
#include <backends/imgui_impl_glut.h>
#include <backends/imgui_impl_opengl2.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/PixelRatio.h"

namespace {
const float PANEL_WIDTH = 330.0f;
const float PANEL_MARGIN = 8.0f;
const float PANEL_BACKGROUND_ALPHA = 0.85f;
const float GRAPH_HEIGHT = 60.0f;

// The passes of a frame as the profiler names them, and as the panel labels them.
const std::pair<const char*, const char*> PASSES[] = {
    {"shadow", "shadow"}, {"room", "room"}, {"fur floor", "floor"}, {"fur balls", "fur balls"}, {"overlay", "overlay"}};

double latestMilliseconds(const Profiler* profiler, const char* section) {
    if (!profiler) return 0.0;
    const auto found = profiler->samples().find(section);
    return found == profiler->samples().end() || found->second.empty() ? 0.0 : 1000.0 * found->second.back();
}

// One setting's control, by its kind.
void drawControl(Settings& settings, const SettingInfo& info) {
    switch (info.kind) {
        case SettingKind::WHOLE:
            ImGui::SliderInt(info.meaning, &(settings.*std::get<int Settings::*>(info.field)), int(info.minimum),
                             int(info.maximum));
            break;
        case SettingKind::DECIMAL:
            ImGui::SliderFloat(info.meaning, &(settings.*std::get<float Settings::*>(info.field)), info.minimum,
                               info.maximum, info.maximum <= 0.1f ? "%.4f" : "%.2f");
            break;
        case SettingKind::SWITCH:
            ImGui::Checkbox(info.meaning, &(settings.*std::get<bool Settings::*>(info.field)));
            break;
        case SettingKind::SHADOW_MAP_SIZE: {
            int& size = settings.*std::get<int Settings::*>(info.field);
            if (ImGui::BeginCombo(info.meaning, std::to_string(size).c_str())) {
                for (int offered : SHADOW_MAP_SIZES)
                    if (ImGui::Selectable(std::to_string(offered).c_str(), offered == size)) size = offered;
                ImGui::EndCombo();
            }
            break;
        }
    }
}

bool sameGroup(int a, int b) { return std::strcmp(SETTING_INFOS[a].group, SETTING_INFOS[b].group) == 0; }

void drawSetting(Settings& settings, int index) {
    ImGui::PushID(index);
    if (ImGui::SmallButton("reset")) resetSetting(settings, index);
    ImGui::SameLine();
    drawControl(settings, SETTING_INFOS[index]);
    ImGui::PopID();
}

void drawFrameTimes(const FrameTimeHistory& frames, const Profiler* passTimes, const std::string& vsyncState,
                    float panelWidth, float scale) {
    const float latest = frames.milliseconds()[(frames.oldest() + FrameTimeHistory::LENGTH - 1) % FrameTimeHistory::LENGTH];
    char caption[32];
    std::snprintf(caption, sizeof caption, "%.1f ms", double(latest));
    ImGui::PlotLines("##frames", frames.milliseconds(), FrameTimeHistory::LENGTH, frames.oldest(), caption, 0.0f,
                     FLT_MAX, ImVec2(panelWidth * 0.55f, GRAPH_HEIGHT * scale));
    ImGui::SameLine();
    ImGui::BeginGroup();
    for (const auto& [section, label] : PASSES)
        ImGui::Text("%-9s %5.2f ms", label, latestMilliseconds(passTimes, section));
    ImGui::EndGroup();
    ImGui::TextUnformatted(("vsync: " + vsyncState).c_str());
}

// The state ImGui's OpenGL 2 renderer expects: no program, no buffers, fixed-function texturing
// on unit 0 alone. The room leaves units 1 and 2 texturing, so those are switched off around
// the draw and come back with the attribute pop.
void renderDrawData() {
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glUseProgram(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    for (GLenum unit : {GL_TEXTURE1, GL_TEXTURE2}) {
        glActiveTexture(unit);
        glDisable(GL_TEXTURE_2D);
    }
    glActiveTexture(GL_TEXTURE0);
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    glPopAttrib();
}
}  // namespace

void FrameTimeHistory::record(double seconds) {
    values[std::size_t(next)] = float(1000.0 * seconds);
    next = (next + 1) % LENGTH;
}

SettingsPanel::~SettingsPanel() {
    if (!started) return;
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplGLUT_Shutdown();
    ImGui::DestroyContext();
}

void SettingsPanel::start() {
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // Nothing is written into the user's working directory.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    applyStyle(windowPixelsPerPoint());
    ImGui_ImplGLUT_Init();
    ImGui_ImplOpenGL2_Init();
    started = true;
}

// Where a window pixel is smaller than a point (a phone's page), text and rows grow with it, so
// that they stay readable and a finger can hold a slider.
void SettingsPanel::applyStyle(float pixelsPerPoint) {
    ImGui::StyleColorsDark();
    ImGuiStyle& style = ImGui::GetStyle();
    // Tighter rows, so that every setting fits a 640 x 480 window with little scrolling.
    style.ItemSpacing.y = 3.0f;
    style.FramePadding.y = 1.0f;
    style.ScaleAllSizes(pixelsPerPoint);
    ImGui::GetIO().FontGlobalScale = pixelsPerPoint;
    scale = pixelsPerPoint;
}

// The renderer back end starts again, and makes its objects at the next frame. Remaking only
// its objects is not enough in the layer: ImGui 1.86's OpenGL 3 back end keeps its buffers'
// sizes past their deletion, so new buffers would get no storage and the panel no draws.
void SettingsPanel::remakeGlObjects() {
    if (!started) return;
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplOpenGL2_Init();
}

void SettingsPanel::toggle() {
    if (!started) start();
    visible = !visible;
}

bool SettingsPanel::takeKey(unsigned char key, bool down, int x, int y) {
    if (!visible) return false;
    if (down)
        ImGui_ImplGLUT_KeyboardFunc(key, x, y);
    else
        ImGui_ImplGLUT_KeyboardUpFunc(key, x, y);
    return ImGui::GetIO().WantCaptureKeyboard;
}

bool SettingsPanel::takeSpecialKey(int key, bool down, int x, int y) {
    if (!visible) return false;
    if (down)
        ImGui_ImplGLUT_SpecialFunc(key, x, y);
    else
        ImGui_ImplGLUT_SpecialUpFunc(key, x, y);
    return ImGui::GetIO().WantCaptureKeyboard;
}

bool SettingsPanel::takePointer(int x, int y) {
    if (!visible) return false;
    ImGui_ImplGLUT_MotionFunc(x, y);
    return true;
}

bool SettingsPanel::takeButton(int button, int state, int x, int y) {
    if (!visible) return false;
    ImGui_ImplGLUT_MouseFunc(button, state, x, y);
    return true;
}

bool SettingsPanel::takeWheel(int wheel, int direction, int x, int y) {
    if (!visible) return false;
    ImGui_ImplGLUT_MouseWheelFunc(wheel, direction, x, y);
    return true;
}

PanelRequests SettingsPanel::draw(Settings& settings, const FrameTimeHistory& frames, const Profiler* passTimes,
                                  const std::string& vsyncState, int windowWidth, int windowHeight) {
    PanelRequests requests;
    ImGui::GetIO().DisplaySize = ImVec2(float(windowWidth), float(windowHeight));
    const float pixelsPerPoint = windowPixelsPerPoint();
    if (pixelsPerPoint != scale) applyStyle(pixelsPerPoint);
    const float width = std::min(PANEL_WIDTH * scale, float(windowWidth) - 2.0f * PANEL_MARGIN);
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGLUT_NewFrame();  // calls ImGui::NewFrame itself in this ImGui version

    ImGui::SetNextWindowPos(ImVec2(float(windowWidth) - PANEL_MARGIN, PANEL_MARGIN), ImGuiCond_Always, ImVec2(1.0f, 0.0f));
    ImGui::SetNextWindowSize(ImVec2(width, float(windowHeight) - 2.0f * PANEL_MARGIN), ImGuiCond_Always);
    ImGui::SetNextWindowBgAlpha(PANEL_BACKGROUND_ALPHA);
    ImGui::Begin("Settings (Tab hides)", nullptr, ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoResize |
                                                      ImGuiWindowFlags_NoCollapse);
    ImGui::PushItemWidth(width * 0.36f);
    if (ImGui::Button("reset all")) settings = Settings{};
    bool groupOpen = false;
    for (int index = 0; index < SETTING_COUNT; ++index) {
        const char* group = SETTING_INFOS[index].group;
        if (index == 0 || !sameGroup(index - 1, index))
            groupOpen = ImGui::CollapsingHeader(group, ImGuiTreeNodeFlags_DefaultOpen);
        if (!groupOpen) continue;
        drawSetting(settings, index);
        if (index + 1 < SETTING_COUNT && sameGroup(index, index + 1)) continue;
        // The world's buttons close the physics settings, the frame graph the frame's.
        if (std::strcmp(group, "Physics") == 0) {
            requests.dropBalls = ImGui::Button("drop all balls again");
            ImGui::SameLine();
            requests.leapNow = ImGui::Button("leap now");
        } else if (std::strcmp(group, "Frame") == 0) {
            drawFrameTimes(frames, passTimes, vsyncState, width, scale);
        }
    }
    ImGui::PopItemWidth();
    ImGui::End();
    ImGui::Render();
    renderDrawData();
    return requests;
}
