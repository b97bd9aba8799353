#include "physics/PhysicsWorld.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int ROOM_BOX_COUNT = 6;
constexpr float EDGE_TOLERANCE = 1e-5f;

struct Box {
    btVector3 min, max;
};

Box boundsOf(const btCollisionObject* object) {
    Box box;
    object->getCollisionShape()->getAabb(object->getWorldTransform(), box.min, box.max);
    return box;
}

bool touches(const Box& a, const Box& b) {
    for (int axis = 0; axis < 3; ++axis) {
        if (a.min[axis] > b.max[axis] + EDGE_TOLERANCE || b.min[axis] > a.max[axis] + EDGE_TOLERANCE) return false;
    }
    return true;
}

btRigidBody* addBall(PhysicsWorld& world, const btVector3& origin, float radius) {
    auto* shape = new btSphereShape(radius);
    world.collisionShapes.push_back(shape);
    btTransform start;
    start.setIdentity();
    start.setOrigin(origin);
    return world.createRigidBody(0.1f, start, shape);
}

btRigidBody* bodyAt(PhysicsWorld& world, int index) {
    return btRigidBody::upcast(world.dynamicsWorld->getCollisionObjectArray()[index]);
}

}  // namespace

TEST(PhysicsWorld, RoomIsClosedOnEveryFaceAndEdge) {
    PhysicsWorld world;
    world.buildWorld();
    ASSERT_EQ(world.dynamicsWorld->getNumCollisionObjects(), ROOM_BOX_COUNT);
    ASSERT_EQ(world.collisionShapes.size(), ROOM_BOX_COUNT);

    // Floor, ceiling, -x, +x, -z, +z: the face toward the centre lies at 9.9.
    const int innerAxis[ROOM_BOX_COUNT] = {1, 1, 0, 0, 2, 2};
    Box boxes[ROOM_BOX_COUNT];
    for (int i = 0; i < ROOM_BOX_COUNT; ++i) {
        boxes[i] = boundsOf(world.dynamicsWorld->getCollisionObjectArray()[i]);
        const bool below = i % 2 == 0;
        const float innerFace = below ? boxes[i].max[innerAxis[i]] : boxes[i].min[innerAxis[i]];
        EXPECT_NEAR(innerFace, below ? -9.9f : 9.9f, 1e-5f) << "box " << i;
        EXPECT_TRUE(bodyAt(world, i)->isStaticObject());
    }
    // Every box meets the four that are not opposite it, so no edge of the room is open.
    for (int i = 0; i < ROOM_BOX_COUNT; ++i) {
        for (int j = 0; j < ROOM_BOX_COUNT; ++j) {
            if (innerAxis[i] != innerAxis[j]) {
                EXPECT_TRUE(touches(boxes[i], boxes[j])) << i << " and " << j;
            }
        }
    }
    // Rays from the centre toward every face, edge and corner hit a wall.
    for (int x = -1; x <= 1; ++x) {
        for (int y = -1; y <= 1; ++y) {
            for (int z = -1; z <= 1; ++z) {
                if (x == 0 && y == 0 && z == 0) continue;
                const btVector3 to = btVector3(float(x), float(y), float(z)).normalized() * 30.0f;
                btCollisionWorld::ClosestRayResultCallback hit(btVector3(0, 0, 0), to);
                world.dynamicsWorld->rayTest(btVector3(0, 0, 0), to, hit);
                EXPECT_TRUE(hit.hasHit()) << x << " " << y << " " << z;
            }
        }
    }
}

TEST(PhysicsWorld, EveryBodyCarriesTheMaterialAndSleepingValues) {
    PhysicsWorld world;
    world.buildWorld();
    addBall(world, btVector3(0, 0, 0), 1.0f);
    for (int i = 0; i < world.dynamicsWorld->getNumCollisionObjects(); ++i) {
        const btRigidBody* body = bodyAt(world, i);
        ASSERT_NE(body, nullptr);
        EXPECT_FLOAT_EQ(body->getFriction(), 0.5f);
        EXPECT_FLOAT_EQ(body->getRestitution(), 0.5f);
        EXPECT_FLOAT_EQ(body->getLinearDamping(), 0.0f);
        EXPECT_FLOAT_EQ(body->getAngularDamping(), 0.0f);
        EXPECT_FLOAT_EQ(body->getLinearSleepingThreshold(), 0.8f);
        EXPECT_FLOAT_EQ(body->getAngularSleepingThreshold(), 1.0f);
    }
    EXPECT_FLOAT_EQ(bodyAt(world, ROOM_BOX_COUNT)->getInvMass(), 10.0f);
    EXPECT_FLOAT_EQ(world.dynamicsWorld->getGravity().y(), -10.0f);
}

TEST(PhysicsWorld, StepFrameAdvancesExactlyOneFixedStep) {
    PhysicsWorld world;
    world.buildWorld();
    btRigidBody* ball = addBall(world, btVector3(0, 5, 0), 0.5f);
    // 0.02 s per call would add up to a second substep every fifth frame; it must not.
    for (int frame = 1; frame <= 12; ++frame) {
        world.stepFrame();
        EXPECT_NEAR(ball->getLinearVelocity().y(), -10.0f * frame / 60.0f, 1e-4f) << "frame " << frame;
    }
}

TEST(PhysicsWorld, ResetBodiesRestoresStartPosesAtRest) {
    PhysicsWorld world;
    world.buildWorld();
    const btVector3 start(3, 2, -1);
    btRigidBody* ball = addBall(world, start, 1.0f);
    for (int frame = 0; frame < 90; ++frame) world.stepFrame();
    ball->setAngularVelocity(btVector3(1, 2, 3));
    ASSERT_GT(start.distance(ball->getWorldTransform().getOrigin()), 1.0f);

    world.resetBodies();
    btTransform shown;
    ball->getMotionState()->getWorldTransform(shown);
    EXPECT_LT(start.distance(ball->getWorldTransform().getOrigin()), 1e-6f);
    EXPECT_LT(start.distance(shown.getOrigin()), 1e-6f);
    EXPECT_LT(start.distance(ball->getInterpolationWorldTransform().getOrigin()), 1e-6f);
    EXPECT_EQ(ball->getLinearVelocity(), btVector3(0, 0, 0));
    EXPECT_EQ(ball->getAngularVelocity(), btVector3(0, 0, 0));
    EXPECT_EQ(ball->getActivationState(), ACTIVE_TAG);
    for (int i = 0; i < ROOM_BOX_COUNT; ++i) {
        EXPECT_EQ(bodyAt(world, i)->getLinearVelocity(), btVector3(0, 0, 0));
        EXPECT_EQ(bodyAt(world, i)->getAngularVelocity(), btVector3(0, 0, 0));
    }
}

TEST(PhysicsWorld, UnbuiltWorldIgnoresStepsAndTheSingletonIsBuiltOnce) {
    PhysicsWorld empty;
    empty.stepFrame();
    empty.resetBodies();
    EXPECT_EQ(empty.dynamicsWorld, nullptr);
    EXPECT_EQ(empty.createRigidBody(1.0f, btTransform::getIdentity(), nullptr), nullptr);

    PhysicsWorld* shared = PhysicsWorld::instance();
    EXPECT_EQ(PhysicsWorld::instance(), shared);
    ASSERT_NE(shared->dynamicsWorld, nullptr);
    EXPECT_GE(shared->dynamicsWorld->getNumCollisionObjects(), ROOM_BOX_COUNT);
}
