#pragma once

namespace zumaro::mkdat {

// zumaro-mkdat: returns the exit status.
int mkdatCommand(int argc, char** argv);

}  // namespace zumaro::mkdat
