// Sine and cosine computed the same way on every machine. The C library picks among
// variants of its functions by the processor it finds at run time (with and without fused
// multiply-add), which may differ in the last bit; the spin of a frame feeds the game's
// positions, and a demo must replay them exactly on any machine of the family.
#pragma once

namespace rm {

struct SineCosine {
    float sine, cosine;
};

// Both to within the rounding of a float: computed in double precision with a plain
// polynomial (the build forbids contracting it into fused operations), then rounded once.
SineCosine StableSineCosine(float angle);

} // namespace rm
