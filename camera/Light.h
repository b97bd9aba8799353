// The scene's one directional light. Its position, used as a direction towards the origin,
// runs along a closed cubic B-spline whose control points drift back and forth along x, so
// the path keeps changing shape. It also holds the shadow matrix the shadow pass uses.
#pragma once

#include <memory>
#include <vector>

#include "camera/Curves.h"
#include "camera/MathTypes.h"

// The light looks at the origin from this many times its position.
constexpr float LIGHT_EYE_DISTANCE = 10.0f;
// An orthographic box suits a directional light: parallel rays, no perspective.
constexpr float LIGHT_VIEW_HALF_EXTENT = 10.0f;
constexpr float LIGHT_VIEW_NEAR = 0.0f;
constexpr float LIGHT_VIEW_FAR = 30.0f;

// Pure forms of what the shadow pass asks GL to build, for checking it without a context.
// Column-major orthographic projection, as glOrtho builds it.
Matrix4 orthographicMatrix(float left, float right, float bottom, float top, float zNear,
                           float zFar);
// Column-major view matrix, as gluLookAt builds it.
Matrix4 lookAtMatrix(Vector3 eye, Vector3 center, Vector3 up);
// Maps clip coordinates -1..1 to texture coordinates 0..1 on all three axes.
Matrix4 shadowBiasMatrix();
// The light's orthographic projection.
Matrix4 lightProjectionMatrix();
// The look-at's up vector for an eye looking at the origin: across the view direction.
Vector3 lightUpVector(Vector3 eye);
// The light's view from LIGHT_EYE_DISTANCE times position towards the origin.
Matrix4 lightViewMatrix(Vector3 position);
// bias x projection x view: world coordinates to shadow-map coordinates and depth.
Matrix4 lightMatrixFor(Vector3 position);

class Light {
public:
    Light();

    // Once per frame, before the shadow pass: moves along the path, then reshapes it.
    void update(double frameSeconds);
    // Loads the light's projection and view into GL (left in GL_MODELVIEW mode) and stores
    // lightMatrix.
    void computeLightMatrix();

    Matrix4 lightMatrix;
    Vector3 position{0.0f, 1.0f, 0.0f};
    std::unique_ptr<curves::BSplineCurve3<float>> path;
    float pathTime = 0.0f;
    std::vector<int> drift{+1, -1, -1, +1};  // x direction of each control point's drift
};
