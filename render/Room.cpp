#include <GL/glew.h>

#include "render/Room.h"

#include "render/Profiler.h"
#include "render/ShellSelection.h"
#include "render/TextureUnits.h"

namespace {

const char* const WALL_PROGRAM = "normalMapping";
const char* const FLOOR_PROGRAM = "floorFur";

void drawFace(const RoomFace& face, const Mesh& quad) {
    glPushMatrix();
    glTranslatef(face.translation.x, face.translation.y, face.translation.z);
    glRotatef(face.angleDegrees, face.axis.x, face.axis.y, face.axis.z);
    quad.draw();
    glPopMatrix();
}

// Steps that make "normalMapping" current and bind its shadow map, normal map and colour.
void prepareWalls(ProgramTable& programs, const RoomResources& room) {
    programs.use(WALL_PROGRAM);
    programs.setMatrix(WALL_PROGRAM, "texMatrix", room.texMatrix);
    programs.setInt(WALL_PROGRAM, "shadowMap", ROOM_SHADOW_MAP_UNIT);

    glActiveTexture(glTextureUnit(WALL_NORMAL_MAP_UNIT));
    glEnable(GL_TEXTURE_2D);
    programs.setInt(WALL_PROGRAM, "normalMap1", WALL_NORMAL_MAP_UNIT);
    glBindTexture(GL_TEXTURE_2D, room.normalMap1Texture);

    glActiveTexture(glTextureUnit(WALL_COLOUR_UNIT));
    programs.setInt(WALL_PROGRAM, "normalMap2", WALL_COLOUR_UNIT);
    glBindTexture(GL_TEXTURE_2D, room.normalMap2Texture);

    glActiveTexture(glTextureUnit(ROOM_SHADOW_MAP_UNIT));
    programs.setFloat(WALL_PROGRAM, "depthTexStep", room.depthTexStep);
    programs.setInt(WALL_PROGRAM, "softShadows", room.softShadows);
}

// Makes "floorFur" current with its shadow map and floor image; unit 2 stays active for the shells.
void prepareFloor(ProgramTable& programs, const RoomResources& room) {
    programs.use(FLOOR_PROGRAM);
    programs.setMatrix(FLOOR_PROGRAM, "texMatrix", room.texMatrix);
    programs.setInt(FLOOR_PROGRAM, "shadowMap", ROOM_SHADOW_MAP_UNIT);

    glActiveTexture(glTextureUnit(FLOOR_COLOUR_UNIT));
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, room.floorTexture);
    programs.setInt(FLOOR_PROGRAM, "floorTex", FLOOR_COLOUR_UNIT);

    glActiveTexture(glTextureUnit(FLOOR_SHELL_UNIT));
    glEnable(GL_TEXTURE_2D);
    programs.setInt(FLOOR_PROGRAM, "furFloorTex", FLOOR_SHELL_UNIT);
}

// The same quad drawn once per shell; the vertex shader lifts each by its "furLength".
void drawFloorShells(ProgramTable& programs, const ShellList& shells, const Mesh& quad, const FurStyle& fur) {
    glPushMatrix();
    glTranslatef(0.0f, -1.0f, 0.0f);
    programs.setFloat(FLOOR_PROGRAM, "furScale", fur.lengthScale);
    programs.setInt(FLOOR_PROGRAM, "hairLighting", fur.hairLighting);
    const GLint furLengthLocation = programs.location(FLOOR_PROGRAM, "furLength");
    forEachDrawnShell(shells, fur.shellsDrawn, FLOOR_SHELL_SPACING, [&](const ShellTexture& shell, float height) {
        glBindTexture(GL_TEXTURE_2D, shell.texture);
        glUniform1f(furLengthLocation, height);
        quad.draw();
    });
    glPopMatrix();
}

}  // namespace

const std::array<RoomFace, ROOM_FACE_COUNT> ROOM_FACES = {{
    {{0.0f, 1.0f, 0.0f}, 180.0f, {0.0f, 0.0f, 1.0f}},   // ceiling
    {{0.0f, 0.0f, -1.0f}, 90.0f, {1.0f, 0.0f, 0.0f}},   // back wall
    {{0.0f, 0.0f, 1.0f}, -90.0f, {1.0f, 0.0f, 0.0f}},   // front wall
    {{-1.0f, 0.0f, 0.0f}, -90.0f, {0.0f, 0.0f, 1.0f}},  // left wall
    {{1.0f, 0.0f, 0.0f}, 90.0f, {0.0f, 0.0f, 1.0f}},    // right wall
}};

void drawRoom(ProgramTable& programs, const RoomResources& room) {
    profileMark("room");
    prepareWalls(programs, room);
    // The room scale stays pushed over the walls and the floor alike.
    glPushMatrix();
    glScalef(room.roomScale, room.roomScale, room.roomScale);
    const Mesh& quad = *room.quad;
    quad.bind();
    for (const RoomFace& face : ROOM_FACES) drawFace(face, quad);
    profileMark("fur floor");
    prepareFloor(programs, room);
    drawFloorShells(programs, *room.shells, quad, room.fur);
    quad.unbind();
    glPopMatrix();

    glActiveTexture(glTextureUnit(ROOM_SHADOW_MAP_UNIT));
    glMatrixMode(GL_MODELVIEW);
}
