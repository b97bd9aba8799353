// What the layer hands every program in place of GL 2.0's built-in attributes and uniforms: the
// names the GLSL ES prelude declares and the layer looks up, each named once here.
#pragma once

#include <GLES3/gl3.h>

// Bound to these locations before every link, so one vertex layout serves every program.
enum VertexAttribute : GLuint {
    VERTEX_ATTRIBUTE,
    NORMAL_ATTRIBUTE,
    TEX_COORD0_ATTRIBUTE,
    TEX_COORD1_ATTRIBUTE,
    COLOUR_ATTRIBUTE,
    VERTEX_ATTRIBUTE_COUNT
};
constexpr const char* VERTEX_ATTRIBUTE_NAMES[VERTEX_ATTRIBUTE_COUNT] = {
    "fz_vertex", "fz_normal", "fz_multiTexCoord0", "fz_multiTexCoord1", "fz_colour"};

constexpr const char* MODEL_VIEW_UNIFORM = "fz_modelView";
constexpr const char* PROJECTION_UNIFORM = "fz_projection";
constexpr const char* MODEL_VIEW_PROJECTION_UNIFORM = "fz_modelViewProjection";
constexpr const char* NORMAL_MATRIX_UNIFORM = "fz_normalMatrix";
// Structs, as GL 2.0 declared them; light and product are arrays of one: fz_lightSource[0].diffuse.
constexpr const char* LIGHT_SOURCE_UNIFORM = "fz_lightSource";
constexpr const char* FRONT_MATERIAL_UNIFORM = "fz_frontMaterial";
constexpr const char* LIGHT_MODEL_UNIFORM = "fz_lightModel";
constexpr const char* FRONT_LIGHT_PRODUCT_UNIFORM = "fz_frontLightProduct";
