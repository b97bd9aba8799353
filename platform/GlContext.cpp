#include "platform/GlContext.h"

#include <map>
#include <utility>
#include <vector>

namespace {
// Ordered by user, so iterating runs the GL layer's remakes before the program's.
using Remakes = std::map<GlContextUser, std::vector<std::function<void()>>>;

Remakes& remakes() {
    static Remakes registered;
    return registered;
}
}  // namespace

void whenGlContextRestored(GlContextUser user, std::function<void()> remake) {
    remakes()[user].push_back(std::move(remake));
}

void glContextRestored() {
    // A copy: a remake may make something that registers for the next restore.
    const Remakes ordered = remakes();
    for (const auto& [user, userRemakes] : ordered)
        for (const auto& remake : userRemakes) remake();
}
