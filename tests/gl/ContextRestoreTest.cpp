// A browser can take the page's GL context away and give it back empty. Here a live context is
// emptied behind the program's back (and the GL layer's, where there is one): every object
// deleted, the state start-up set back at GL's initial values. Once glContextRestored has run,
// the paused world must draw the frame it drew before.
#include <numeric>
#include <utility>
#include <vector>

#include "platform/GlContext.h"
#include "tests/gl/GlTestSupport.h"

namespace {
// Object names count up from 1; a start-up and a few frames make a few hundred at most.
constexpr GLuint NAMES_IN_USE = 4096;

// The driver's own entry point, past the GL layer where there is one.
template <typename Call>
Call driver(const char* name) {
    return reinterpret_cast<Call>(glutGetProcAddress(name));
}

void emptyTheContext() {
    std::vector<GLuint> names(NAMES_IN_USE);
    std::iota(names.begin(), names.end(), 1u);
    driver<void (*)(GLuint)>("glUseProgram")(0);
    for (const char* deleteAll : {"glDeleteTextures", "glDeleteBuffers", "glDeleteFramebuffers"})
        driver<void (*)(GLsizei, const GLuint*)>(deleteAll)(GLsizei(names.size()), names.data());
    // Programs and shaders share their names, and each deletion refuses the other kind's.
    for (const auto& [isKind, deleteOne] :
         {std::pair("glIsProgram", "glDeleteProgram"), std::pair("glIsShader", "glDeleteShader")}) {
        const auto is = driver<GLboolean (*)(GLuint)>(isKind);
        const auto remove = driver<void (*)(GLuint)>(deleteOne);
        for (GLuint name : names)
            if (is(name)) remove(name);
    }
    for (GLenum capability : {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND})
        driver<void (*)(GLenum)>("glDisable")(capability);
    driver<void (*)(GLenum, GLenum)>("glBlendFunc")(GL_ONE, GL_ZERO);
    driver<void (*)(GLenum, GLint)>("glPixelStorei")(GL_UNPACK_ALIGNMENT, 4);
    driver<void (*)(GLfloat, GLfloat, GLfloat, GLfloat)>("glClearColor")(0.0f, 0.0f, 0.0f, 0.0f);
    driver<void (*)(GLenum)>("glActiveTexture")(GL_TEXTURE0);
}

// The frame as drawn, before the swap.
Picture drawFrame() {
    Picture drawn;
    readEachFrame([&drawn] { drawn = Picture::readBack(); });
    runFrames(1);
    readEachFrame(nullptr);
    return drawn;
}

bool differ(const Picture& a, const Picture& b, int x, int y) { return a.at(x, y) != b.at(x, y); }
}  // namespace

TEST(ContextRestoreTest, EveryObjectIsMadeAgainAndThePausedFrameComesBackTheSame) {
    Scene* s = startTestScene(AUDIO_OUTPUT_MANUAL);
    s->camera.setFree(true);
    s->paused = true;
    // The panel's objects are made again too. Its frame graph holds still once the history is
    // full; its pass times are measured, so pixels two frames draw differently are left out
    // (none while the times lie below the panel's fold).
    s->panel.toggle();
    for (int frame = 0; frame < FrameTimeHistory::LENGTH; ++frame) s->frameTimes.record(1.0 / 60.0);
    runFrames(3);  // the first frames still show their frame time coming in
    const Picture before = drawFrame();
    const Picture again = drawFrame();
    emptyTheContext();
    glContextRestored();
    // Making the programs again deletes the old ones, which emptying the context already did: GL
    // answers GL_INVALID_VALUE for a name that is no program, where a browser, which forgets the
    // lost context's names, does nothing. The frame after it must leave no error of its own.
    while (glGetError() != GL_NO_ERROR) {
    }
    const Picture after = drawFrame();
    EXPECT_EQ(before.count(before.whole(),
                           [&](int x, int y) { return differ(before, after, x, y) && !differ(before, again, x, y); }),
              0);
}
