#pragma once
// zumaro-convert: the Execute button of the settings form, from a shell.
namespace zumaro::cli {

// Exit codes: 0 finished, 1 the run failed, 2 the settings were refused
// (or the command line could not be read).
int convertCommand(int argc, char** argv);

}  // namespace zumaro::cli
