// A browser can take a page's GL context away and give it back empty; a desktop context lasts as
// long as its window. Whatever keeps GL objects, or believes things of the GL's state, says here
// how to make them again once the context is back.
#pragma once

#include <functional>

// Who makes things again, in the order they run: the GL layer first forgets the objects it made
// and the bindings it followed, so the program then makes its objects through a layer that
// knows the context is new.
enum class GlContextUser { GlLayer, Program };

// Runs remake on every restore: after the remakes of every earlier user, and after those of the
// same user registered before it.
void whenGlContextRestored(GlContextUser user, std::function<void()> remake);
// The page's side calls this once the browser has given the context back, before the next frame.
void glContextRestored();
