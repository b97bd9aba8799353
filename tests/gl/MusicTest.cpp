// The music's spectrum as the frame reads it, and the fur in the shadow pass it bends.
#include <algorithm>
#include <cmath>

#include "tests/gl/GlTestSupport.h"

TEST(MusicTest, BinTwoFollowsTheBeatAndBendsTheShadowFur) {
    Scene* s = startTestScene(AUDIO_OUTPUT_MANUAL);
    std::vector<float> mix(735 * 2);  // one frame of 44100 Hz stereo at 60 frames a second
    runFrames(1);  // the first colour pass gives every ball its model matrix
    float lowest = 1.0f, highest = 0.0f, previous = 0.0f;
    int rises = 0;
    for (int frame = 0; frame < 120; ++frame) {
        s->audioSystem->pull(mix.data(), 735);
        advanceWorld();
        const float value = s->spectrum[2];
        if (frame % 15 == 0) {
            renderShadowMap();
            // The last ball drawn into the shadow map is ball 5, of size 1.
            GLfloat gravity[4];
            glGetUniformfv(s->program("depth"), s->programs.location("depth", "gravity"), gravity);
            EXPECT_NEAR(std::hypot(gravity[0], gravity[1], gravity[2]), std::fabs(2.0f * value * value - 1.0f), 1e-4f);
        }
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
        rises += value > 0.2f && previous <= 0.2f;
        previous = value;
    }
    // Two seconds at 120 beats a minute: four kicks, each lifting bin 2 well above the quiet.
    EXPECT_LT(lowest, 0.05f);
    EXPECT_GT(highest, 0.3f);
    EXPECT_GE(rises, 3);
}
