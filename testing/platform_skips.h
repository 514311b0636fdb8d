#pragma once
// What a test needs of the platform that WebAssembly under Node does not
// give (tools/test-wasm.sh): such a test is skipped there, saying why; the
// native suite runs it.
#include <gtest/gtest.h>

#ifdef __EMSCRIPTEN__
#define ZUMARO_SKIP_IN_WEBASSEMBLY(why) GTEST_SKIP() << "not in WebAssembly: " << (why)
#else
#define ZUMARO_SKIP_IN_WEBASSEMBLY(why) static_cast<void>(0)
#endif
