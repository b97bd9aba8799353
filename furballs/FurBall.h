// One fur ball: a sphere rigid body in the physics world, its rest timer that makes it leap,
// and its drawing as stacked fur shells; plus the scene's six balls and their drawing order.
#pragma once

#include "camera/MathTypes.h"
#include "furballs/FurBend.h"
#include "physics/PhysicsWorld.h"
#include "render/FurStyle.h"
#include "render/Mesh.h"
#include "render/ShaderPrograms.h"
#include "render/ShellSelection.h"
#include "render/Textures.h"

#include <deque>
#include <memory>
#include <vector>

// A ball that has kept still this long leaps.
constexpr double REST_SECONDS_BEFORE_LEAP = 3.0;

// The leap's rules, as the settings ask.
struct LeapRule {
    float strength = 1.0f;  // times the designed impulse
    double restSeconds = REST_SECONDS_BEFORE_LEAP;
};

class FurBall {
public:
    // Adds a sphere body at position to world. A ball needs no GL context, so it can be made
    // and moved without a window.
    FurBall(Vector3 position, Vector3 size, PhysicsWorld& world = *PhysicsWorld::instance());
    // The body stays in the world: the world owns it.
    ~FurBall();
    FurBall(const FurBall&) = delete;
    FurBall& operator=(const FurBall&) = delete;

    // Appends the body's velocity to the history, keeps and returns the smoothed velocity and,
    // after more than rule.restSeconds of vertical stillness, makes the ball leap. Runs once per
    // drawn frame, before drawFur, while the world is not paused.
    btVector3 updateMotion(double worldSeconds, const LeapRule& rule = {});
    // Throws the ball up and randomly sideways, strength times the designed impulse.
    void leap(float strength);

    // Colour pass: program "fur" current, shadow map on unit 1, the camera's view loaded. The
    // fur bends against the smoothed velocity of the latest motion update. Every shell is drawn
    // from sphere, the mesh made from shellSphereData.
    void drawFur(ProgramTable& programs, const ShellList& shells, const Mesh& sphere, const FurStyle& style,
                 const Matrix4& inverseViewMatrix);
    // Shadow pass: program "depth" current, the light's projection and view loaded. spectrum
    // holds the frame's 512 values; null counts as silence.
    void drawDepth(ProgramTable& programs, const ShellList& shells, const Mesh& sphere, const FurStyle& style,
                   const float* spectrum);

    float distanceToCamera = 0.0f;
    Vector3 position;
    Vector3 size;
    Matrix4 modelMatrix;
    btRigidBody* body = nullptr;
    float restStartTime = 0.0f;
    std::deque<btVector3> velocityHistory;
    btVector3 smoothedVelocity{0.0f, 0.0f, 0.0f};

private:
    btVector3 smoothVelocity(const btVector3& velocity);
    void timeRest(double totalSeconds, const LeapRule& rule);
    void drawShells(ProgramTable& programs, const char* programName, const ShellList& shells, const Mesh& sphere,
                    const FurStyle& style, const Float4& gravity);
};

// The one unit-diameter sphere every shell of every ball is drawn from, as gluSphere made it
// with 20 slices and 20 stacks: one mesh made once costs a frame a few draws per shell where
// GLU's immediate mode cost it hundreds of calls.
MeshData shellSphereData();

using FurBallList = std::vector<std::unique_ptr<FurBall>>;

// The spawn centre moved, axis by axis, just far enough that a ball of this size lies
// inside the room's inner cube.
Vector3 clampInsideRoom(Vector3 centre, Vector3 size);

// The six balls in their fixed order (the shadow pass and the follow view rely on it),
// each added to world at its clamped spawn centre.
FurBallList spawnFurBalls(PhysicsWorld& world = *PhysicsWorld::instance());

// Writes every ball's distanceToCamera from eye and returns the balls farthest first, so
// that translucent shells blend over what lies behind them. Each ball appears once.
std::vector<FurBall*> sortFarthestFirst(const FurBallList& balls, Vector3 eye);
