#include "camera/MathTypes.h"

#include <gtest/gtest.h>

namespace {

Matrix4 translation(Vector3 offset) {
    Matrix4 m = Matrix4::identity();
    m.m[12] = offset.x;
    m.m[13] = offset.y;
    m.m[14] = offset.z;
    return m;
}

void expectMatrixNear(const Matrix4& expected, const Matrix4& actual, float tolerance) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(expected.m[i], actual.m[i], tolerance) << "index " << i;
}

}  // namespace

TEST(MathTypes, MatrixProductOrder) {
    Matrix4 scale = Matrix4::identity();
    scale.m[0] = 2;
    scale.m[5] = 3;
    scale.m[10] = 4;
    const Matrix4 move = translation({1, 2, 3});
    expectMatrixNear(move, multiplyMatrix4(Matrix4::identity(), move), 0.0f);
    expectMatrixNear(move, multiplyMatrix4(move, Matrix4::identity()), 0.0f);

    // T * S scales first, then translates.
    float out[4];
    transformPoint(multiplyMatrix4(move, scale), {1, 1, 1}, out);
    EXPECT_FLOAT_EQ(3, out[0]);
    EXPECT_FLOAT_EQ(5, out[1]);
    EXPECT_FLOAT_EQ(7, out[2]);
    EXPECT_FLOAT_EQ(1, out[3]);
}

TEST(MathTypes, InverseOfRigidTransformAndSingularMatrix) {
    const float half = 0.6f;
    const Matrix3 rotation = toMatrix3({std::cos(half), 0.48f * std::sin(half),
                                        0.6f * std::sin(half), 0.64f * std::sin(half)});
    Matrix4 rigid = translation({4, -2, 7});
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            rigid.m[4 * column + row] = rotation.m[row][column];
    expectMatrixNear(Matrix4::identity(), multiplyMatrix4(inverse(rigid), rigid), 1e-5f);
    expectMatrixNear(Matrix4::identity(), multiplyMatrix4(rigid, inverse(rigid)), 1e-5f);

    Matrix4 flat = Matrix4::identity();
    flat.m[10] = 0;
    expectMatrixNear(Matrix4{}, inverse(flat), 0.0f);
}
