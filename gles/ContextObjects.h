// What the layer made in the GL, or found out about the program's objects there, kept from one
// use to the next. A lost context takes the objects with it: on a restore the value is released
// (which frees the objects of a live context; a lost one's are gone already) and emptied, and its
// next use makes it again.
#pragma once

#include <functional>

#include "platform/GlContext.h"

template <typename T>
class ContextObjects {
public:
    explicit ContextObjects(std::function<void(const T&)> release = {}) {
        whenGlContextRestored(GlContextUser::GlLayer, [this, release] {
            if (release) release(value);
            value = T{};
        });
    }
    // The registered remake points at this one object, which lives as long as the process.
    ContextObjects(const ContextObjects&) = delete;
    ContextObjects& operator=(const ContextObjects&) = delete;

    T value{};
};
