#include "testing/program_run.h"

#include <sys/wait.h>

#include <cstdlib>

#include "testing/temp_dir.h"

namespace zumaro::testing {

std::string shellQuoted(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

ProgramOutcome runInFolder(const std::filesystem::path& folder, const std::string& command) {
  const std::string out = (folder / ".stdout").string(), err = (folder / ".stderr").string();
  const std::string line = "cd " + shellQuoted(folder.string()) + " && ( " + command + " ) >" + shellQuoted(out) +
                           " 2>" + shellQuoted(err) + " </dev/null";
  const int status = std::system(line.c_str());
  ProgramOutcome o;
  o.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  o.out = readBytes(out);
  o.err = readBytes(err);
  return o;
}

}  // namespace zumaro::testing
