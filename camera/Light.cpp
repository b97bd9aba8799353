#include "camera/Light.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>

namespace {

// Path parameter per second: one loop of the path takes 50 seconds.
constexpr double PATH_SPEED = 0.02;
// Control point x per second: from -1 to +1 in 20 seconds.
constexpr double DRIFT_SPEED = 0.1;
// A control point turns back once its |x| has passed this.
constexpr float DRIFT_LIMIT = 1.0f;

constexpr int PATH_DEGREE = 3;
// The yz outline of these points stays fixed while x drifts, and it keeps the light well
// away from the x axis, where the look-at's up vector would vanish.
const Vector3 PATH_POINTS[] = {
    {-1.0f, -1.0f, -1.0f},
    {1.0f, 0.0f, -1.0f},
    {1.0f, 1.0f, 1.0f},
    {-1.0f, 0.0f, 1.0f},
};
constexpr int PATH_POINT_COUNT = sizeof(PATH_POINTS) / sizeof(PATH_POINTS[0]);

Vector3 normalized(Vector3 v) { return v * (1.0f / length(v)); }

Matrix4 currentGlMatrix(GLenum which) {
    Matrix4 m;
    glGetFloatv(which, m.m);
    return m;
}

Matrix4 fromRows(const float rows[4][4]) {
    Matrix4 m;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) m.m[4 * column + row] = rows[row][column];
    return m;
}

}  // namespace

Matrix4 orthographicMatrix(float left, float right, float bottom, float top, float zNear,
                           float zFar) {
    const float rows[4][4] = {
        {2.0f / (right - left), 0.0f, 0.0f, -(right + left) / (right - left)},
        {0.0f, 2.0f / (top - bottom), 0.0f, -(top + bottom) / (top - bottom)},
        {0.0f, 0.0f, -2.0f / (zFar - zNear), -(zFar + zNear) / (zFar - zNear)},
        {0.0f, 0.0f, 0.0f, 1.0f},
    };
    return fromRows(rows);
}

Matrix4 lookAtMatrix(Vector3 eye, Vector3 center, Vector3 up) {
    const Vector3 forward = normalized(center - eye);
    const Vector3 side = normalized(cross(forward, up));
    const Vector3 trueUp = cross(side, forward);
    const float rows[4][4] = {
        {side.x, side.y, side.z, -dot(side, eye)},
        {trueUp.x, trueUp.y, trueUp.z, -dot(trueUp, eye)},
        {-forward.x, -forward.y, -forward.z, dot(forward, eye)},
        {0.0f, 0.0f, 0.0f, 1.0f},
    };
    return fromRows(rows);
}

Matrix4 shadowBiasMatrix() {
    const float rows[4][4] = {
        {0.5f, 0.0f, 0.0f, 0.5f},
        {0.0f, 0.5f, 0.0f, 0.5f},
        {0.0f, 0.0f, 0.5f, 0.5f},
        {0.0f, 0.0f, 0.0f, 1.0f},
    };
    return fromRows(rows);
}

Matrix4 lightProjectionMatrix() {
    return orthographicMatrix(-LIGHT_VIEW_HALF_EXTENT, LIGHT_VIEW_HALF_EXTENT,
                              -LIGHT_VIEW_HALF_EXTENT, LIGHT_VIEW_HALF_EXTENT, LIGHT_VIEW_NEAR,
                              LIGHT_VIEW_FAR);
}

Vector3 lightUpVector(Vector3 eye) {
    // Any up vector across the view direction will do; e x (e + X) = (0, e.z, -e.y) is one,
    // and it stays non-zero as long as the light keeps off the x axis.
    return cross(eye, eye + Vector3{1.0f, 0.0f, 0.0f});
}

Matrix4 lightViewMatrix(Vector3 position) {
    const Vector3 eye = position * LIGHT_EYE_DISTANCE;
    return lookAtMatrix(eye, Vector3{}, lightUpVector(eye));
}

Matrix4 lightMatrixFor(Vector3 position) {
    return multiplyMatrix4(shadowBiasMatrix(),
                           multiplyMatrix4(lightProjectionMatrix(), lightViewMatrix(position)));
}

Light::Light()
    : path(std::make_unique<curves::BSplineCurve3<float>>(PATH_POINT_COUNT, PATH_POINTS,
                                                          PATH_DEGREE, true, false)) {}

void Light::update(double frameSeconds) {
    // Never wrapped: the closed curve wraps parameters above 1 itself.
    pathTime = float(pathTime + PATH_SPEED * frameSeconds);
    position = path->PositionAt(pathTime);
    for (int i = 0; i < PATH_POINT_COUNT; ++i) {
        Vector3 point = path->ControlPointAt(i);
        point.x = float(point.x + drift[i] * frameSeconds * DRIFT_SPEED);
        path->ReplaceControlPoint(i, point);
        if (std::fabs(point.x) > DRIFT_LIMIT) drift[i] = -drift[i];
    }
}

void Light::computeLightMatrix() {
    // GL builds each matrix and hands it back, so the shadow pass draws with exactly the
    // matrices that lightMatrix is made of.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-LIGHT_VIEW_HALF_EXTENT, LIGHT_VIEW_HALF_EXTENT, -LIGHT_VIEW_HALF_EXTENT,
            LIGHT_VIEW_HALF_EXTENT, LIGHT_VIEW_NEAR, LIGHT_VIEW_FAR);
    const Matrix4 projection = currentGlMatrix(GL_PROJECTION_MATRIX);

    // The bias takes clip coordinates -1..1 to texture coordinates 0..1.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glPushMatrix();
    glTranslatef(0.5f, 0.5f, 0.5f);
    glScalef(0.5f, 0.5f, 0.5f);
    const Matrix4 bias = currentGlMatrix(GL_MODELVIEW_MATRIX);
    glPopMatrix();

    const Vector3 eye = position * LIGHT_EYE_DISTANCE;
    const Vector3 up = lightUpVector(eye);
    gluLookAt(eye.x, eye.y, eye.z, 0.0, 0.0, 0.0, up.x, up.y, up.z);
    const Matrix4 view = currentGlMatrix(GL_MODELVIEW_MATRIX);

    lightMatrix = multiplyMatrix4(bias, multiplyMatrix4(projection, view));
}
