// Shared by every program that receives shadows: whether a shadow-map coordinate lies outside
// the light's box (beside it, behind it, or beyond its far plane). Such a fragment was never
// drawn into the shadow map, so nothing can shade it.
bool outsideLightFrustum(vec4 coord) {
    if (coord.q <= 0.0) return true;
    vec3 p = coord.stp / coord.q;
    return any(lessThan(p.st, vec2(0.0))) || any(greaterThan(p.st, vec2(1.0))) || p.p > 1.0;
}
