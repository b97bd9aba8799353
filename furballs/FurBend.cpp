#include "furballs/FurBend.h"

Float4 transposeTimes(const Matrix4& m, const Float4& v) {
    Float4 result{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) result[column] += m.at(row, column) * v[row];
    }
    return result;
}

Float4 furGravity(const btVector3& smoothedVelocity, const Matrix4& modelMatrix) {
    btVector3 velocity = smoothedVelocity;
    const float speed = velocity.length();
    if (speed > MAX_BEND_SPEED) velocity *= MAX_BEND_SPEED / speed;
    const btVector3 bend = velocity * FUR_BEND_FACTOR;
    Float4 gravity = transposeTimes(modelMatrix, {bend.x(), bend.y(), bend.z(), 1.0f});
    gravity[3] = 0.0f;
    return gravity;
}

Float4 depthBend(float spectrumValue, const Matrix4& modelMatrix) {
    const float loudness = spectrumValue * spectrumValue;
    const float upward = 2.0f * loudness - 1.0f;
    return transposeTimes(modelMatrix, {0.0f, upward, 0.0f, 1.0f});
}

Float4 scaled(const Float4& v, float factor) { return {v[0] * factor, v[1] * factor, v[2] * factor, v[3] * factor}; }
