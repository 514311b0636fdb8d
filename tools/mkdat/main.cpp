#include "tools/mkdat/mkdat_command.h"

int main(int argc, char** argv) { return zumaro::mkdat::mkdatCommand(argc, argv); }
