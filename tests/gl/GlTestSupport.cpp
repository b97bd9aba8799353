#include "tests/gl/GlTestSupport.h"

#include "app/FrameClock.h"
#include "app/Window.h"

Scene* startTestScene(AudioOutput audioOutput) {
    static char programName[] = "fuzzlets-test";
    static char* argv[] = {programName, nullptr};
    static int argc = 1;
    FrameClock::useFixedFrameTime(1.0 / 60.0);
    static Scene* const started = startFuzzlets(&argc, argv, audioOutput);
    return started;
}

void runFrames(int count, bool withEvents) {
    for (int i = 0; i < count; ++i) {
        if (withEvents) glutMainLoopEvent();
        display();
    }
}

Picture Picture::readBack() {
    WindowPixels pixels = readWindowPixels(GL_BACK);
    return {pixels.width, pixels.height, std::move(pixels)};
}

Rgb Picture::at(int x, int yFromTop) const {
    const std::uint8_t* p = &pixels.rgb[(size_t(yFromTop) * size_t(width) + size_t(x)) * 3];
    return {p[0], p[1], p[2]};
}

Rgb Picture::mean(int x0, int y0, int x1, int y1) const {
    Rgb sum;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Rgb p = at(x, y);
            sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b};
        }
    const int count = (x1 - x0) * (y1 - y0);
    return {sum.r / count, sum.g / count, sum.b / count};
}

