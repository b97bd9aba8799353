#include "camera/MathTypes.h"

Quaternion operator*(const Quaternion& p, const Quaternion& q) {
    return {
        p.w * q.w - p.x * q.x - p.y * q.y - p.z * q.z,
        p.w * q.x + p.x * q.w + p.y * q.z - p.z * q.y,
        p.w * q.y - p.x * q.z + p.y * q.w + p.z * q.x,
        p.w * q.z + p.x * q.y - p.y * q.x + p.z * q.w,
    };
}

Matrix3 toMatrix3(const Quaternion& q) {
    const float w = q.w, x = q.x, y = q.y, z = q.z;
    Matrix3 r;
    r.m[0][0] = 1 - 2 * (y * y + z * z);
    r.m[0][1] = 2 * x * y - 2 * w * z;
    r.m[0][2] = 2 * x * z + 2 * w * y;
    r.m[1][0] = 2 * x * y + 2 * w * z;
    r.m[1][1] = 1 - 2 * (x * x + z * z);
    r.m[1][2] = 2 * y * z - 2 * w * x;
    r.m[2][0] = 2 * x * z - 2 * w * y;
    r.m[2][1] = 2 * y * z + 2 * w * x;
    r.m[2][2] = 1 - 2 * (x * x + y * y);
    return r;
}

Matrix4 Matrix4::identity() {
    Matrix4 r;
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1.0f;
    return r;
}

Matrix4 multiplyMatrix4(const Matrix4& a, const Matrix4& b) {
    Matrix4 r;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += double(a.at(row, k)) * double(b.at(k, column));
            r.m[4 * column + row] = float(sum);
        }
    }
    return r;
}

Matrix4 inverse(const Matrix4& matrix) {
    const float* a = matrix.m;
    const float A0 = a[0] * a[5] - a[1] * a[4], A1 = a[0] * a[6] - a[2] * a[4];
    const float A2 = a[0] * a[7] - a[3] * a[4], A3 = a[1] * a[6] - a[2] * a[5];
    const float A4 = a[1] * a[7] - a[3] * a[5], A5 = a[2] * a[7] - a[3] * a[6];
    const float B0 = a[8] * a[13] - a[9] * a[12], B1 = a[8] * a[14] - a[10] * a[12];
    const float B2 = a[8] * a[15] - a[11] * a[12], B3 = a[9] * a[14] - a[10] * a[13];
    const float B4 = a[9] * a[15] - a[11] * a[13], B5 = a[10] * a[15] - a[11] * a[14];
    const float det = A0 * B5 - A1 * B4 + A2 * B3 + A3 * B2 - A4 * B1 + A5 * B0;

    Matrix4 r;
    if (std::fabs(det) <= 1e-6f) return r;

    // Adjugate from the same minors, taking the storage order as row-major.
    r.m[0] = +a[5] * B5 - a[6] * B4 + a[7] * B3;
    r.m[4] = -a[4] * B5 + a[6] * B2 - a[7] * B1;
    r.m[8] = +a[4] * B4 - a[5] * B2 + a[7] * B0;
    r.m[12] = -a[4] * B3 + a[5] * B1 - a[6] * B0;
    r.m[1] = -a[1] * B5 + a[2] * B4 - a[3] * B3;
    r.m[5] = +a[0] * B5 - a[2] * B2 + a[3] * B1;
    r.m[9] = -a[0] * B4 + a[1] * B2 - a[3] * B0;
    r.m[13] = +a[0] * B3 - a[1] * B1 + a[2] * B0;
    r.m[2] = +a[13] * A5 - a[14] * A4 + a[15] * A3;
    r.m[6] = -a[12] * A5 + a[14] * A2 - a[15] * A1;
    r.m[10] = +a[12] * A4 - a[13] * A2 + a[15] * A0;
    r.m[14] = -a[12] * A3 + a[13] * A1 - a[14] * A0;
    r.m[3] = -a[9] * A5 + a[10] * A4 - a[11] * A3;
    r.m[7] = +a[8] * A5 - a[10] * A2 + a[11] * A1;
    r.m[11] = -a[8] * A4 + a[9] * A2 - a[11] * A0;
    r.m[15] = +a[8] * A3 - a[9] * A1 + a[10] * A0;
    const float invDet = 1.0f / det;
    for (float& value : r.m) value *= invDet;
    return r;
}

void transformPoint(const Matrix4& m, Vector3 p, float out[4]) {
    for (int row = 0; row < 4; ++row)
        out[row] = m.at(row, 0) * p.x + m.at(row, 1) * p.y + m.at(row, 2) * p.z + m.at(row, 3);
}
