#include "cli/convert_command.h"

int main(int argc, char** argv) { return zumaro::cli::convertCommand(argc, argv); }
