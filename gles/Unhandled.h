// Values the layer does not handle. In the strict build (FUZZLETS_STRICT_GL_LAYER, which the test
// command turns on) the layer stops at one, naming the call and the value: a GL 2.0 enum that
// OpenGL ES 3.0 or WebGL 2 refuses then fails a test here, whatever the driver under the layer
// takes. Elsewhere the call goes on as GL would: the value is ignored, or handed to the
// driver, which answers with a GL error.
#pragma once

#include <GLES3/gl3.h>

// Stops in the strict build; returns elsewhere.
void refuseUnhandled(const char* call, GLenum value);

// ES 3.0's own values, for the calls that hand theirs on to the driver.
bool isEsDrawMode(GLenum mode);
bool isEsCapability(GLenum capability);
bool isEsFloatQuery(GLenum name);
// One of the texture units the layer follows.
bool isTextureUnit(GLenum unit);

// The strict build stops at any GL error the frame left; called before each swap.
void checkFrameErrors();
// The strict build stops at a draw whose sampler disagrees with its texture on comparison, which
// WebGL 2 refuses and a desktop driver reads as something undefined; called before each draw.
void checkSamplerTextures(GLuint program);
