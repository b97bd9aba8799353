// Every texture unit a pass binds, by what it holds. Each program's units are fixed; the
// samplers are set from this table, and the shaders see it as #defines in their prelude.
//
// The shadow map sits on unit 0 in the room's programs and on unit 1 in the fur's: the room's
// images arrive with their coordinates on unit 1 (the quad sends no others), so unit 0 is free
// for the shadow map there, while a fur shell's coordinates come from GLU's sphere on unit 0,
// which its shell texture takes.
#pragma once

enum TextureUnit : int {
    ROOM_SHADOW_MAP_UNIT = 0,  // "normalMapping" and "floorFur"
    WALL_NORMAL_MAP_UNIT = 1,
    WALL_COLOUR_UNIT = 2,
    FLOOR_COLOUR_UNIT = 1,
    FLOOR_SHELL_UNIT = 2,
    FUR_SHELL_UNIT = 0,        // "fur" and "depth"
    FUR_SHADOW_MAP_UNIT = 1,   // "fur"; in "depth" the shadow map is the render target, bound only to be unused
    QUAD_COORDINATE_UNIT = 1,  // the room's quad sends its texture coordinates on this unit alone
};

// The GL name of a unit, for glActiveTexture and glMultiTexCoord.
constexpr unsigned glTextureUnit(TextureUnit unit) { return 0x84C0u + unsigned(unit); }  // GL_TEXTURE0 + unit
