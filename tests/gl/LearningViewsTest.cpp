// The keys for looking inside the frame: each changes the picture where it should and nowhere
// else, and switching it back gives the normal picture again. F12 in the running program:
// tests/program/EverydayUseTest.cpp.
#include "tests/gl/GlTestSupport.h"

namespace {
// Pixels inside box (or outside it, when outside is set) whose colour differs between a and b.
int changedPixels(const Picture& a, const Picture& b, Box box, bool outside = false) {
    return a.count(a.whole(), [&](int x, int y) { return box.contains(x, y) != outside && a.at(x, y) != b.at(x, y); });
}

// Pure white pixels in after that are not white in before: bitmap text.
int whiteAdded(const Picture& before, const Picture& after, Box box) {
    return after.count(box, [&](int x, int y) { return after.at(x, y).brightness() == 765 && before.at(x, y).brightness() != 765; });
}

Picture pressAndDraw(unsigned char key) {
    keyboard(key, 0, 0);
    keyboardUp(key, 0, 0);
    runFrames(1);
    return Picture::readBack();
}
}  // namespace

TEST(LearningViewsTest, EachViewChangesItsPartOfThePictureAndOnlyThere) {
    // From the start pose, with the balls falling, whatever ran before in this process.
    Scene* s = startTestScene();
    s->physics->resetBodies();
    s->camera.setFree(true);
    runFrames(20);
    const Picture falling = Picture::readBack();
    const int width = falling.width, height = falling.height;
    const Box everything = falling.whole();
    // The music plays on in real time and bends the fur in the shadow pass, so even paused
    // frames differ a little at the shadows' edges.
    const int shadowFlicker = width * height / 50;
    runFrames(30);
    const int movedWhileRunning = changedPixels(falling, Picture::readBack(), everything);
    const Picture pausedStart = pressAndDraw('p');
    runFrames(30);
    const Picture paused = Picture::readBack();
    EXPECT_GT(movedWhileRunning, width * height / 20);
    EXPECT_LT(changedPixels(pausedStart, paused, everything), movedWhileRunning / 20);

    // 1: grey levels in the bottom-right square, near dark and far light, over an unchanged rest.
    const int side = height / 3;
    const Box square = {width - side, height - side, width, height};
    const Picture shadowView = pressAndDraw('1');
    EXPECT_GT(changedPixels(paused, shadowView, square), side * side / 2);
    EXPECT_LT(changedPixels(paused, shadowView, square, true), shadowFlicker);
    EXPECT_EQ(shadowView.count(square, [&shadowView](int x, int y) { return shadowView.at(x, y).isGrey(); }), side * side);
    EXPECT_GT(shadowView.count(square, [&shadowView](int x, int y) { return shadowView.at(x, y).r == 255; }), 0);
    EXPECT_GT(shadowView.count(square, [&shadowView](int x, int y) { return shadowView.at(x, y).r < 160; }), 0);
    EXPECT_LT(changedPixels(paused, pressAndDraw('1'), everything), shadowFlicker);

    // 2: every fifth shell, then the innermost only, then all 40 again; the floor and the balls
    // above it change each time.
    const Box floor = {0, height * 5 / 6, width, height};
    const Picture everyFifth = pressAndDraw('2');
    const Picture innermost = pressAndDraw('2');
    for (const auto& [before, after] : {std::pair(&paused, &everyFifth), std::pair(&everyFifth, &innermost)}) {
        EXPECT_GT(changedPixels(*before, *after, floor), width * height / 50);
        EXPECT_GT(changedPixels(*before, *after, floor, true), width * height / 100);
    }
    EXPECT_LT(changedPixels(paused, pressAndDraw('2'), everything), shadowFlicker);

    // h: white text at the top left, below the frame rate; the rest unchanged.
    const Box panel = {0, 25, width / 2, height * 2 / 3};
    const Picture help = pressAndDraw('h');
    EXPECT_LT(changedPixels(paused, help, panel, true), shadowFlicker);
    EXPECT_GT(whiteAdded(paused, help, panel), 500);
    EXPECT_LT(whiteAdded(paused, pressAndDraw('h'), panel), 20);

    pressAndDraw('p');  // the views are all off again for the tests after
}
