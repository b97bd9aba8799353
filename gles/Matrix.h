// The 4 × 4 column-major float matrices GL 2.0 kept, with the products its matrix calls and
// GLU's built. Float throughout, as the driver keeps them, so the layer's matrices read back as
// the driver's do.
#pragma once

struct Matrix {
    float m[16];
};

Matrix identityMatrix();
Matrix operator*(const Matrix& a, const Matrix& b);
Matrix translation(float x, float y, float z);
Matrix rotation(float angleDegrees, float x, float y, float z);
Matrix scaling(float x, float y, float z);
Matrix orthographic(float left, float right, float bottom, float top, float zNear, float zFar);
Matrix perspective(double fovyDegrees, double aspect, double zNear, double zFar);
Matrix lookAt(const float eye[3], const float centre[3], const float up[3]);

// m × (x, y, z, w).
void transform(const Matrix& m, const float in[4], float out[4]);
// The upper 3 × 3 of m's inverse, transposed: what turns normals into eye space.
void normalMatrix(const Matrix& m, float out[9]);
