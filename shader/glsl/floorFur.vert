// Floor fur: one translucent shell of the stack, lifted off the floor along its normal.

// The floor image repeats this often across the floor, the hair pattern this often: about one
// shell texel per 0.04 world units, thick enough for single hairs to read from across the room.
const float FLOOR_REPEATS = 2.0;
const float HAIR_REPEATS = 2.0;
// Shells are spread over half their nominal height: the full 0.195 makes a pile two world units
// deep that swallows the smaller balls and smears into streaks seen from low down.
const float FUR_HEIGHT_SCALE = 0.5;

uniform mat4 texMatrix;   // eye space -> shadow-map coordinates
uniform float furLength;  // this shell's nominal height above the floor, in the quad's own units
uniform float furScale;   // the fur length setting: 1 leaves the shells where they were made

varying vec2 floorCoord;
varying vec2 hairCoord;
varying vec3 eyeNormal;
varying vec4 shadowCoord;
varying vec3 eyePosition;  // for hair lighting's highlights

void main() {
    vec4 lifted = vec4(gl_Vertex.xyz + gl_Normal * (furLength * furScale) * FUR_HEIGHT_SCALE, 1.0);
    vec4 eye = gl_ModelViewMatrix * lifted;
    shadowCoord = texMatrix * eye;
    eyePosition = eye.xyz;
    eyeNormal = normalize(gl_NormalMatrix * gl_Normal);

    // The quad sends its coordinates on unit QUAD_COORDINATE_UNIT (1) only.
    floorCoord = gl_MultiTexCoord1.st * FLOOR_REPEATS;
    hairCoord = gl_MultiTexCoord1.st * HAIR_REPEATS;
    gl_Position = gl_ModelViewProjectionMatrix * lifted;
}
