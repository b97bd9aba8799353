// GLEW's part: the entry points need no loading, and of the extensions and versions the program
// asks for, ES 3.0 has every one in its core.
#include <cstring>

#include "gles/LegacyGl.h"

namespace {
const char* const CORE_IN_ES3[] = {
    "GL_EXT_framebuffer_object", "GL_ARB_framebuffer_object", "GL_VERSION_3_0", "GL_VERSION_1_4",
    "GL_ARB_depth_texture",      "GL_ARB_shadow",             "GL_VERSION_1_3", "GL_ARB_multitexture",
};
}  // namespace

// GLEW's names are pointers the program may point elsewhere; these start at ES 3.0's core calls,
// which behave as the EXT calls with the same values.
PFNGLGENFRAMEBUFFERSPROC fzglGenFramebuffersEXT = glGenFramebuffers;
PFNGLBINDFRAMEBUFFERPROC fzglBindFramebufferEXT = glBindFramebuffer;
PFNGLFRAMEBUFFERTEXTURE2DPROC fzglFramebufferTexture2DEXT = glFramebufferTexture2D;
PFNGLCHECKFRAMEBUFFERSTATUSPROC fzglCheckFramebufferStatusEXT = glCheckFramebufferStatus;
PFNGLDELETEFRAMEBUFFERSPROC fzglDeleteFramebuffersEXT = glDeleteFramebuffers;

GLenum fzglewInit() { return GL_NO_ERROR; }

GLboolean fzglewIsSupported(const char* name) {
    for (const char* core : CORE_IN_ES3)
        if (std::strcmp(name, core) == 0) return GL_TRUE;
    return GL_FALSE;
}
