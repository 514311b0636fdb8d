#pragma once
// Where the 23 postal data files are.
#include <string>

namespace zumaro {

// On Windows the fixed folder "\Program Files\Zumaro" of the current drive.
// Elsewhere the first of: `commandLineDir` when given, $ZUMARO_DATA_DIR when
// set, the share/zumaro folder of the installed program's prefix when it
// exists, and the repository's sample data when the program runs from the
// build tree. An explicit choice is never passed over, even when it does not
// exist, so that the user is told about it instead of getting other data.
std::string findDataFolder(const std::string& commandLineDir);

// Throws RunFailure when `folder` is a file: otherwise the user would only
// be told that 01.dat inside it does not exist.
void refuseFileAsDataFolder(const std::string& folder);

}  // namespace zumaro
