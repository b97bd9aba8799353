// The GL 2.0 names the program uses that GLES 3's header does not define, with GL 2.0's values.
#pragma once

// Matrix stacks.
#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701
#define GL_MODELVIEW_MATRIX 0x0BA6
#define GL_PROJECTION_MATRIX 0x0BA7

// Fixed-function switches and light state.
#define GL_LIGHTING 0x0B50
#define GL_LIGHT0 0x4000
#define GL_NORMALIZE 0x0BA1
#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_SPECULAR 0x1202
#define GL_POSITION 0x1203
#define GL_SHININESS 0x1601
#define GL_FLAT 0x1D00
#define GL_SMOOTH 0x1D01
#define GL_TEXTURE_ENV 0x2300
#define GL_TEXTURE_ENV_MODE 0x2200
#define GL_MODULATE 0x2100

// glPushAttrib's groups.
#define GL_CURRENT_BIT 0x00000001
#define GL_VIEWPORT_BIT 0x00000800
#define GL_ENABLE_BIT 0x00002000
#define GL_TEXTURE_BIT 0x00040000

// Vertex arrays.
#define GL_VERTEX_ARRAY 0x8074
#define GL_NORMAL_ARRAY 0x8075
#define GL_COLOR_ARRAY 0x8076
#define GL_TEXTURE_COORD_ARRAY 0x8078

// Primitives and textures.
#define GL_QUADS 0x0007
#define GL_CLAMP 0x2900
#define GL_DEPTH_TEXTURE_MODE 0x884B
#define GL_COMPARE_R_TO_TEXTURE 0x884E

// EXT_framebuffer_object: the same values as the core names.
#define GL_FRAMEBUFFER_EXT 0x8D40
#define GL_DEPTH_ATTACHMENT_EXT 0x8D00
#define GL_FRAMEBUFFER_COMPLETE_EXT 0x8CD5
