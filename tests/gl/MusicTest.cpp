// The music's spectrum as the frame reads it, and the fur it bends.
#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/FrameDriver.h"
#include "app/Scene.h"
#include "tests/gl/GlTestSupport.h"

namespace {
const int FRAMES_OF_AUDIO_PER_FRAME = 735;  // 44100 / 60
}  // namespace

TEST(MusicTest, BinTwoFollowsTheBeatAndBendsTheShadowFur) {
    Scene* s = startTestScene(AUDIO_OUTPUT_MANUAL);
    std::vector<float> mix(FRAMES_OF_AUDIO_PER_FRAME * 2);
    runFrames(1);  // the first colour pass gives every ball its model matrix
    float lowest = 1.0f, highest = 0.0f;
    int rises = 0;
    float previous = 0.0f;
    for (int frame = 0; frame < 120; ++frame) {
        s->audioSystem->pull(mix.data(), FRAMES_OF_AUDIO_PER_FRAME);
        advanceWorld();
        const float value = s->spectrum[2];
        renderShadowMap();
        // The last ball drawn into the shadow map is ball 5, of size 1.
        GLfloat gravity[4];
        glGetUniformfv(s->program("depth"), s->programs.location("depth", "gravity"), gravity);
        const float bend = std::sqrt(gravity[0] * gravity[0] + gravity[1] * gravity[1] + gravity[2] * gravity[2]);
        EXPECT_NEAR(bend, std::fabs(2.0f * value * value - 1.0f), 1e-4f) << frame;
        drawView();
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
        if (value > 0.2f && previous <= 0.2f) ++rises;
        previous = value;
    }
    // Two seconds at 120 beats a minute: four kicks, each lifting bin 2 well above the quiet.
    EXPECT_LT(lowest, 0.05f);
    EXPECT_GT(highest, 0.3f);
    EXPECT_GE(rises, 3);
}
