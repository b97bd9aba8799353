#include "physics/PhysicsWorld.h"

namespace {

// The broadphase only has to cover the room and a margin around it.
const btVector3 WORLD_AABB_MIN(-15.0f, -15.0f, -15.0f);
const btVector3 WORLD_AABB_MAX(15.0f, 15.0f, 15.0f);
constexpr unsigned short MAX_BROADPHASE_HANDLES = 1149;
const btVector3 GRAVITY(0.0f, -10.0f, 0.0f);

// Every frame hands over 0.02 s but allows one 1/60 s substep, so the world advances by
// exactly one fixed step per frame and any excess time is dropped.
constexpr btScalar FIXED_SUBSTEP = 1.0f / 60.0f;
constexpr btScalar FRAME_TIME_STEP = 0.02f;
constexpr int FRAME_MAX_SUBSTEPS = 1;
// With zero substeps Bullet takes one step of exactly the given time.
constexpr btScalar RESET_TIME_STEP = 1.0f / 60.0f;
constexpr int RESET_MAX_SUBSTEPS = 0;

// Material and sleeping values of every body. Bullet's defaults differ between releases
// (restitution is 0 in current ones), so each is set explicitly.
constexpr btScalar BODY_FRICTION = 0.5f;
constexpr btScalar BODY_RESTITUTION = 0.5f;
constexpr btScalar BODY_LINEAR_DAMPING = 0.0f;
constexpr btScalar BODY_ANGULAR_DAMPING = 0.0f;
constexpr btScalar LINEAR_SLEEPING_THRESHOLD = 0.8f;
constexpr btScalar ANGULAR_SLEEPING_THRESHOLD = 1.0f;

// The walls are 0.2 thick with their centres at 10, so their inner faces lie at 9.9 and
// each wall spans the full inner width: neighbouring walls meet along the room's edges.
constexpr float WALL_HALF_THICKNESS = 0.1f;
constexpr float WALL_CENTRE_DISTANCE = 10.0f;

// Floor, ceiling, then the walls at -x, +x, -z, +z.
struct RoomBox {
    btVector3 halfExtents;
    btVector3 centre;
};

const btVector3 FLOOR_HALF_EXTENTS(ROOM_INNER_HALF_EXTENT, WALL_HALF_THICKNESS, ROOM_INNER_HALF_EXTENT);
const btVector3 X_WALL_HALF_EXTENTS(WALL_HALF_THICKNESS, ROOM_INNER_HALF_EXTENT, ROOM_INNER_HALF_EXTENT);
const btVector3 Z_WALL_HALF_EXTENTS(ROOM_INNER_HALF_EXTENT, ROOM_INNER_HALF_EXTENT, WALL_HALF_THICKNESS);
const RoomBox ROOM_BOXES[] = {
    {FLOOR_HALF_EXTENTS, {0.0f, -WALL_CENTRE_DISTANCE, 0.0f}},
    {FLOOR_HALF_EXTENTS, {0.0f, WALL_CENTRE_DISTANCE, 0.0f}},
    {X_WALL_HALF_EXTENTS, {-WALL_CENTRE_DISTANCE, 0.0f, 0.0f}},
    {X_WALL_HALF_EXTENTS, {WALL_CENTRE_DISTANCE, 0.0f, 0.0f}},
    {Z_WALL_HALF_EXTENTS, {0.0f, 0.0f, -WALL_CENTRE_DISTANCE}},
    {Z_WALL_HALF_EXTENTS, {0.0f, 0.0f, WALL_CENTRE_DISTANCE}},
};

btTransform placedAt(const btVector3& origin) {
    btTransform transform;
    transform.setIdentity();
    transform.setOrigin(origin);
    return transform;
}

}  // namespace

PhysicsWorld* PhysicsWorld::instance() {
    static PhysicsWorld* world = nullptr;
    if (!world) {
        world = new PhysicsWorld();
        world->buildWorld();
    }
    return world;
}

PhysicsWorld::~PhysicsWorld() {
    if (dynamicsWorld) {
        for (int i = dynamicsWorld->getNumCollisionObjects() - 1; i >= 0; --i) {
            btCollisionObject* object = dynamicsWorld->getCollisionObjectArray()[i];
            if (btRigidBody* body = btRigidBody::upcast(object)) delete body->getMotionState();
            dynamicsWorld->removeCollisionObject(object);
            delete object;
        }
    }
    for (int i = 0; i < collisionShapes.size(); ++i) delete collisionShapes[i];
    delete dynamicsWorld;
    delete solver;
    delete broadphase;
    delete dispatcher;
    delete collisionConfiguration;
}

void PhysicsWorld::buildWorld() {
    if (dynamicsWorld) return;
    collisionConfiguration = new btDefaultCollisionConfiguration();
    dispatcher = new btCollisionDispatcher(collisionConfiguration);
    broadphase = new btAxisSweep3(WORLD_AABB_MIN, WORLD_AABB_MAX, MAX_BROADPHASE_HANDLES);
    solver = new btSequentialImpulseConstraintSolver();
    dynamicsWorld = new btDiscreteDynamicsWorld(dispatcher, broadphase, solver, collisionConfiguration);
    dynamicsWorld->setGravity(GRAVITY);
    addRoom();
}

void PhysicsWorld::addRoom() {
    for (const RoomBox& box : ROOM_BOXES) {
        btCollisionShape* shape = new btBoxShape(box.halfExtents);
        collisionShapes.push_back(shape);
        createRigidBody(0.0f, placedAt(box.centre), shape);
    }
}

btRigidBody* PhysicsWorld::createRigidBody(float mass, const btTransform& startTransform,
                                           btCollisionShape* shape) {
    if (!dynamicsWorld) return nullptr;
    btVector3 localInertia(0.0f, 0.0f, 0.0f);
    if (mass != 0.0f) shape->calculateLocalInertia(mass, localInertia);

    auto* motionState = new btDefaultMotionState(startTransform);
    btRigidBody::btRigidBodyConstructionInfo info(mass, motionState, shape, localInertia);
    info.m_friction = BODY_FRICTION;
    info.m_restitution = BODY_RESTITUTION;
    info.m_linearDamping = BODY_LINEAR_DAMPING;
    info.m_angularDamping = BODY_ANGULAR_DAMPING;
    info.m_linearSleepingThreshold = LINEAR_SLEEPING_THRESHOLD;
    info.m_angularSleepingThreshold = ANGULAR_SLEEPING_THRESHOLD;
    info.m_additionalDamping = false;

    auto* body = new btRigidBody(info);
    dynamicsWorld->addRigidBody(body);
    return body;
}

void PhysicsWorld::stepFrame() {
    if (dynamicsWorld) dynamicsWorld->stepSimulation(FRAME_TIME_STEP, FRAME_MAX_SUBSTEPS, FIXED_SUBSTEP);
}

void PhysicsWorld::setGravityScale(float scale) {
    if (!dynamicsWorld || scale == gravityScale) return;
    gravityScale = scale;
    // Bullet hands the new gravity only to awake bodies, so every body is woken first.
    for (int i = 0; i < dynamicsWorld->getNumCollisionObjects(); ++i) dynamicsWorld->getCollisionObjectArray()[i]->activate();
    dynamicsWorld->setGravity(GRAVITY * scale);
}

void PhysicsWorld::resetBodies() {
    if (!dynamicsWorld) return;
    dynamicsWorld->stepSimulation(RESET_TIME_STEP, RESET_MAX_SUBSTEPS, FIXED_SUBSTEP);
    const int objectCount = dynamicsWorld->getNumCollisionObjects();
    for (int i = 0; i < objectCount; ++i) restoreStartPose(dynamicsWorld->getCollisionObjectArray()[i]);
}

void PhysicsWorld::restoreStartPose(btCollisionObject* object) {
    btRigidBody* body = btRigidBody::upcast(object);
    if (body && body->getMotionState()) {
        // Every motion state of this world is a btDefaultMotionState (createRigidBody).
        auto* motionState = static_cast<btDefaultMotionState*>(body->getMotionState());
        motionState->m_graphicsWorldTrans = motionState->m_startWorldTrans;
        object->setWorldTransform(motionState->m_graphicsWorldTrans);
        object->setInterpolationWorldTransform(motionState->m_startWorldTrans);
        object->activate();
    }
    // Contacts found by the preliminary step belong to the old poses.
    broadphase->getOverlappingPairCache()->cleanProxyFromPairs(object->getBroadphaseHandle(), dispatcher);
    if (body && !body->isStaticObject()) {
        body->setLinearVelocity(btVector3(0.0f, 0.0f, 0.0f));
        body->setAngularVelocity(btVector3(0.0f, 0.0f, 0.0f));
    }
}
