#include "camera/Camera.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>

namespace {
const Vector3 START_EYE = {0.0f, 5.0f, -26.0f};
const float START_YAW = 3.14159f;   // facing +z
const float START_PITCH = -0.2f;    // slightly down
const double FIELD_OF_VIEW_DEGREES = 45.0;
const float NEAR_PLANE = 0.1f;
const double FAR_PLANE = 300.0;
const float FOLLOW_SMOOTHING = 0.1f;  // share of the remaining way per frame
const float FOLLOW_OFFSET = 6.0f;
// The follow view's eye keeps this far from every wall, the floor and the ceiling: well beyond
// the near plane's corners (about 0.13 away at any usual aspect), so no face is ever cut.
const float FOLLOW_ROOM_MARGIN = 0.5f;

float clampToRoom(float coordinate, float roomHalfExtent) {
    const float limit = roomHalfExtent - FOLLOW_ROOM_MARGIN;
    return std::fmin(std::fmax(coordinate, -limit), limit);
}
}  // namespace

void loadPerspectiveProjection(float aspect) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(FIELD_OF_VIEW_DEGREES, aspect, NEAR_PLANE, FAR_PLANE);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

Camera::Camera() { resetView(); }

void Camera::resetView() {
    eye = START_EYE;
    yaw = Quaternion{};
    pitch = Quaternion{};
    rotatePitch(START_PITCH);
    rotateYaw(START_YAW);
}

void Camera::updateRotation() {
    rotation = toMatrix3(yaw * pitch);
    matricesValid = false;
}

void Camera::rotateYaw(float angle) {
    const float half = angle * 0.5f;
    yaw = yaw * Quaternion{std::cos(half), 0.0f, std::sin(half), 0.0f};
    updateRotation();
}

void Camera::rotatePitch(float angle) {
    const float half = angle * 0.5f;
    pitch = pitch * Quaternion{std::cos(half), std::sin(half), 0.0f, 0.0f};
    updateRotation();
}

void Camera::mouseLook(int dx, int dy, double frameSeconds) {
    if (!(frameSeconds > 0.0)) return;
    const float dt = float(frameSeconds);
    rotatePitch(float(-dy) * mouseSensitivity * dt);
    rotateYaw(float(-dx) * mouseSensitivity * dt);
}

void Camera::setFree(bool on) {
    free = on;
    if (on) resetView();
}

void Camera::moveFree(double frameSeconds) {
    // Directions 0..2 move along +axis, 3..5 along -axis of the camera's rotation.
    int axis = moveDirection;
    float sign = 1.0f;
    if (moveDirection > 2) {
        axis = moveDirection - 3;
        sign = -1.0f;
    }
    eye += rotation.column(axis) * (moveSpeed * sign * float(frameSeconds));
    matricesValid = false;
}

void Camera::follow(float roomHalfExtent) {
    // The look-at point glides towards the ball; the eye keeps a fixed offset at half its height.
    const Vector3 target = followTarget ? *followTarget : lookAt;
    lookAt += (target - lookAt) * FOLLOW_SMOOTHING;
    const Vector3 behind = {lookAt.x + FOLLOW_OFFSET, lookAt.y - 0.5f * lookAt.y, lookAt.z - FOLLOW_OFFSET};
    // Near a wall that offset would put the eye outside the room, looking at the room's back
    // faces over the clear colour; it slides along the wall instead, still aimed at the ball.
    eye = {clampToRoom(behind.x, roomHalfExtent), clampToRoom(behind.y, roomHalfExtent),
           clampToRoom(behind.z, roomHalfExtent)};
    matricesValid = false;
}

void Camera::update(double frameSeconds, float roomHalfExtent) {
    if (free && moving) moveFree(frameSeconds);
    if (!free) follow(roomHalfExtent);
}

void Camera::apply(float aspect) {
    loadPerspectiveProjection(aspect);
    const Vector3 center = free ? eye - rotation.column(2) : lookAt;
    const Vector3 up = free ? rotation.column(1) : Vector3{0.0f, 1.0f, 0.0f};
    gluLookAt(eye.x, eye.y, eye.z, center.x, center.y, center.z, up.x, up.y, up.z);

    // A camera that stands still costs no read-back.
    if (!matricesValid) {
        glGetFloatv(GL_MODELVIEW_MATRIX, viewMatrix.m);
        inverseViewMatrix = inverse(viewMatrix);
        matricesValid = true;
    }
}

void Camera::updateAndApply(double frameSeconds, float aspect, float roomHalfExtent) {
    update(frameSeconds, roomHalfExtent);
    apply(aspect);
}
