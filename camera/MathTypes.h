// Small single-precision value types shared by the camera, the light, the curves and the renderer.
#pragma once

#include <cmath>

struct Vector3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

inline Vector3 operator+(Vector3 a, Vector3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 operator-(Vector3 a, Vector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 operator*(Vector3 v, float s) { return {v.x * s, v.y * s, v.z * s}; }
inline Vector3& operator+=(Vector3& a, Vector3 b) { return a = a + b; }
inline float dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float length(Vector3 v) { return std::sqrt(dot(v, v)); }
inline Vector3 cross(Vector3 a, Vector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Rotation by angle a about unit axis n is (cos(a/2), sin(a/2) n).
struct Quaternion {
    float w = 1.0f, x = 0.0f, y = 0.0f, z = 0.0f;
};

// Hamilton product p * q: q is applied first.
Quaternion operator*(const Quaternion& p, const Quaternion& q);

// Row-major 3x3, applied to column vectors: m[row][column].
struct Matrix3 {
    float m[3][3] = {};
    Vector3 column(int c) const { return {m[0][c], m[1][c], m[2][c]}; }
};

Matrix3 toMatrix3(const Quaternion& q);

// Sixteen floats in OpenGL's column-major order: row r, column c is at index 4c + r.
struct Matrix4 {
    float m[16] = {};
    float at(int row, int column) const { return m[4 * column + row]; }
    static Matrix4 identity();
};

// a * b, b applied first. Sums are formed in double precision.
Matrix4 multiplyMatrix4(const Matrix4& a, const Matrix4& b);

// The 4x4 inverse through the twelve 2x2 minors; a matrix whose determinant is
// within 1e-6 of zero gives the all-zero matrix.
Matrix4 inverse(const Matrix4& a);

// (x, y, z, 1) carried through m, all four components.
void transformPoint(const Matrix4& m, Vector3 p, float out[4]);
