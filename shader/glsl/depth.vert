// Fur ball, shadow pass: the same shells as the colour pass, seen from the light. The ball is
// drawn without its rotation, so only its centre and size shape the shadow; gravity follows the
// music's bass here: down when quiet, up when loud.
#include "furShell.glsl"

void main() {
    gl_TexCoord[0] = gl_MultiTexCoord0;
    gl_Position = gl_ModelViewProjectionMatrix * furShellVertex();
}
