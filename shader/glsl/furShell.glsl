// Shared by the fur balls' colour and shadow passes, so that a shadow matches the fur that casts
// it: one shell of the stack, the same unit-diameter sphere pushed out along its normals by
// furLength and bent by gravity towards its tips.

// furLength of the outermost shell: the bend is weighted by (furLength / TIP_LENGTH)^2, so the
// roots stay put and the tips swing furthest, like a hair bending under a load.
const float TIP_LENGTH = FUR_LENGTH_STEP * float(FUR_SHELL_COUNT - 1);

uniform float furLength;  // this shell's height above the skin, in the sphere's own units
uniform float furScale;   // the fur length setting: 1 leaves the shells where they were made
uniform vec4 gravity;     // the bend g of the hair tips, carried into object space by the
                          // transpose of the ball's model matrix (turned, then times its size)

// The sphere is drawn scaled by the ball's size; the modelview's columns have exactly those
// lengths, because neither the camera's nor the light's view scales or shears.
vec3 ballSize() {
    return vec3(length(gl_ModelViewMatrix[0].xyz), length(gl_ModelViewMatrix[1].xyz),
                length(gl_ModelViewMatrix[2].xyz));
}

// The hair's direction at this shell, in the sphere's own units: the derivative of
// furShellVertex along the hair, so the sheen follows the bend.
vec3 furHairDirection() {
    vec3 size = ballSize();
    return gl_Normal * furScale + gravity.xyz / (size * size) * (2.0 * furLength / (TIP_LENGTH * TIP_LENGTH));
}

// gravity already carries the size once and the modelview applies it again: dividing by size
// squared leaves a bend of exactly g (at most 0.3 in the colour pass) in world units at the tips.
vec4 furShellVertex() {
    vec3 size = ballSize();
    float tipWeight = furLength / TIP_LENGTH;
    vec3 bend = gravity.xyz / (size * size) * tipWeight * tipWeight;
    return vec4(gl_Vertex.xyz + gl_Normal * (furLength * furScale) + bend, 1.0);
}
