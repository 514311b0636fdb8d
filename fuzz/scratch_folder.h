#pragma once
// The folder a fuzz process writes its files into, made once per process and
// removed at its exit: under $ZUMARO_FUZZ_SCRATCH when set (tools/fuzz.sh
// removes that after a crash, which skips the exit), else /dev/shm when it
// exists, so that files rewritten at every input cost no disk, else the
// temporary folder.
#include <string>
#include <string_view>

namespace zumaro::fuzz {

const std::string& scratchFolder();

// Replaces the content of `path` with `bytes`; throws std::runtime_error
// when it cannot.
void writeFile(const std::string& path, std::string_view bytes);
// The bytes of `path`; empty when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace zumaro::fuzz
