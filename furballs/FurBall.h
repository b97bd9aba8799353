// One fur ball: a sphere rigid body in the physics world, its rest timer that makes it leap,
// and its drawing as stacked fur shells; plus the scene's six balls and their drawing order.
#pragma once

#include "camera/MathTypes.h"
#include "physics/PhysicsWorld.h"
#include "render/ShaderPrograms.h"
#include "render/ShellSelection.h"
#include "render/Textures.h"

#include <GL/glu.h>

#include <deque>
#include <memory>
#include <vector>

class FurBall {
public:
    // Adds a sphere body at position to world. The quadric needs no GL context, so a ball
    // can be made and moved without a window.
    FurBall(Vector3 position, Vector3 size, PhysicsWorld& world = *PhysicsWorld::instance());
    // The body stays in the world: the world owns it.
    ~FurBall();
    FurBall(const FurBall&) = delete;
    FurBall& operator=(const FurBall&) = delete;

    // Appends the body's velocity to the history, keeps and returns the smoothed velocity and,
    // after more than 3 s of vertical stillness, makes the ball leap. Runs once per drawn frame,
    // before drawFur, while the world is not paused.
    btVector3 updateMotion(double worldSeconds);

    // Colour pass: program "fur" current, shadow map on unit 1, the camera's view loaded. The
    // fur bends against the smoothed velocity of the latest motion update.
    void drawFur(ProgramTable& programs, const ShellList& shells, ShellSelection selection,
                 const Matrix4& inverseViewMatrix);
    // Shadow pass: program "depth" current, the light's projection and view loaded. spectrum
    // holds the frame's 512 values; null counts as silence.
    void drawDepth(ProgramTable& programs, const ShellList& shells, ShellSelection selection,
                   const float* spectrum);

    float distanceToCamera = 0.0f;
    Vector3 position;
    Vector3 size;
    Matrix4 modelMatrix;
    GLUquadric* quadric = nullptr;
    btRigidBody* body = nullptr;
    float restStartTime = 0.0f;
    std::deque<btVector3> velocityHistory;
    btVector3 smoothedVelocity{0.0f, 0.0f, 0.0f};

private:
    btVector3 smoothVelocity(const btVector3& velocity);
    void timeRest(double totalSeconds);
    void leap();
    void drawShells(ProgramTable& programs, const char* programName, const ShellList& shells,
                    ShellSelection selection);
};

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
