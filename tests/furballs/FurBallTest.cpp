#include "furballs/FurBall.h"
#include "render/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double FRAME_SECONDS = 1.0 / 60.0;

struct BuiltWorld {
    BuiltWorld() { world.buildWorld(); }
    PhysicsWorld world;
};

void setVerticalSpeed(FurBall& ball, float speed) { ball.body->setLinearVelocity(btVector3(0, speed, 0)); }

}  // namespace

TEST(FurBall, SpawnsTheSixBallsInsideTheRoom) {
    BuiltWorld room;
    const FurBallList balls = spawnFurBalls(room.world);
    const Vector3 expected[] = {{5, 2, -4}, {-2, 5, 2}, {-2, 8, 2.1f}, {0, -2, 0}, {0, 8.4f, 0}, {0, -1, -6}};
    const float sizes[] = {3, 2, 3, 1, 3, 1};
    ASSERT_EQ(balls.size(), 6u);
    EXPECT_EQ(room.world.collisionShapes.size(), 12);
    for (std::size_t i = 0; i < balls.size(); ++i) {
        const FurBall& ball = *balls[i];
        EXPECT_FLOAT_EQ(ball.position.y, expected[i].y) << "ball " << i;
        EXPECT_FLOAT_EQ(ball.position.x, expected[i].x) << "ball " << i;
        EXPECT_FLOAT_EQ(ball.position.z, expected[i].z) << "ball " << i;
        EXPECT_FLOAT_EQ(ball.size.x, sizes[i]);
        EXPECT_FLOAT_EQ(ball.body->getWorldTransform().getOrigin().y(), expected[i].y);
        EXPECT_FLOAT_EQ(ball.body->getInvMass(), 10.0f);
        EXPECT_EQ(ball.modelMatrix.m[0], 0.0f);
        EXPECT_NE(ball.quadric, nullptr);
    }
    const Vector3 corner = clampInsideRoom({-12, 0, 9.5f}, {2, 2, 2});
    EXPECT_FLOAT_EQ(corner.x, -8.9f);
    EXPECT_FLOAT_EQ(corner.y, 0.0f);
    EXPECT_FLOAT_EQ(corner.z, 8.9f);

    // Without a world of its own a ball joins the program's shared world.
    PhysicsWorld* shared = PhysicsWorld::instance();
    const int shapesBefore = shared->collisionShapes.size();
    const FurBall joined({0, 0, 0}, {1, 1, 1});
    EXPECT_EQ(shared->collisionShapes.size(), shapesBefore + 1);
    EXPECT_EQ(shared->dynamicsWorld->getCollisionObjectArray()[shapesBefore], joined.body);
}

TEST(FurBall, SmoothsOverTheLastFifteenVelocities) {
    BuiltWorld room;
    FurBall ball({0, 0, 0}, {1, 1, 1}, room.world);
    for (int update = 1; update <= 15; ++update) {
        setVerticalSpeed(ball, float(update));
        EXPECT_FLOAT_EQ(ball.updateMotion(1.0).y(), float(update)) << "update " << update;
    }
    setVerticalSpeed(ball, 16.0f);
    EXPECT_NEAR(ball.updateMotion(1.0).y(), 9.0f, 1e-5f);  // mean of 2 .. 16
    EXPECT_EQ(ball.velocityHistory.size(), 15u);

    // A still moment after fifteen fast ones is averaged away: no rest begins.
    FurBall bouncing({2, 0, 0}, {1, 1, 1}, room.world);
    setVerticalSpeed(bouncing, 1.0f);
    for (int update = 0; update < 15; ++update) bouncing.updateMotion(1.0);
    setVerticalSpeed(bouncing, 0.0f);
    bouncing.updateMotion(2.0);
    EXPECT_EQ(bouncing.restStartTime, 0.0f);
}

TEST(FurBall, RestTimerLeapsOnlyAfterMoreThanThreeSeconds) {
    BuiltWorld room;
    FurBall ball({0, 0, 0}, {1, 1, 1}, room.world);
    ball.updateMotion(0.0);
    EXPECT_EQ(ball.restStartTime, 0.0f) << "the first frame starts nothing";
    ball.updateMotion(0.5);
    EXPECT_EQ(ball.restStartTime, 0.5f);
    setVerticalSpeed(ball, 5.0f);
    ball.updateMotion(1.0);
    ball.updateMotion(2.0);
    EXPECT_EQ(ball.restStartTime, 0.5f) << "motion does not clear the timer";
    setVerticalSpeed(ball, 0.0f);
    ball.updateMotion(3.5);
    EXPECT_EQ(ball.restStartTime, 0.5f) << "exactly 3 s does not fire";
    EXPECT_EQ(ball.body->getLinearVelocity().y(), 0.0f);

    seedRandom(7);
    const float a = 2.0f * float(nextRandom()) / float(RANDOM_MAX) - 1.0f;
    const float b = 2.0f * float(nextRandom()) / float(RANDOM_MAX) - 1.0f;
    seedRandom(7);
    ball.updateMotion(3.51);
    EXPECT_EQ(ball.restStartTime, 0.0f);
    // Impulse (b, 3, a) on mass 0.1: the first number drives z, the second x.
    const btVector3 velocity = ball.body->getLinearVelocity();
    EXPECT_NEAR(velocity.x(), 10.0f * b, 1e-4f);
    EXPECT_NEAR(velocity.y(), 30.0f, 1e-4f);
    EXPECT_NEAR(velocity.z(), 10.0f * a, 1e-4f);
}

TEST(FurBall, SleepingBallStillLeaps) {
    BuiltWorld room;
    FurBall ball({0, -9.4f, 0}, {1, 1, 1}, room.world);
    for (int frame = 0; frame < 600 && ball.body->getActivationState() != ISLAND_SLEEPING; ++frame) {
        room.world.stepFrame();
    }
    ASSERT_EQ(ball.body->getActivationState(), ISLAND_SLEEPING);
    const float restingHeight = ball.body->getWorldTransform().getOrigin().y();

    ball.updateMotion(20.0);
    ball.updateMotion(23.5);
    for (int frame = 0; frame < 20; ++frame) room.world.stepFrame();
    EXPECT_GT(ball.body->getWorldTransform().getOrigin().y(), restingHeight + 2.0f);
}

TEST(FurBall, TwentyMinutesOfLeapingStayInsideTheRoom) {
    BuiltWorld room;
    const FurBallList balls = spawnFurBalls(room.world);
    room.world.resetBodies();
    seedRandom(1);
    std::vector<float> highest(balls.size(), -10.0f);
    double totalSeconds = 0.0;
    for (int frame = 0; frame < 20 * 60 * 60; ++frame) {
        room.world.stepFrame();
        for (std::size_t i = 0; i < balls.size(); ++i) {
            balls[i]->updateMotion(totalSeconds);
            const btVector3& centre = balls[i]->body->getWorldTransform().getOrigin();
            for (int axis = 0; axis < 3; ++axis) {
                ASSERT_TRUE(std::isfinite(centre[axis])) << "ball " << i << " frame " << frame;
                ASSERT_LT(std::fabs(centre[axis]), 9.9f) << "ball " << i << " frame " << frame;
            }
            if (totalSeconds > 10.0) highest[i] = std::max(highest[i], centre.y());
        }
        totalSeconds += FRAME_SECONDS;
    }
    // Every ball left the floor after the spawn drop had settled: the leaps kept firing.
    for (std::size_t i = 0; i < balls.size(); ++i) {
        EXPECT_GT(highest[i], -9.9f + balls[i]->size.y) << "ball " << i;
    }
}

TEST(FurBall, SortDrawsFarthestFirstAndEachBallOnce) {
    BuiltWorld room;
    FurBallList balls;
    balls.push_back(std::make_unique<FurBall>(Vector3{1, 0, 0}, Vector3{1, 1, 1}, room.world));
    balls.push_back(std::make_unique<FurBall>(Vector3{-5, 0, 0}, Vector3{1, 1, 1}, room.world));
    balls.push_back(std::make_unique<FurBall>(Vector3{5, 0, 0}, Vector3{1, 1, 1}, room.world));
    balls.push_back(std::make_unique<FurBall>(Vector3{0, 3, 0}, Vector3{1, 1, 1}, room.world));

    const std::vector<FurBall*> order = sortFarthestFirst(balls, {0, 0, 0});
    ASSERT_EQ(order.size(), 4u);
    EXPECT_FLOAT_EQ(balls[3]->distanceToCamera, 3.0f);
    EXPECT_EQ(order[2], balls[3].get());
    EXPECT_EQ(order[3], balls[0].get());
    // The two balls at distance 5 come first, each exactly once.
    EXPECT_NE(order[0], order[1]);
    for (FurBall* ball : {balls[1].get(), balls[2].get()}) {
        EXPECT_EQ(std::count(order.begin(), order.begin() + 2, ball), 1);
    }
}
