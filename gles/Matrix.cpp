#include "gles/Matrix.h"

#include <cmath>

namespace {
constexpr double PI = 3.14159265358979323846;

float& at(Matrix& matrix, int row, int column) { return matrix.m[4 * column + row]; }
float at(const Matrix& matrix, int row, int column) { return matrix.m[4 * column + row]; }

void normalize(float v[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length == 0.0f) return;
    for (int i = 0; i < 3; ++i) v[i] /= length;
}

void cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}
}  // namespace

Matrix identityMatrix() {
    Matrix result = {};
    for (int i = 0; i < 4; ++i) at(result, i, i) = 1.0f;
    return result;
}

Matrix operator*(const Matrix& a, const Matrix& b) {
    Matrix result = {};
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            at(result, row, column) = at(a, row, 0) * at(b, 0, column) + at(a, row, 1) * at(b, 1, column) +
                                      at(a, row, 2) * at(b, 2, column) + at(a, row, 3) * at(b, 3, column);
    return result;
}

Matrix translation(float x, float y, float z) {
    Matrix result = identityMatrix();
    at(result, 0, 3) = x;
    at(result, 1, 3) = y;
    at(result, 2, 3) = z;
    return result;
}

// GL 2.0's rotation about a unit axis (the axis is normalised first).
Matrix rotation(float angleDegrees, float x, float y, float z) {
    float axis[3] = {x, y, z};
    normalize(axis);
    const float radians = float(double(angleDegrees) * PI / 180.0);
    const float c = std::cos(radians), s = std::sin(radians), t = 1.0f - c;
    const float ax = axis[0], ay = axis[1], az = axis[2];
    Matrix result = identityMatrix();
    at(result, 0, 0) = ax * ax * t + c;
    at(result, 0, 1) = ax * ay * t - az * s;
    at(result, 0, 2) = ax * az * t + ay * s;
    at(result, 1, 0) = ay * ax * t + az * s;
    at(result, 1, 1) = ay * ay * t + c;
    at(result, 1, 2) = ay * az * t - ax * s;
    at(result, 2, 0) = az * ax * t - ay * s;
    at(result, 2, 1) = az * ay * t + ax * s;
    at(result, 2, 2) = az * az * t + c;
    return result;
}

Matrix scaling(float x, float y, float z) {
    Matrix result = identityMatrix();
    at(result, 0, 0) = x;
    at(result, 1, 1) = y;
    at(result, 2, 2) = z;
    return result;
}

Matrix orthographic(float left, float right, float bottom, float top, float zNear, float zFar) {
    Matrix result = identityMatrix();
    at(result, 0, 0) = 2.0f / (right - left);
    at(result, 1, 1) = 2.0f / (top - bottom);
    at(result, 2, 2) = -2.0f / (zFar - zNear);
    at(result, 0, 3) = -(right + left) / (right - left);
    at(result, 1, 3) = -(top + bottom) / (top - bottom);
    at(result, 2, 3) = -(zFar + zNear) / (zFar - zNear);
    return result;
}

// GLU works this one out in double and hands the driver the result.
Matrix perspective(double fovyDegrees, double aspect, double zNear, double zFar) {
    const double halfAngle = fovyDegrees / 2.0 * PI / 180.0;
    const double cotangent = std::cos(halfAngle) / std::sin(halfAngle);
    const double depth = zFar - zNear;
    Matrix result = identityMatrix();
    at(result, 0, 0) = float(cotangent / aspect);
    at(result, 1, 1) = float(cotangent);
    at(result, 2, 2) = float(-(zFar + zNear) / depth);
    at(result, 3, 2) = -1.0f;
    at(result, 2, 3) = float(-2.0 * zNear * zFar / depth);
    at(result, 3, 3) = 0.0f;
    return result;
}

// GLU's look-at: a rotation into the eye's frame, then the eye moved to the origin.
Matrix lookAt(const float eye[3], const float centre[3], const float up[3]) {
    float forward[3] = {centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]};
    normalize(forward);
    float side[3], trueUp[3];
    cross(forward, up, side);
    normalize(side);
    cross(side, forward, trueUp);
    Matrix result = identityMatrix();
    for (int column = 0; column < 3; ++column) {
        at(result, 0, column) = side[column];
        at(result, 1, column) = trueUp[column];
        at(result, 2, column) = -forward[column];
    }
    return result * translation(-eye[0], -eye[1], -eye[2]);
}

void transform(const Matrix& m, const float in[4], float out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = at(m, row, 0) * in[0] + at(m, row, 1) * in[1] + at(m, row, 2) * in[2] + at(m, row, 3) * in[3];
}

void normalMatrix(const Matrix& m, float out[9]) {
    const auto a = [&](int row, int column) { return at(m, row, column); };
    const float cofactor[9] = {
        a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1), a(1, 2) * a(2, 0) - a(1, 0) * a(2, 2), a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0),
        a(0, 2) * a(2, 1) - a(0, 1) * a(2, 2), a(0, 0) * a(2, 2) - a(0, 2) * a(2, 0), a(0, 1) * a(2, 0) - a(0, 0) * a(2, 1),
        a(0, 1) * a(1, 2) - a(0, 2) * a(1, 1), a(0, 2) * a(1, 0) - a(0, 0) * a(1, 2), a(0, 0) * a(1, 1) - a(0, 1) * a(1, 0),
    };
    const float determinant = a(0, 0) * cofactor[0] + a(0, 1) * cofactor[1] + a(0, 2) * cofactor[2];
    // The inverse's transpose is the cofactor matrix over the determinant.
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column) out[3 * column + row] = cofactor[3 * row + column] / determinant;
}
