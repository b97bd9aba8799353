// The closed room of static boxes, the fur balls that bounce and leap in it, and the bends
// their fur takes from motion and from the bass.
#include <gmock/gmock.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "furballs/FurBall.h"
#include "furballs/FurBend.h"
#include "physics/PhysicsWorld.h"
#include "render/Random.h"

using namespace testing;

namespace {
btRigidBody* bodyAt(PhysicsWorld& world, int index) {
    return btRigidBody::upcast(world.dynamicsWorld->getCollisionObjectArray()[index]);
}
void setVerticalSpeed(FurBall& ball, float speed) { ball.body->setLinearVelocity(btVector3(0, speed, 0)); }
float length3(const Float4& v) { return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]); }
// Translation * rotation about y * uniform scale, as the colour pass saves it.
Matrix4 modelMatrix(Vector3 origin, float turn, float scale) {
    const float c = std::cos(turn) * scale, s = std::sin(turn) * scale;
    return {{c, 0, -s, 0, 0, scale, 0, 0, s, 0, c, 0, origin.x, origin.y, origin.z, 1}};
}
}  // namespace

TEST(PhysicsWorld, TheRoomIsClosedAndOneFixedStepIsTakenPerFrame) {
    PhysicsWorld world;
    world.buildWorld();
    ASSERT_EQ(world.dynamicsWorld->getNumCollisionObjects(), 6);
    // Rays from the centre toward every face, edge and corner hit a wall: no gap anywhere.
    for (int d = 0; d < 27; ++d) {
        if (d == 13) continue;
        const btVector3 to = btVector3(float(d % 3 - 1), float(d / 3 % 3 - 1), float(d / 9 - 1)).normalized() * 30.0f;
        btCollisionWorld::ClosestRayResultCallback hit(btVector3(0, 0, 0), to);
        world.dynamicsWorld->rayTest(btVector3(0, 0, 0), to, hit);
        EXPECT_TRUE(hit.hasHit()) << d;
    }
    // Floor, ceiling, -x, +x, -z, +z, each with its face toward the centre at 9.9, then a ball.
    FurBall ball({3, 2, -1}, {1, 1, 1}, world);
    for (int i = 0; i < 7; ++i) {
        const btRigidBody* body = bodyAt(world, i);
        EXPECT_FLOAT_EQ(body->getFriction(), 0.5f);
        EXPECT_FLOAT_EQ(body->getRestitution(), 0.5f);
        EXPECT_EQ(body->getLinearDamping(), 0.0f);
        EXPECT_EQ(body->getAngularDamping(), 0.0f);
        EXPECT_FLOAT_EQ(body->getLinearSleepingThreshold(), 0.8f);
        EXPECT_FLOAT_EQ(body->getAngularSleepingThreshold(), 1.0f);
        EXPECT_EQ(body->isStaticObject(), i < 6) << i;
        if (i == 6) continue;
        btVector3 min, max;
        body->getCollisionShape()->getAabb(body->getWorldTransform(), min, max);
        const int axis = (4 - i / 2) % 3;  // y, x, z
        EXPECT_NEAR(i % 2 == 0 ? max[axis] : min[axis], i % 2 == 0 ? -9.9f : 9.9f, 1e-5f) << "box " << i;
    }
    // 0.02 s per call would add up to a second substep every fifth frame; it must not.
    for (int frame = 1; frame <= 12; ++frame) {
        world.stepFrame();
        EXPECT_NEAR(ball.body->getLinearVelocity().y(), -10.0f * frame / 60.0f, 1e-4f) << frame;
    }
    ball.body->setAngularVelocity(btVector3(1, 2, 3));
    world.resetBodies();
    btTransform shown;
    ball.body->getMotionState()->getWorldTransform(shown);
    for (const btVector3& origin : {ball.body->getWorldTransform().getOrigin(), shown.getOrigin(),
                                    ball.body->getInterpolationWorldTransform().getOrigin()})
        EXPECT_LT(origin.distance(btVector3(3, 2, -1)), 1e-6f);
    EXPECT_EQ(ball.body->getLinearVelocity().length(), 0.0f);
    EXPECT_EQ(ball.body->getAngularVelocity().length(), 0.0f);
    EXPECT_EQ(ball.body->getActivationState(), ACTIVE_TAG);
    // The gravity setting wakes a sleeping ball; at 0 it floats on at the speed it had.
    ball.body->setActivationState(ISLAND_SLEEPING);
    world.setGravityScale(2.0f);
    EXPECT_TRUE(ball.body->isActive());
    world.stepFrame();
    EXPECT_NEAR(ball.body->getLinearVelocity().y(), -20.0f / 60.0f, 1e-4f);
    world.setGravityScale(0.0f);
    world.stepFrame();
    EXPECT_NEAR(ball.body->getLinearVelocity().y(), -20.0f / 60.0f, 1e-4f);

    PhysicsWorld empty;  // never built: steps and bodies are refused quietly
    empty.stepFrame();
    empty.resetBodies();
    EXPECT_EQ(empty.createRigidBody(1.0f, btTransform::getIdentity(), nullptr), nullptr);
}

TEST(FurBall, SpawnsSixInsideSmoothsFifteenVelocitiesAndLeapsAfterThreeSecondsAtRest) {
    PhysicsWorld room;
    room.buildWorld();
    const FurBallList balls = spawnFurBalls(room);
    const Vector3 expected[] = {{5, 2, -4}, {-2, 5, 2}, {-2, 8, 2.1f}, {0, -2, 0}, {0, 8.4f, 0}, {0, -1, -6}};
    const float sizes[] = {3, 2, 3, 1, 3, 1};
    ASSERT_EQ(balls.size(), 6u);
    for (std::size_t i = 0; i < balls.size(); ++i) {
        const btVector3 centre = balls[i]->body->getWorldTransform().getOrigin();
        EXPECT_THAT((std::array{balls[i]->position.x, balls[i]->position.y, balls[i]->position.z, centre.x(), centre.y(), centre.z()}),
                    ElementsAre(expected[i].x, expected[i].y, expected[i].z, expected[i].x, expected[i].y, expected[i].z)) << i;
        EXPECT_FLOAT_EQ(balls[i]->size.x, sizes[i]);
    }
    const Vector3 corner = clampInsideRoom({-12, 0, 9.5f}, {2, 2, 2});
    EXPECT_FLOAT_EQ(corner.x, -8.9f);
    EXPECT_FLOAT_EQ(corner.z, 8.9f);

    FurBall ball({0, 0, 0}, {1, 1, 1}, room);
    for (int update = 1; update <= 16; ++update) {
        setVerticalSpeed(ball, float(update));
        EXPECT_NEAR(ball.updateMotion(1.0).y(), update <= 15 ? update : 9.0f, 1e-5f) << update;  // 2..16
    }
    // A still moment after fifteen fast ones is averaged away: no rest begins.
    setVerticalSpeed(ball, 0.0f);
    ball.updateMotion(2.0);
    EXPECT_EQ(ball.restStartTime, 0.0f);

    FurBall resting({2, 0, 0}, {1, 1, 1}, room);
    resting.updateMotion(0.0);
    EXPECT_EQ(resting.restStartTime, 0.0f) << "the first frame starts nothing";
    resting.updateMotion(0.5);
    setVerticalSpeed(resting, 5.0f);
    resting.updateMotion(1.0);
    setVerticalSpeed(resting, 0.0f);
    resting.updateMotion(3.5);
    EXPECT_EQ(resting.restStartTime, 0.5f) << "motion does not clear it; exactly 3 s does not fire";
    seedRandom(7);
    const float a = 2.0f * float(nextRandom()) / float(RANDOM_MAX) - 1.0f;
    const float b = 2.0f * float(nextRandom()) / float(RANDOM_MAX) - 1.0f;
    seedRandom(7);
    resting.body->setActivationState(ISLAND_SLEEPING);  // as a ball at rest is after two seconds
    resting.updateMotion(3.51);
    EXPECT_TRUE(resting.body->isActive());
    EXPECT_EQ(resting.restStartTime, 0.0f);
    // Impulse (b, 3, a) on mass 0.1: the first number drives z, the second x.
    EXPECT_LT(resting.body->getLinearVelocity().distance(btVector3(10.0f * b, 30.0f, 10.0f * a)), 1e-4f);

    // The settings' rule: half the impulse after more than a second at rest.
    FurBall quick({-2, 0, 0}, {1, 1, 1}, room);
    const LeapRule rule{0.5f, 1.0};
    quick.updateMotion(0.5, rule);
    quick.updateMotion(1.5, rule);
    EXPECT_EQ(quick.restStartTime, 0.5f);
    quick.updateMotion(1.51, rule);
    EXPECT_NEAR(quick.body->getLinearVelocity().y(), 15.0f, 1e-4f);
}

TEST(FurBall, TwentyMinutesOfLeapsStayInTheRoom) {
    PhysicsWorld other;
    other.buildWorld();
    const FurBallList balls = spawnFurBalls(other);
    seedRandom(1);
    std::vector<float> highest(balls.size(), -10.0f);
    for (int frame = 0; frame < 20 * 60 * 60; ++frame) {
        other.stepFrame();
        for (std::size_t i = 0; i < balls.size(); ++i) {
            balls[i]->updateMotion(frame / 60.0);
            const btVector3& centre = balls[i]->body->getWorldTransform().getOrigin();
            const btVector3 reach = centre.absolute();  // compared one by one, so a NaN fails too
            ASSERT_TRUE(reach.x() < 9.9f && reach.y() < 9.9f && reach.z() < 9.9f) << "ball " << i << " frame " << frame;
            if (frame > 600) highest[i] = std::max(highest[i], centre.y());
        }
    }
    // Every ball left the floor after the spawn drop had settled: the leaps kept firing.
    for (std::size_t i = 0; i < balls.size(); ++i) EXPECT_GT(highest[i], -9.9f + balls[i]->size.y) << i;

    // Drawn farthest first, each once.
    FurBallList row;
    for (Vector3 p : {Vector3{1, 0, 0}, {-5, 0, 0}, {6, 0, 0}, {0, 3, 0}})
        row.push_back(std::make_unique<FurBall>(p, Vector3{1, 1, 1}, other));
    EXPECT_THAT(sortFarthestFirst(row, {0, 0, 0}), ElementsAre(row[2].get(), row[1].get(), row[3].get(), row[0].get()));
}

TEST(FurBend, ColourBendTrailsTheMotionUpToSpeedThreeAndShadowBendFollowsTheBass) {
    const Matrix4 turned = modelMatrix({4, -2, 1}, 0.7f, 2.0f);
    EXPECT_NEAR(length3(furGravity(btVector3(0, 0, 0), turned)), 0.0f, 1e-5f);
    for (const auto& [speed, bend] : {std::pair{1.0f, 0.1f}, {3.0f, 0.3f}, {12.0f, 0.3f}})
        EXPECT_NEAR(length3(furGravity(btVector3(0, speed, 0), Matrix4::identity())), bend, 1e-5f) << speed;
    EXPECT_EQ(furGravity(btVector3(1, 2, 3), Matrix4::identity())[3], 0.0f);
    // Moving along +x, however it is turned, blows the fur toward -x: back to world terms,
    // divide out the scale twice and rotate.
    const Float4 object = furGravity(btVector3(2, 0, 0), turned);
    for (int row = 0; row < 3; ++row) {
        float world = 0.0f;
        for (int column = 0; column < 3; ++column) world += turned.at(row, column) * object[column] / 4.0f;
        EXPECT_NEAR(world, row == 0 ? -0.2f : 0.0f, 1e-5f) << row;
    }
    // Shadow: straight down by the size in silence, up as far at full bass, flat at sqrt(1/2).
    const Matrix4 upright = modelMatrix({5, 2, -4}, 0.0f, 3.0f);
    for (const auto& [bass, height] : {std::pair{0.0f, -3.0f}, {1.0f, 3.0f}, {std::sqrt(0.5f), 0.0f}})
        EXPECT_THAT(depthBend(bass, upright), ElementsAre(FloatNear(0.0f, 1e-5f), FloatNear(height, 1e-5f), FloatNear(0.0f, 1e-5f), _));
}
