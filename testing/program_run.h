#pragma once
// Running a built program through the shell, as a user would, from a folder
// of the test's own.
#include <filesystem>
#include <string>

namespace zumaro::testing {

struct ProgramOutcome {
  int code = -1;  // exit status of the command; -1 when the shell itself did not exit
  std::string out, err;
};

// `s` in single quotes, for a shell command line.
std::string shellQuoted(const std::string& s);

// Runs the shell command line `command` in `folder`, standard input from
// /dev/null; standard output and error are caught in the files ".stdout" and
// ".stderr" of the folder. Redirections inside `command` override them.
ProgramOutcome runInFolder(const std::filesystem::path& folder, const std::string& command);

}  // namespace zumaro::testing
