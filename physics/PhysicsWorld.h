// The one Bullet dynamics world of the program: gravity, a closed room of six static boxes,
// and the bodies its callers add.
#pragma once

#include <btBulletDynamicsCommon.h>

// The room's inside is the cube -ROOM_INNER_HALF_EXTENT .. ROOM_INNER_HALF_EXTENT on every axis.
constexpr float ROOM_INNER_HALF_EXTENT = 9.9f;

class PhysicsWorld {
public:
    // The program's world, made and built on the first call. It is never destroyed: the
    // process-wide pointer keeps it (and everything it holds) reachable until exit.
    static PhysicsWorld* instance();

    // An empty world without a dynamics world; buildWorld fills it. Tests make their own.
    PhysicsWorld() = default;
    // Frees every body, motion state and shape of the world, then the library objects.
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    // Makes the library objects, sets gravity and adds the room. Does nothing a second time.
    void buildWorld();
    // A body added to the world; mass 0 makes it static. Null when there is no dynamics world.
    btRigidBody* createRigidBody(float mass, const btTransform& startTransform, btCollisionShape* shape);
    // One fixed 1/60 s step per drawn frame, however long the frame took.
    void stepFrame();
    // Gravity as a multiple of the room's 10 m/s^2 downwards; a change wakes every body, so a
    // ball asleep on the floor feels it.
    void setGravityScale(float scale);
    // One preliminary step, then every body back to its start pose, at rest and awake.
    void resetBodies();

    // Every shape made for this world, room boxes first; the world frees them.
    btAlignedObjectArray<btCollisionShape*> collisionShapes;
    btAxisSweep3* broadphase = nullptr;
    btCollisionDispatcher* dispatcher = nullptr;
    btSequentialImpulseConstraintSolver* solver = nullptr;
    btDefaultCollisionConfiguration* collisionConfiguration = nullptr;
    btDiscreteDynamicsWorld* dynamicsWorld = nullptr;

private:
    void addRoom();
    float gravityScale = 1.0f;
    void restoreStartPose(btCollisionObject* object);
};
