// How the passes draw fur, as the settings ask. The values come from the settings each frame;
// they have no start values of their own.
#pragma once

// Each shell of a fur ball stands this much further out than the one below it, in the units of
// the unit-diameter sphere the shells are drawn on.
constexpr float FUR_LENGTH_STEP = 0.008f;

struct FurStyle {
    int shellsDrawn;    // of the 40 shells, spread evenly from the innermost
    float lengthScale;  // hair length, 1 as the shells were made; balls and floor alike
    float motionBend;   // how far the hairs trail a ball's motion, 1 as designed
    float bassBend;     // how far the bass bends the fur in the shadow pass, 1 as designed
    float shadowBias;   // depth subtracted before a hair's shadow comparison
    bool hairLighting;  // lit along each hair and darker towards the roots, or like the sphere under it
};
