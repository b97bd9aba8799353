// Walls and ceiling: hands the fragment shader everything it needs to light a normal-mapped,
// shadow-receiving quad per fragment.

// The images repeat this many times across each face so they stay sharp on a 20-unit wall.
const float TEXTURE_REPEATS = 2.0;

uniform mat4 texMatrix;  // eye space -> shadow-map coordinates

varying vec2 texCoord;
varying vec3 eyePosition;
varying vec4 shadowCoord;
// The face's frame in eye space: the normal map's x runs along the quad's x axis (texture s),
// its y along the quad's z axis (texture t), its z along the quad's normal.
varying vec3 eyeTangent;
varying vec3 eyeBitangent;
varying vec3 eyeNormal;

void main() {
    vec4 eye = gl_ModelViewMatrix * gl_Vertex;
    eyePosition = eye.xyz;
    shadowCoord = texMatrix * eye;

    eyeTangent = normalize(gl_NormalMatrix * vec3(1.0, 0.0, 0.0));
    eyeBitangent = normalize(gl_NormalMatrix * vec3(0.0, 0.0, 1.0));
    eyeNormal = normalize(gl_NormalMatrix * gl_Normal);

    // The quad sends its coordinates on unit QUAD_COORDINATE_UNIT (1) only.
    texCoord = gl_MultiTexCoord1.st * TEXTURE_REPEATS;
    gl_Position = ftransform();
}
