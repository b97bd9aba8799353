#include <gtest/gtest.h>

#include <cmath>

#include "render/Room.h"

namespace {

// Rodrigues' rotation of v by angle degrees about a unit axis, as glRotatef turns it.
Vector3 rotate(Vector3 v, float degrees, Vector3 axis) {
    const float radians = degrees * 3.14159265f / 180.0f;
    const float c = std::cos(radians), s = std::sin(radians);
    return v * c + cross(axis, v) * s + axis * (dot(axis, v) * (1.0f - c));
}

}  // namespace

// Each face is the unit quad moved and turned: its centre must land on a different side of the
// cube and its normal point back into the room, or the face is culled or drawn outside.
TEST(RoomFaces, EveryFaceLiesOnTheCubeAndLooksInwards) {
    const Vector3 up = {0.0f, 1.0f, 0.0f};
    const Vector3 corner = {1.0f, 0.0f, 1.0f};
    Vector3 seen = {};
    for (const RoomFace& face : ROOM_FACES) {
        const Vector3 centre = face.translation;
        EXPECT_NEAR(length(centre), 1.0f, 1e-6f);
        EXPECT_NE(centre.y, -1.0f) << "the floor is drawn as fur, not as a face";

        const Vector3 normal = rotate(up, face.angleDegrees, face.axis);
        EXPECT_NEAR(dot(normal, centre), -1.0f, 1e-5f);

        // The rotated quad stays in its face's plane.
        const Vector3 cornerOnFace = rotate(corner, face.angleDegrees, face.axis) + centre;
        EXPECT_NEAR(dot(cornerOnFace, centre), 1.0f, 1e-5f);
        seen += Vector3{std::fabs(centre.x), std::fabs(centre.y), std::fabs(centre.z)};
    }
    EXPECT_FLOAT_EQ(ROOM_FACES[0].translation.y, 1.0f) << "the ceiling comes first";
    EXPECT_FLOAT_EQ(seen.x, 2.0f);
    EXPECT_FLOAT_EQ(seen.y, 1.0f);
    EXPECT_FLOAT_EQ(seen.z, 2.0f);
}
