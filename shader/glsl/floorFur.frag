// Floor fur: the shell texture says where hairs cross this layer and how opaque they are, the
// floor image colours them, darker near the roots where less light gets in.

// Height of the topmost shell; shells between 0 and it shade from ROOT_BRIGHTNESS to full.
const float TOP_SHELL_HEIGHT = FLOOR_SHELL_SPACING * float(FUR_SHELL_COUNT - 1);
const float ROOT_BRIGHTNESS = 0.35;
// Shadowed fur keeps its ambient light and this share of the direct light.
const float SHADOW_DIRECT_KEPT = 0.2;
// Empty texels are dropped entirely so they do not hide fur balls behind them in the depth buffer.
const float EMPTY_ALPHA = 0.004;

uniform sampler2D floorTex;        // floor colour (unit FLOOR_COLOUR_UNIT)
uniform sampler2D furFloorTex;     // this shell's hairs; alpha = coverage (unit FLOOR_SHELL_UNIT)
uniform sampler2DShadow shadowMap; // depth from the light, compared with r (unit ROOM_SHADOW_MAP_UNIT)
uniform float furLength;

varying vec2 floorCoord;
varying vec2 hairCoord;
varying vec3 eyeNormal;
varying vec4 shadowCoord;
varying vec3 eyePosition;

#include "hairLighting.glsl"

#include "lightFrustum.glsl"

// One depth comparison: the fur's own softness hides a hard shadow edge.
float litFraction(vec4 coord) {
    if (outsideLightFrustum(coord)) return 1.0;
    return shadow2DProj(shadowMap, coord).r;
}

void main() {
    // The shell texture clamps at its edges, so the repeat is done here.
    vec4 hair = texture2D(furFloorTex, fract(hairCoord));
    float coverage = hair.a;
    // The lowest shell is the floor's skin: opaque, so nothing shows through between the roots.
    float alpha = furLength > 0.0 ? coverage : 1.0;
    if (alpha < EMPTY_ALPHA) discard;

    float height = clamp(furLength / TOP_SHELL_HEIGHT, 0.0, 1.0);
    // Each hair keeps its own brightness from the shell texture, so single hairs stand apart.
    float hairTone = furLength > 0.0 ? mix(0.6, 1.4, max(hair.r, hair.g)) : 1.0;
    vec3 colour = texture2D(floorTex, floorCoord).rgb * mix(ROOT_BRIGHTNESS, 1.0, height) * hairTone;

    // The floor's hairs stand straight up, along its normal; the roots' darkening above is the
    // fur's self-shadowing in either look.
    vec3 strand = normalize(eyeNormal);
    vec3 toLight = normalize(gl_LightSource[0].position.xyz);
    float direct = mix(SHADOW_DIRECT_KEPT, 1.0, litFraction(shadowCoord));
    vec3 ambient = (gl_LightModel.ambient.rgb + gl_LightSource[0].ambient.rgb) * colour;

    // A branch, not a choice of two values: only the look in use is computed.
    if (hairLighting) {
        vec3 halfway = normalize(toLight + normalize(-eyePosition));
        vec3 lit = gl_LightSource[0].diffuse.rgb * colour * hairDiffuse(strand, toLight) +
                   gl_FrontLightProduct[0].specular.rgb * hairSpecular(strand, halfway, colour) * mix(ROOT_BRIGHTNESS, 1.0, height);
        gl_FragColor = vec4(ambient + direct * lit, alpha);
    } else {
        vec3 lit = gl_LightSource[0].diffuse.rgb * colour * max(dot(strand, toLight), 0.0);
        gl_FragColor = vec4(ambient + direct * lit, alpha);
    }
}
