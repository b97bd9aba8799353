// One complete frame, drawn whenever GLUT is idle: spectrum, physics, light, shadow pass,
// camera, room, fur balls, overlay, swap.
#pragma once

#include <functional>

void display();

// Runs once each frame is drawn, before the swap leaves the back buffer undefined: the one time
// a frame's pixels can be read. Nothing by default.
void setBeforeSwap(std::function<void()> hook);

// The steps of a frame, in the order display runs them.
// Spectrum, one fixed physics step, the light along its path; only the spectrum while paused.
void advanceWorld();

// The shadow pass: every fur ball's shells, depth only, from the light.
void renderShadowMap();
// Clear, camera, room, fur balls and overlay into the back buffer.
void drawView();
// The fur balls' shells with "fur", farthest from the camera first.
void drawFurBalls();
