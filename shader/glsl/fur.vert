#version 120
// Fur ball, colour pass: one shell of the stack. Every shell is the same unit-diameter sphere,
// pushed out along its normals by furLength; the hairs are where the shell texture is opaque.

// furLength of the outermost shell: the bend is weighted by (furLength / TIP_LENGTH)^2, so the
// roots stay put and the tips swing furthest, like a hair bending under a load.
const float TIP_LENGTH = 0.312;

uniform float furLength;  // this shell's height above the skin, in the sphere's own units
uniform float furScale;   // the fur length setting: 1 leaves the shells where they were made
uniform vec4 gravity;     // the bend g of the hair tips, carried into object space by the
                          // transpose of the ball's model matrix (turned, then times its size)

varying vec3 eyePosition;
varying vec3 eyeNormal;

// The sphere is drawn scaled by the ball's size; the modelview's columns have exactly those
// lengths, because the camera's view itself neither scales nor shears.
vec3 ballSize() {
    return vec3(length(gl_ModelViewMatrix[0].xyz), length(gl_ModelViewMatrix[1].xyz),
                length(gl_ModelViewMatrix[2].xyz));
}

void main() {
    // gravity already carries the size once and the modelview applies it again: dividing by
    // size squared leaves a bend of exactly g (at most 0.3) in world units at the tips.
    vec3 size = ballSize();
    float tipWeight = furLength / TIP_LENGTH;
    vec3 bend = gravity.xyz / (size * size) * tipWeight * tipWeight;
    vec4 shell = vec4(gl_Vertex.xyz + gl_Normal * (furLength * furScale) + bend, 1.0);

    eyePosition = (gl_ModelViewMatrix * shell).xyz;
    eyeNormal = gl_NormalMatrix * gl_Normal;
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = gl_ModelViewProjectionMatrix * shell;
}
