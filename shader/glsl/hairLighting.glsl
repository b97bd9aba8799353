// Shared by the balls' and the floor's fur: light along each hair rather than across the surface
// under it. Kajiya and Kay's model treats a hair as a thin cylinder: it takes diffuse light by the
// sine of its angle to the light, and a highlight where the halfway vector stands across it. As in
// Scheuermann's variant, two highlights are shifted along the hair, a white one and a weaker one
// in the hair's own colour; the shift is applied to the angle, which also works for hairs that
// stand straight out of the surface, where shifting the hair's direction would not.

// The white band: moved this far (as a cosine) past where the halfway vector stands across the
// hair, and this narrow; a larger exponent makes a thinner, crisper band.
const float PRIMARY_SHIFT = 0.12;
const float PRIMARY_EXPONENT = 80.0;
// The band in the hair's colour: moved the other way, broader, and this much weaker than the white.
const float SECONDARY_SHIFT = -0.2;
const float SECONDARY_EXPONENT = 16.0;
const float SECONDARY_STRENGTH = 0.7;

uniform bool hairLighting;  // the fur-look setting: false keeps each program's earlier lighting

// A highlight band: brightest where the hair stands across the halfway vector, the angle shifted.
float hairHighlight(float hairDotHalfway, float shift, float exponent) {
    float along = clamp(hairDotHalfway + shift, -1.0, 1.0);
    return pow(sqrt(1.0 - along * along), exponent);
}

// Diffuse share of light 0 for a hair along `hair` (unit, eye space).
float hairDiffuse(vec3 hair, vec3 toLight) {
    float along = dot(hair, toLight);
    return sqrt(max(1.0 - along * along, 0.0));
}

// The two highlights, the first white and the second tinted by the hair's colour.
vec3 hairSpecular(vec3 hair, vec3 halfway, vec3 hairColour) {
    float hairDotHalfway = dot(hair, halfway);
    return vec3(hairHighlight(hairDotHalfway, PRIMARY_SHIFT, PRIMARY_EXPONENT)) +
           SECONDARY_STRENGTH * hairColour * hairHighlight(hairDotHalfway, SECONDARY_SHIFT, SECONDARY_EXPONENT);
}
