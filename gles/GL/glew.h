// The layer's GL/glew.h: first on the include path of a layer build, it stands where GLEW's
// header stands in the desktop build. It brings in the real OpenGL ES 3.0 API and maps each
// GL 2.0 name the program uses that ES 3.0 lacks or treats otherwise to the layer, as GLEW maps
// names to its entry points. A GL 2.0 call missing here does not compile.
#pragma once

#include <GLES3/gl3.h>

#include "gles/LegacyEnums.h"
#include "gles/LegacyGl.h"

// GLUT's header includes the desktop GL header, which would declare GL 2.0 over ES 3.0; its
// guards say it is already in, as GLEW's do.
#define __gl_h_
#define __GL_H__

#define glewInit fzglewInit
#define glewIsSupported fzglewIsSupported

#define glMatrixMode fzglMatrixMode
#define glLoadIdentity fzglLoadIdentity
#define glPushMatrix fzglPushMatrix
#define glPopMatrix fzglPopMatrix
#define glMultMatrixf fzglMultMatrixf
#define glTranslatef fzglTranslatef
#define glRotatef fzglRotatef
#define glScalef fzglScalef
#define glOrtho fzglOrtho
#define glGetFloatv fzglGetFloatv

#define glLightfv fzglLightfv
#define glMaterialfv fzglMaterialfv
#define glMateriali fzglMateriali
#define glShadeModel fzglShadeModel
#define glTexEnvi fzglTexEnvi
#define glEnable fzglEnable
#define glDisable fzglDisable
#define glActiveTexture fzglActiveTexture
#define glViewport fzglViewport
#define glPushAttrib fzglPushAttrib
#define glPopAttrib fzglPopAttrib

#define glLinkProgram fzglLinkProgram
#define glUseProgram fzglUseProgram
#define glDeleteProgram fzglDeleteProgram

#define glBegin fzglBegin
#define glEnd fzglEnd
#define glVertex2f fzglVertex2f
#define glVertex3f fzglVertex3f
#define glNormal3f fzglNormal3f
#define glColor3f fzglColor3f
#define glColor4f fzglColor4f
#define glTexCoord2f fzglTexCoord2f
#define glMultiTexCoord2f fzglMultiTexCoord2f
#define glRasterPos3f fzglRasterPos3f

#define glBindBuffer fzglBindBuffer
#define glDeleteBuffers fzglDeleteBuffers
#define glEnableClientState fzglEnableClientState
#define glDisableClientState fzglDisableClientState
#define glClientActiveTexture fzglClientActiveTexture
#define glVertexPointer fzglVertexPointer
#define glNormalPointer fzglNormalPointer
#define glTexCoordPointer fzglTexCoordPointer
#define glDrawElements fzglDrawElements
#define glDrawArrays fzglDrawArrays

#define glTexImage2D fzglTexImage2D
#define glTexParameteri fzglTexParameteri
#define glTexParameterf fzglTexParameterf
#define glBindTexture fzglBindTexture
#define glDeleteTextures fzglDeleteTextures
#define glDrawBuffer fzglDrawBuffer

#define glGenFramebuffersEXT fzglGenFramebuffersEXT
#define glBindFramebufferEXT fzglBindFramebufferEXT
#define glFramebufferTexture2DEXT fzglFramebufferTexture2DEXT
#define glCheckFramebufferStatusEXT fzglCheckFramebufferStatusEXT
#define glDeleteFramebuffersEXT fzglDeleteFramebuffersEXT
