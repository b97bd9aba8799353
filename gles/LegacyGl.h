// The GL 2.0, GLU and GLUT calls the program makes that OpenGL ES 3.0 lacks or treats otherwise,
// as the layer supplies them: the same signatures under fz names. GL/glew.h, GL/glu.h and
// GL/freeglut.h of this folder map each GL 2.0 name to these.
#pragma once

#include <GLES3/gl3.h>

// GL 2.0's double-precision type, which ES 3.0 dropped; GLU's calls take it.
typedef double GLdouble;

// Matrix stacks (GL_MODELVIEW, GL_PROJECTION).
void fzglMatrixMode(GLenum mode);
void fzglLoadIdentity();
void fzglPushMatrix();
void fzglPopMatrix();
void fzglMultMatrixf(const GLfloat* m);
void fzglTranslatef(GLfloat x, GLfloat y, GLfloat z);
void fzglRotatef(GLfloat angleDegrees, GLfloat x, GLfloat y, GLfloat z);
void fzglScalef(GLfloat x, GLfloat y, GLfloat z);
void fzglOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar);
void fzgluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top);
void fzgluPerspective(GLdouble fovyDegrees, GLdouble aspect, GLdouble zNear, GLdouble zFar);
void fzgluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
                 GLdouble upX, GLdouble upY, GLdouble upZ);
// The two matrices from the stacks; anything else from the GL.
void fzglGetFloatv(GLenum name, GLfloat* values);

// Light 0, the front material, the shade model and the switches only fixed function had.
void fzglLightfv(GLenum light, GLenum name, const GLfloat* values);
void fzglMaterialfv(GLenum face, GLenum name, const GLfloat* values);
void fzglMateriali(GLenum face, GLenum name, GLint value);
void fzglShadeModel(GLenum mode);
void fzglTexEnvi(GLenum target, GLenum name, GLint value);
void fzglEnable(GLenum capability);
void fzglDisable(GLenum capability);
void fzglActiveTexture(GLenum unit);
void fzglViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void fzglPushAttrib(GLbitfield mask);
void fzglPopAttrib();

// Programs: attribute locations bound before each link, the state handed over before each draw.
void fzglLinkProgram(GLuint program);
void fzglUseProgram(GLuint program);
void fzglDeleteProgram(GLuint program);

// Immediate mode.
void fzglBegin(GLenum mode);
void fzglEnd();
void fzglVertex2f(GLfloat x, GLfloat y);
void fzglVertex3f(GLfloat x, GLfloat y, GLfloat z);
void fzglNormal3f(GLfloat x, GLfloat y, GLfloat z);
void fzglColor3f(GLfloat r, GLfloat g, GLfloat b);
void fzglColor4f(GLfloat r, GLfloat g, GLfloat b, GLfloat a);
void fzglTexCoord2f(GLfloat s, GLfloat t);
void fzglMultiTexCoord2f(GLenum unit, GLfloat s, GLfloat t);

// Textures and targets.
void fzglTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                    GLenum format, GLenum type, const void* pixels);
void fzglTexParameteri(GLenum target, GLenum name, GLint value);
void fzglTexParameterf(GLenum target, GLenum name, GLfloat value);
// Bindings and deletions are followed, for what each unit's texture is to fixed function.
void fzglBindTexture(GLenum target, GLuint texture);
void fzglDeleteTextures(GLsizei count, const GLuint* textures);
GLint fzgluBuild2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format, GLenum type,
                          const void* data);
void fzglDrawBuffer(GLenum buffer);

// Vertex arrays, of floats in buffers.
void fzglBindBuffer(GLenum target, GLuint buffer);
void fzglDeleteBuffers(GLsizei count, const GLuint* buffers);
void fzglEnableClientState(GLenum array);
void fzglDisableClientState(GLenum array);
void fzglClientActiveTexture(GLenum unit);
void fzglVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
void fzglNormalPointer(GLenum type, GLsizei stride, const void* pointer);
void fzglTexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer);
void fzglDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);
void fzglDrawArrays(GLenum mode, GLint first, GLsizei count);

// Bitmap text in GLUT's Helvetica 10, the one font the program writes in.
void fzglRasterPos3f(GLfloat x, GLfloat y, GLfloat z);
void* fzglutHelvetica10();
void fzglutBitmapString(void* font, const unsigned char* text);
int fzglutBitmapLength(void* font, const unsigned char* text);
// The strict build's check of the frame's GL errors (gles/Unhandled.h), then GLUT's swap.
void fzglutSwapBuffers();

// GLEW's calls and its EXT_framebuffer_object pointers: the ES 3 entry points need no loading,
// and what the program asks GLEW for is core in ES 3.0.
GLenum fzglewInit();
GLboolean fzglewIsSupported(const char* name);
extern PFNGLGENFRAMEBUFFERSPROC fzglGenFramebuffersEXT;
extern PFNGLBINDFRAMEBUFFERPROC fzglBindFramebufferEXT;
extern PFNGLFRAMEBUFFERTEXTURE2DPROC fzglFramebufferTexture2DEXT;
extern PFNGLCHECKFRAMEBUFFERSTATUSPROC fzglCheckFramebufferStatusEXT;
extern PFNGLDELETEFRAMEBUFFERSPROC fzglDeleteFramebuffersEXT;
