// The closed room: four normal-mapped walls and a ceiling, and a floor of stacked fur shells.
#pragma once

#include <GL/glew.h>

#include <array>

#include "camera/MathTypes.h"
#include "render/FurStyle.h"
#include "render/Mesh.h"
#include "render/ShaderPrograms.h"
#include "render/Textures.h"

// The room is the unit cube scaled by this much: its walls stand this far from the centre.
constexpr float ROOM_SIZE = 10.0f;
// Each floor shell sits this much higher than the one below it, in the unscaled room's units.
constexpr float FLOOR_SHELL_SPACING = 0.005f;

// What the room pass reads from the scene each frame.
struct RoomResources {
    float roomScale = ROOM_SIZE;
    GLuint normalMap1Texture = 0;  // wall normal map, unit 1
    GLuint normalMap2Texture = 0;  // wall colour, unit 2
    GLuint floorTexture = 0;       // floor colour, unit 1
    const ShellList* shells = nullptr;
    const Mesh* quad = nullptr;    // made from unitQuadMeshData, its coordinates on unit 1
    Matrix4 texMatrix;             // eye space to shadow-map coordinates
    float depthTexStep = 0.0f;     // one shadow-map texel in texture coordinates
    FurStyle fur = {};             // shells drawn and their length, for the floor
    bool softShadows = true;       // the walls' filtered shadow edge, or one comparison
};

// One face of the unit cube: the unit quad moved into place, then turned to look inwards.
struct RoomFace {
    Vector3 translation;
    float angleDegrees;
    Vector3 axis;
};

constexpr int ROOM_FACE_COUNT = 5;
// Ceiling, back, front, left and right wall, in drawing order.
extern const std::array<RoomFace, ROOM_FACE_COUNT> ROOM_FACES;

// Walls and ceiling with "normalMapping", then the floor shells with "floorFur". Expects the
// camera loaded, light 0 placed, the shadow map bound with comparison on unit 0 and unit 0
// active; leaves the matrix stacks as found, unit 0 active and "floorFur" current.
void drawRoom(ProgramTable& programs, const RoomResources& room);
