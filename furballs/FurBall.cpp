#include "furballs/FurBall.h"

#include "furballs/FurBend.h"
#include "render/Random.h"

#include <algorithm>
#include <cmath>

namespace {

// Every ball weighs the same, so the leap impulse throws small and large balls alike.
constexpr float BALL_MASS = 0.1f;
// The drawn sphere has unit diameter, so a ball's radius is half its size; the collision
// sphere of radius 1 is scaled to match.
constexpr float RADIUS_PER_SIZE = 0.5f;
constexpr float COLLISION_SPHERE_RADIUS = 1.0f;

// Velocities averaged for the rest test and the fur bend.
constexpr std::size_t VELOCITY_HISTORY_LENGTH = 15;
// A ball counts as resting while its smoothed vertical speed stays below this.
constexpr float REST_VERTICAL_SPEED = 0.1f;
// Upward part of the leap; the sideways parts are random in -1 .. 1.
constexpr float LEAP_UPWARD_IMPULSE = 3.0f;

// Every shell is the same unit-diameter sphere; the shader pushes it out by furLength.
constexpr double SHELL_RADIUS = 0.5;
constexpr int SHELL_SLICES = 20;
constexpr int SHELL_STACKS = 20;

const char* const FUR_PROGRAM = "fur";
const char* const DEPTH_PROGRAM = "depth";

// Spawn centres and sizes, in the order the balls are kept.
struct Spawn {
    Vector3 position;
    Vector3 size;
};

const Spawn SPAWNS[] = {
    {{5.0f, 2.0f, -4.0f}, {3.0f, 3.0f, 3.0f}},
    {{-2.0f, 5.0f, 2.0f}, {2.0f, 2.0f, 2.0f}},
    {{-2.0f, 8.0f, 2.1f}, {3.0f, 3.0f, 3.0f}},
    {{0.0f, -2.0f, 0.0f}, {1.0f, 1.0f, 1.0f}},
    {{0.0f, 10.0f, 0.0f}, {3.0f, 3.0f, 3.0f}},
    {{0.0f, -1.0f, -6.0f}, {1.0f, 1.0f, 1.0f}},
};

float clampAxis(float centre, float size) {
    const float limit = ROOM_INNER_HALF_EXTENT - RADIUS_PER_SIZE * size;
    return std::clamp(centre, -limit, limit);
}

float randomSigned() { return 2.0f * float(nextRandom()) / float(RANDOM_MAX) - 1.0f; }

btTransform placedAt(Vector3 origin) {
    btTransform transform;
    transform.setIdentity();
    transform.setOrigin(btVector3(origin.x, origin.y, origin.z));
    return transform;
}

}  // namespace

FurBall::FurBall(Vector3 position, Vector3 size, PhysicsWorld& world)
    : position(position), size(size) {
    btCollisionShape* shape = new btSphereShape(COLLISION_SPHERE_RADIUS);
    shape->setLocalScaling(btVector3(size.x, size.y, size.z) * RADIUS_PER_SIZE);
    world.collisionShapes.push_back(shape);
    body = world.createRigidBody(BALL_MASS, placedAt(position), shape);
}

FurBall::~FurBall() = default;

btVector3 FurBall::updateMotion(double worldSeconds, const LeapRule& rule) {
    smoothedVelocity = smoothVelocity(body->getLinearVelocity());
    if (std::fabs(smoothedVelocity.y()) < REST_VERTICAL_SPEED) timeRest(worldSeconds, rule);
    return smoothedVelocity;
}

btVector3 FurBall::smoothVelocity(const btVector3& velocity) {
    velocityHistory.push_back(velocity);
    if (velocityHistory.size() <= VELOCITY_HISTORY_LENGTH) return velocity;
    velocityHistory.pop_front();
    btVector3 sum(0.0f, 0.0f, 0.0f);
    for (const btVector3& past : velocityHistory) sum += past;
    return sum * (1.0f / float(VELOCITY_HISTORY_LENGTH));
}

// The timer runs from the first still moment after a leap; bouncing in between does not
// restart it. 0 means idle, which is also why the very first frame (time 0) starts nothing.
void FurBall::timeRest(double totalSeconds, const LeapRule& rule) {
    if (restStartTime == 0.0f) {
        restStartTime = float(totalSeconds);
    } else if (totalSeconds - double(restStartTime) > rule.restSeconds) {
        restStartTime = 0.0f;
        leap(rule.strength);
    }
}

void FurBall::leap(float strength) {
    const float forward = randomSigned();
    const float sideways = randomSigned();
    // Bullet zeroes a sleeping body's velocity at the next step, which would swallow the leap.
    body->activate();
    body->applyCentralImpulse(btVector3(sideways, LEAP_UPWARD_IMPULSE, forward) * strength);
}

void FurBall::drawFur(ProgramTable& programs, const ShellList& shells, const Mesh& sphere, const FurStyle& style,
                      const Matrix4& inverseViewMatrix) {
    glPushMatrix();
    btTransform transform;
    body->getMotionState()->getWorldTransform(transform);
    const btVector3& origin = transform.getOrigin();
    position = {origin.x(), origin.y(), origin.z()};
    btScalar bodyMatrix[16];
    transform.getOpenGLMatrix(bodyMatrix);
    glMultMatrixf(bodyMatrix);
    glScalef(size.x, size.y, size.z);

    // Undo the camera's view to keep the object-to-world matrix for the next shadow pass.
    Matrix4 modelView;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.m);
    modelMatrix = multiplyMatrix4(inverseViewMatrix, modelView);

    const Float4 gravity = scaled(furGravity(smoothedVelocity, modelMatrix), style.motionBend);
    programs.setFloat(FUR_PROGRAM, "shadowBias", style.shadowBias);
    programs.setInt(FUR_PROGRAM, "hairLighting", style.hairLighting);
    drawShells(programs, FUR_PROGRAM, shells, sphere, style, gravity);
    glPopMatrix();
}

// The shadow ignores the ball's rotation: only its centre and size matter to a fuzzy blob.
void FurBall::drawDepth(ProgramTable& programs, const ShellList& shells, const Mesh& sphere,
                        const FurStyle& style, const float* spectrum) {
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glScalef(size.x, size.y, size.z);
    const float bass = spectrum ? spectrum[DEPTH_BEND_SPECTRUM_INDEX] : 0.0f;
    const Float4 gravity = scaled(depthBend(bass, modelMatrix), style.bassBend);
    drawShells(programs, DEPTH_PROGRAM, shells, sphere, style, gravity);
    glPopMatrix();
}

// Uniform calls act on the current program, which the caller made programName.
void FurBall::drawShells(ProgramTable& programs, const char* programName, const ShellList& shells,
                         const Mesh& sphere, const FurStyle& style, const Float4& gravity) {
    programs.setVec4(programName, "gravity", gravity.data());
    programs.setFloat(programName, "furScale", style.lengthScale);
    const GLint furLengthLocation = programs.location(programName, "furLength");
    sphere.bind();
    forEachDrawnShell(shells, style.shellsDrawn, FUR_LENGTH_STEP, [&](const ShellTexture& shell, float furLength) {
        glBindTexture(GL_TEXTURE_2D, shell.texture);
        glUniform1f(furLengthLocation, furLength);
        sphere.draw();
    });
    sphere.unbind();
}

MeshData shellSphereData() { return sphereMeshData(SHELL_RADIUS, SHELL_SLICES, SHELL_STACKS); }

Vector3 clampInsideRoom(Vector3 centre, Vector3 size) {
    return {clampAxis(centre.x, size.x), clampAxis(centre.y, size.y), clampAxis(centre.z, size.z)};
}

FurBallList spawnFurBalls(PhysicsWorld& world) {
    FurBallList balls;
    for (const Spawn& spawn : SPAWNS) {
        balls.push_back(std::make_unique<FurBall>(clampInsideRoom(spawn.position, spawn.size), spawn.size, world));
    }
    return balls;
}

std::vector<FurBall*> sortFarthestFirst(const FurBallList& balls, Vector3 eye) {
    std::vector<FurBall*> order;
    order.reserve(balls.size());
    for (const auto& ball : balls) {
        ball->distanceToCamera = length(ball->position - eye);
        order.push_back(ball.get());
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const FurBall* a, const FurBall* b) { return a->distanceToCamera > b->distanceToCamera; });
    return order;
}
