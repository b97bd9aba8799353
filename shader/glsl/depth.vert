#version 120
// Fur ball, shadow pass: the same shells as the colour pass, seen from the light. The ball is
// drawn without its rotation, so only its centre and size shape the shadow.

// furLength of the outermost shell; the bend grows with the square of the shell's height.
const float TIP_LENGTH = 0.312;

uniform float furLength;  // this shell's height above the skin, in the sphere's own units
uniform float furScale;   // the fur length setting: 1 leaves the shells where they were made
uniform vec4 gravity;     // the bend of the hair tips in object space, times the ball's size;
                          // here it follows the music's bass: down when quiet, up when loud

// The modelview is the light's look-at times the ball's translation and scale, so its
// columns are as long as the ball is large.
vec3 ballSize() {
    return vec3(length(gl_ModelViewMatrix[0].xyz), length(gl_ModelViewMatrix[1].xyz),
                length(gl_ModelViewMatrix[2].xyz));
}

void main() {
    // Same displacement as the colour pass, so the shadow matches the fur that casts it.
    vec3 size = ballSize();
    float tipWeight = furLength / TIP_LENGTH;
    vec3 bend = gravity.xyz / (size * size) * tipWeight * tipWeight;
    vec4 shell = vec4(gl_Vertex.xyz + gl_Normal * (furLength * furScale) + bend, 1.0);

    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = gl_ModelViewProjectionMatrix * shell;
}
