// Walls and ceiling: per-fragment lighting from light 0 with a tangent-space normal map, the
// colour from a wallpaper image, and a soft shadow from several shadow-map taps.

// Shadowed fragments keep their ambient light and this share of the direct light.
const float SHADOW_DIRECT_KEPT = 0.2;

uniform sampler2D normalMap1;      // tangent-space normals, RGB = normal * 0.5 + 0.5 (unit WALL_NORMAL_MAP_UNIT)
uniform sampler2D normalMap2;      // wallpaper colour (unit WALL_COLOUR_UNIT)
uniform sampler2DShadow shadowMap; // depth from the light, compared with r (unit ROOM_SHADOW_MAP_UNIT)
uniform float depthTexStep;        // one shadow-map texel in texture coordinates
uniform bool softShadows;          // the soft-edges setting: false takes one comparison only

varying vec2 texCoord;
varying vec3 eyePosition;
varying vec4 shadowCoord;
varying vec3 eyeTangent;
varying vec3 eyeBitangent;
varying vec3 eyeNormal;

#include "lightFrustum.glsl"

// Percentage-closer filtering: 3 x 3 depth comparisons one texel apart, averaged, so the shadow's
// edge fades over a few texels instead of stair-stepping. 1 is fully lit.
float litFraction(vec4 coord) {
    if (outsideLightFrustum(coord)) return 1.0;
    if (!softShadows) return shadow2DProj(shadowMap, coord).r;
    float lit = 0.0;
    for (int y = -1; y <= 1; ++y) {
        for (int x = -1; x <= 1; ++x) {
            // The offset is scaled by q because shadow2DProj divides it again.
            vec4 offset = vec4(vec2(float(x), float(y)) * depthTexStep * coord.q, 0.0, 0.0);
            lit += shadow2DProj(shadowMap, coord + offset).r;
        }
    }
    return lit / 9.0;
}

void main() {
    vec3 tangentNormal = texture2D(normalMap1, texCoord).rgb * 2.0 - 1.0;
    vec3 normal = normalize(tangentNormal.x * normalize(eyeTangent) +
                            tangentNormal.y * normalize(eyeBitangent) +
                            tangentNormal.z * normalize(eyeNormal));

    // Light 0 is directional: its position is the direction towards it, already in eye space.
    vec3 toLight = normalize(gl_LightSource[0].position.xyz);
    vec3 toEye = normalize(-eyePosition);
    vec3 halfway = normalize(toLight + toEye);
    float diffuse = max(dot(normal, toLight), 0.0);
    float specular = diffuse > 0.0 ? pow(max(dot(normal, halfway), 0.0), gl_FrontMaterial.shininess) : 0.0;

    float direct = mix(SHADOW_DIRECT_KEPT, 1.0, litFraction(shadowCoord));

    // The wallpaper takes the place of the material's colour; the light keeps its own colours.
    vec3 paper = texture2D(normalMap2, texCoord).rgb;
    vec3 ambient = (gl_LightModel.ambient.rgb + gl_LightSource[0].ambient.rgb) * paper;
    vec3 lit = gl_LightSource[0].diffuse.rgb * paper * diffuse + gl_FrontLightProduct[0].specular.rgb * specular;
    gl_FragColor = vec4(ambient + direct * lit, 1.0);
}
