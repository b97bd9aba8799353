// The layer's desktop build draws on a real OpenGL ES 3.0 context, as phones and browsers do: a
// desktop compatibility context takes every GL 2.0 call and enum, so a value ES refuses would pass
// every test there. freeglut asks GLX for a desktop context through glXCreateNewContext; this
// definition stands in for libGL's (the executable's symbol comes first) and answers with an ES
// one where the driver offers it (GLX_EXT_create_context_es2_profile), or the desktop one it asked for.
#include <dlfcn.h>

#include <cstdio>
#include <cstring>

#include <GL/glx.h>

namespace {
using CreateContextAttribs = GLXContext (*)(Display*, GLXFBConfig, GLXContext, Bool, const int*);
using CreateNewContext = GLXContext (*)(Display*, GLXFBConfig, int, GLXContext, Bool);

bool offersEsContexts(Display* display) {
    const char* extensions = glXQueryExtensionsString(display, DefaultScreen(display));
    return extensions && std::strstr(extensions, "GLX_EXT_create_context_es2_profile");
}

GLXContext createEsContext(Display* display, GLXFBConfig config, GLXContext share, Bool direct) {
    const auto create = reinterpret_cast<CreateContextAttribs>(
        glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXCreateContextAttribsARB")));
    const int attributes[] = {GLX_CONTEXT_MAJOR_VERSION_ARB, 3, GLX_CONTEXT_MINOR_VERSION_ARB, 0,
                              GLX_CONTEXT_PROFILE_MASK_ARB, GLX_CONTEXT_ES2_PROFILE_BIT_EXT, None};
    return create ? create(display, config, share, direct, attributes) : nullptr;
}
}  // namespace

extern "C" GLXContext glXCreateNewContext(Display* display, GLXFBConfig config, int renderType, GLXContext share,
                                          Bool direct) {
    if (offersEsContexts(display))
        if (GLXContext context = createEsContext(display, config, share, direct)) return context;
    std::fprintf(stderr, "GL layer: this driver offers no OpenGL ES 3.0 context; drawing on a desktop one\n");
    const auto desktop = reinterpret_cast<CreateNewContext>(dlsym(RTLD_NEXT, "glXCreateNewContext"));
    return desktop(display, config, renderType, share, direct);
}
