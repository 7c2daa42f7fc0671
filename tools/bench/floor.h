// The least any renderer must do per frame: write a colour buffer and a depth buffer of the
// picture's size once each, on the threads that draw. The benchmarks measure it in the same
// run as their own figures, so each figure can be read as a multiple of it on that machine.
#pragma once

namespace bench_floor {

// Milliseconds (median of several tries) for threads threads to write width x height 32-bit
// colours and as many 32-bit depths once, each thread an even share of the rows.
double FloorMs(int width, int height, int threads);

} // namespace bench_floor
