// GL 2.0's matrix stacks and GLU's matrix helpers: each call multiplies the top of the stack
// that glMatrixMode chose, as the driver did.
#include <cstring>

#include "gles/LegacyEnums.h"
#include "gles/LegacyGl.h"
#include "gles/LegacyState.h"
#include "gles/Unhandled.h"

namespace {
void multiplyTop(const Matrix& by) {
    LegacyState& state = legacyState();
    Matrix& top = state.currentStack().back();
    top = top * by;
    state.matricesChanged();
}
}  // namespace

void fzglMatrixMode(GLenum mode) {
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION) return refuseUnhandled("glMatrixMode", mode);
    legacyState().matrixMode = mode;
}

void fzglLoadIdentity() {
    LegacyState& state = legacyState();
    state.currentStack().back() = identityMatrix();
    state.matricesChanged();
}

void fzglPushMatrix() {
    std::vector<Matrix>& stack = legacyState().currentStack();
    stack.push_back(stack.back());
}

void fzglPopMatrix() {
    LegacyState& state = legacyState();
    std::vector<Matrix>& stack = state.currentStack();
    // GL 2.0 refuses to pop the last matrix (GL_STACK_UNDERFLOW) and keeps it.
    if (stack.size() > 1) stack.pop_back();
    state.matricesChanged();
}

void fzglMultMatrixf(const GLfloat* m) {
    Matrix matrix;
    std::memcpy(matrix.m, m, sizeof matrix.m);
    multiplyTop(matrix);
}

void fzglTranslatef(GLfloat x, GLfloat y, GLfloat z) { multiplyTop(translation(x, y, z)); }

void fzglRotatef(GLfloat angleDegrees, GLfloat x, GLfloat y, GLfloat z) {
    multiplyTop(rotation(angleDegrees, x, y, z));
}

void fzglScalef(GLfloat x, GLfloat y, GLfloat z) { multiplyTop(scaling(x, y, z)); }

// The driver takes glOrtho's doubles as floats.
void fzglOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar) {
    multiplyTop(orthographic(float(left), float(right), float(bottom), float(top), float(zNear), float(zFar)));
}

void fzgluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    fzglOrtho(left, right, bottom, top, -1.0, 1.0);
}

void fzgluPerspective(GLdouble fovyDegrees, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    multiplyTop(perspective(fovyDegrees, aspect, zNear, zFar));
}

void fzgluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
                 GLdouble upX, GLdouble upY, GLdouble upZ) {
    const float eye[3] = {float(eyeX), float(eyeY), float(eyeZ)};
    const float centre[3] = {float(centerX), float(centerY), float(centerZ)};
    const float up[3] = {float(upX), float(upY), float(upZ)};
    multiplyTop(lookAt(eye, centre, up));
}

void fzglGetFloatv(GLenum name, GLfloat* values) {
    LegacyState& state = legacyState();
    if (name == GL_MODELVIEW_MATRIX)
        std::memcpy(values, state.modelView.back().m, sizeof(Matrix::m));
    else if (name == GL_PROJECTION_MATRIX)
        std::memcpy(values, state.projection.back().m, sizeof(Matrix::m));
    else {
        if (!isEsFloatQuery(name)) refuseUnhandled("glGetFloatv", name);
        glGetFloatv(name, values);
    }
}
