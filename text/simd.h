#pragma once
// The one place that decides whether the fast paths use SSE2. Every
// x86-64 processor has it (the paths take 64-bit moves, so a 32-bit x86
// build takes the portable ones), and emscripten gives the same intrinsics
// in WebAssembly's SIMD; a build with ZUMARO_PORTABLE (the CMake option
// of that name) takes the portable path of each instead, and the test
// script builds and tests that way once, so the differential tests check
// the portable paths too, as any other processor would run them.
#if defined(__SSE2__) && (defined(__x86_64__) || defined(__EMSCRIPTEN__)) && !defined(ZUMARO_PORTABLE)
#define ZUMARO_SSE2 1
#include <emmintrin.h>
#else
#define ZUMARO_SSE2 0
#endif
