// Fur ball, colour pass: one shell of the stack; the hairs are where the shell texture is opaque.
#include "furShell.glsl"

varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 eyeHair;      // the hair's direction, for hair lighting
varying float shellDepth;  // 0 on the innermost shell, 1 on the outermost

void main() {
    vec4 shell = furShellVertex();
    eyePosition = (gl_ModelViewMatrix * shell).xyz;
    eyeNormal = gl_NormalMatrix * gl_Normal;
    // A direction along the surface turns with the modelview itself, not with the normal matrix.
    eyeHair = (gl_ModelViewMatrix * vec4(furHairDirection(), 0.0)).xyz;
    shellDepth = furLength / TIP_LENGTH;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = gl_ModelViewProjectionMatrix * shell;
}
