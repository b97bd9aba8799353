// The "gravity" vectors that bend a fur ball's hairs: in the colour pass they trail the
// ball's motion, in the shadow pass they follow the bass of the music.
#pragma once

#include "camera/MathTypes.h"

#include <LinearMath/btVector3.h>

#include <array>

using Float4 = std::array<float, 4>;

// Speeds above this bend the fur no further.
constexpr float MAX_BEND_SPEED = 3.0f;
// The hairs trail the motion: the bend is this factor times the (clamped) velocity.
constexpr float FUR_BEND_FACTOR = -0.1f;
// The spectrum bin (about 86 Hz) whose value bends the fur in the shadow pass.
constexpr int DEPTH_BEND_SPECTRUM_INDEX = 2;

// The transpose of m applied to v: component k is column k of m dotted with v.
Float4 transposeTimes(const Matrix4& m, const Float4& v);

// Every component of v times factor: the settings' bend strengths.
Float4 scaled(const Float4& v, float factor);

// Bend of the colour pass: -0.1 times the velocity clamped to length 3, carried into the
// ball's object space by the transpose of its object-to-world matrix; w is 0.
Float4 furGravity(const btVector3& smoothedVelocity, const Matrix4& modelMatrix);

// Bend of the shadow pass: straight down for a silent bass bin, straight up at full scale.
// All four components of the transpose of modelMatrix applied to (0, 2 s^2 - 1, 0, 1).
Float4 depthBend(float spectrumValue, const Matrix4& modelMatrix);
