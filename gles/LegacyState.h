// The state GL 2.0 kept for fixed function and for the shaders' built-in uniforms, which
// ES 3.0 does not keep: the layer keeps it here, and hands it to each program before a draw.
#pragma once

#include <GLES3/gl3.h>

#include <unordered_set>
#include <utility>
#include <vector>

#include "gles/LegacyEnums.h"
#include "gles/Matrix.h"
#include "gles/VertexArrays.h"

// The texture units the layer keeps fixed-function state for: GL 2.0 drivers offered 8, and the
// program's passes use 3.
constexpr int TEXTURE_UNIT_COUNT = 8;

struct LightSource {
    float ambient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float specular[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float position[4] = {0.0f, 0.0f, 1.0f, 0.0f};  // in eye space, as given through the modelview
    float halfVector[4] = {0.0f, 0.0f, 1.0f, 0.0f};
};

struct Material {
    float emission[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    float specular[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    float shininess = 0.0f;
};

// Light 0 × the front material, which GL 2.0 hands the shaders ready made.
struct LightProduct {
    float ambient[4];
    float diffuse[4];
    float specular[4];
};

struct TextureUnitState {
    bool texture2D = false;
    GLenum environmentMode = GL_MODULATE;
    GLuint boundTexture = 0;  // GL_TEXTURE_2D's
};

// The current vertex attributes glVertex takes along, in the layer's attribute order.
struct CurrentVertex {
    float normal[3] = {0.0f, 0.0f, 1.0f};
    float texCoord[2][4] = {{0.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}};
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};

// GL 2.0's vertex arrays as glEnableClientState and the gl*Pointer calls set them, each in the
// buffer bound to GL_ARRAY_BUFFER at the time, in the layer's attribute order.
struct ClientArrays {
    AttributeArrays pointed;
    bool enabled[VERTEX_ATTRIBUTE_COUNT] = {};
    int activeUnit = 0;        // glClientActiveTexture's
    GLuint arrayBuffer = 0;    // as the program bound them
    GLuint elementBuffer = 0;
};

struct RasterPosition {
    float window[3] = {0.0f, 0.0f, 0.0f};
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
};

// What glPushAttrib keeps: everything of its groups the program pushes; glPopAttrib restores the
// groups that were asked for.
struct SavedAttributes {
    GLbitfield mask = 0;
    GLint viewport[4] = {};
    std::vector<std::pair<GLenum, GLboolean>> driverSwitches;
    int activeUnit = 0;
    TextureUnitState units[TEXTURE_UNIT_COUNT];
    CurrentVertex current;
    RasterPosition raster;
};

struct LegacyState {
    std::vector<Matrix> modelView{identityMatrix()};
    std::vector<Matrix> projection{identityMatrix()};
    GLenum matrixMode = GL_MODELVIEW;

    LightSource light0;
    Material frontMaterial;
    float lightModelAmbient[4] = {0.2f, 0.2f, 0.2f, 1.0f};
    LightProduct frontLightProduct = {};
    GLenum shadeModel = GL_SMOOTH;

    // As the program last set it; asked of the driver once before that, and after a lost context.
    GLint viewport[4] = {};
    bool viewportKnown = false;

    int activeUnit = 0;
    TextureUnitState units[TEXTURE_UNIT_COUNT];
    // Depth textures GL 2.0 read as luminance (its default depth texture mode): the fixed-function
    // program spreads their one channel, which ES 3.0 gives in red alone.
    std::unordered_set<GLuint> luminanceDepthTextures;
    CurrentVertex current;
    ClientArrays clientArrays;
    RasterPosition raster;
    std::vector<SavedAttributes> attributeStack;

    GLuint program = 0;
    // Count the changes to what the programs' uniforms carry, the matrices apart from the light
    // and material, so a program is handed each again only when it changed since its last draw.
    unsigned matricesRevision = 1;
    unsigned lightingRevision = 1;

    std::vector<Matrix>& currentStack() { return matrixMode == GL_PROJECTION ? projection : modelView; }
    void matricesChanged() { ++matricesRevision; }
    void lightingChanged() { ++lightingRevision; }
};

LegacyState& legacyState();

// The viewport without asking the driver each time: a query is a round trip to a browser's GPU
// process.
const GLint* currentViewport();

// Recomputes the light products after a change to light 0 or the front material.
void updateLightProducts(LegacyState& state);
