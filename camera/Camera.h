// The viewer's eye: a free view flown with keys and turned with the mouse, or a follow view
// that trails one fur ball. Orientation is two quaternions, one turn about world up (yaw) and
// one tilt about the camera's right axis (pitch); their product gives the camera's axes.
#pragma once

#include "camera/MathTypes.h"

// The perspective of every view: 45 degrees vertically, near 0.1, far 300.
void loadPerspectiveProjection(float aspect);

class Camera {
public:
    Camera();

    void rotateYaw(float angle);
    void rotatePitch(float angle);
    // Turns by a pointer offset in pixels; the turn scales with the last frame's duration.
    void mouseLook(int dx, int dy, double frameSeconds);
    // Entering the free view puts the eye back at its start position and orientation.
    void setFree(bool on);
    // Once per frame: moves the eye, then loads the projection and the view into GL. The follow
    // view keeps its eye inside the room, a cube reaching roomHalfExtent from the centre.
    void updateAndApply(double frameSeconds, float aspect, float roomHalfExtent);
    // The two halves of updateAndApply: the motion needs no GL, the view does.
    void update(double frameSeconds, float roomHalfExtent);
    void apply(float aspect);

    Matrix4 viewMatrix;
    Matrix4 inverseViewMatrix;
    Vector3 eye;
    Vector3 lookAt;
    bool matricesValid = false;
    bool moving = false;
    float moveSpeed = 10.0f;
    float mouseSensitivity = 0.1f;
    int moveDirection = 0;
    const Vector3* followTarget = nullptr;  // position of the followed fur ball, not owned
    Matrix3 rotation;                        // columns: right, up, back
    Quaternion yaw;
    Quaternion pitch;
    bool free = true;

private:
    void resetView();
    void updateRotation();
    void moveFree(double frameSeconds);
    void follow(float roomHalfExtent);
};
