// Fur ball, colour pass: the shell texture gives each hair its colour and opacity; light 0
// lights it, and the shadow map darkens hairs that another ball (or this one) hides.

// Shadowed hairs keep their ambient light and this share of the direct light.
const float SHADOW_DIRECT_KEPT = 0.35;
uniform sampler2D tex;             // this shell's hairs; alpha = coverage (unit FUR_SHELL_UNIT)
uniform float shadowBias;          // depth in shadow-map units subtracted before the comparison,
                                   // so a surface does not shadow itself through rounding
uniform sampler2DShadow shadowMap; // depth from the light, compared with r (unit FUR_SHADOW_MAP_UNIT)
uniform mat4 texMatrix;            // eye space -> shadow-map coordinates

varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 eyeHair;      // the hair's direction, bent as the shell is
varying float shellDepth;  // 0 on the innermost shell, 1 on the outermost

// Hair lighting's constants for the balls. The innermost shell keeps this share of the light: the
// outer hairs shade the roots, so the gaps between the tips show darker fur and single strands
// stand out. The share rises quickly above the roots and reaches all of it at the tips.
const float ROOT_SHARE = 0.55;
// The skin under the fur is lit by a wrapped N.L, so the ball reads as a sphere lit from one side;
// the wrap lets the light reach this far (as a cosine) past the skin's shadow line, scattered
// through the coat, which softens the edge between the lit and the dark half.
const float SKIN_WRAP = 0.5;
// A hair pointing straight at the light still gets this share of the skin's light (the hairs
// around it lean every way and scatter light onto it); hairs standing across the light get all
// of it. Lower values darken the middle of a ball lit from the front.
const float STRAND_FLOOR = 0.9;

#include "hairLighting.glsl"

#include "lightFrustum.glsl"

// 1 where the light reaches, 0 where the shadow map holds something nearer to the light.
float lightReaching() {
    vec4 coord = texMatrix * vec4(eyePosition, 1.0);
    if (outsideLightFrustum(coord)) return 1.0;
    vec3 p = coord.stp / coord.q;
    return shadow2D(shadowMap, vec3(p.st, p.p - shadowBias)).r;
}

// Each shell lit like the sphere under it: the look before hair lighting.
vec3 surfaceLit(vec4 hair, vec3 toLight, vec3 halfway, vec3 ambient, float direct) {
    vec3 normal = normalize(eyeNormal);
    float diffuse = max(dot(normal, toLight), 0.0);
    float specular = diffuse > 0.0 ? pow(max(dot(normal, halfway), 0.0), gl_FrontMaterial.shininess) : 0.0;
    return hair.rgb * (ambient + direct * diffuse * gl_LightSource[0].diffuse.rgb)
         + direct * specular * gl_FrontLightProduct[0].specular.rgb;
}

// Lit as a sphere first and as hair second: the skin's wrapped diffuse light and broad sheen, the
// diffuse shaded by the hair's angle to the light, the two highlight bands on top (only where the
// skin faces the light: no hair shines on the far side of the ball), and darker roots.
vec3 hairLit(vec4 hair, vec3 toLight, vec3 halfway, vec3 ambient, float direct) {
    vec3 normal = normalize(eyeNormal);
    vec3 strand = normalize(eyeHair);
    float skin = max((dot(normal, toLight) + SKIN_WRAP) / (1.0 + SKIN_WRAP), 0.0);
    float sheen = pow(max(dot(normal, halfway), 0.0), gl_FrontMaterial.shininess);
    float diffuse = skin * mix(STRAND_FLOOR, 1.0, hairDiffuse(strand, toLight));
    vec3 lit = hair.rgb * (ambient + direct * diffuse * gl_LightSource[0].diffuse.rgb)
             + direct * skin * (sheen + hairSpecular(strand, halfway, hair.rgb)) * gl_FrontLightProduct[0].specular.rgb;
    return lit * mix(ROOT_SHARE, 1.0, shellDepth * (2.0 - shellDepth));
}

void main() {
    vec4 hair = texture2D(tex, gl_TexCoord[0].st);

    // Light 0 is directional: its position, given with w = 0, is already a direction in eye space.
    vec3 toLight = normalize(gl_LightSource[0].position.xyz);
    vec3 halfway = normalize(toLight + normalize(-eyePosition));

    // The hair's own colour stands in for the material's ambient and diffuse colour; the
    // ambient term is the scene's and the light's together, as on the walls and the floor.
    float direct = mix(SHADOW_DIRECT_KEPT, 1.0, lightReaching());
    vec3 ambient = gl_LightModel.ambient.rgb + gl_LightSource[0].ambient.rgb;
    // A branch, not a choice of two values: only the look in use is computed.
    if (hairLighting)
        gl_FragColor = vec4(hairLit(hair, toLight, halfway, ambient, direct), hair.a);
    else
        gl_FragColor = vec4(surfaceLit(hair, toLight, halfway, ambient, direct), hair.a);
}
