// Fur ball, colour pass: one shell of the stack; the hairs are where the shell texture is opaque.
#include "furShell.glsl"

varying vec3 eyePosition;
varying vec3 eyeNormal;

void main() {
    vec4 shell = furShellVertex();
    eyePosition = (gl_ModelViewMatrix * shell).xyz;
    eyeNormal = gl_NormalMatrix * gl_Normal;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = gl_ModelViewProjectionMatrix * shell;
}
