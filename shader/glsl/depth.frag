// Fur ball, shadow pass: only hairs cast shadow. Texels without a hair are discarded, so light
// falls through the gaps between hairs; the rest write their depth and nothing else. The shadow
// map itself is the render target here, so this program must never sample it.

// Below half an 8-bit step of alpha there is no hair, only filtering residue.
const float EMPTY_ALPHA = 0.5 / 255.0;

uniform sampler2D furTex;  // this shell's hairs; alpha = coverage (unit FUR_SHELL_UNIT)

void main() {
    if (texture2D(furTex, gl_TexCoord[0].st).a < EMPTY_ALPHA) discard;
}
