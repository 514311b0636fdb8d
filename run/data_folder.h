#pragma once
// Where the 23 postal data files are.
#include <optional>
#include <string>

#include "text/text.h"

namespace zumaro {

enum class DataFolderOrigin { CommandLine, Environment, User, Installed, BuildTree };

struct DataFolderChoice {
  std::string folder;
  DataFolderOrigin origin;
};

// On Windows the fixed folder "\Program Files\Zumaro" of the current drive.
// Elsewhere the first of: `commandLineDir` when given, $ZUMARO_DATA_DIR when
// set, the user's own folder when it exists, the share/zumaro folder of the
// installed program's prefix when it exists, and the folder built from Japan
// Post's files when the program runs from the build tree. An explicit choice
// is never passed over, even when it does not exist, so that the user is
// told about it instead of getting other data. The repository's small
// sample is never chosen unless named.
DataFolderChoice chooseDataFolder(const std::string& commandLineDir);
inline std::string findDataFolder(const std::string& commandLineDir) { return chooseDataFolder(commandLineDir).folder; }

// $XDG_DATA_HOME/zumaro, else ~/.local/share/zumaro; empty when neither is known.
std::string userDataFolder();

// The folder that comes with the program: the installed share/zumaro, else,
// from the build tree, the folder built there; empty when there is none.
std::string sharedDataFolder();

// When the user's own folder was chosen and its data are older than those of
// the shared folder: a warning naming both folders and dates.
std::optional<Text> olderUserDataWarning(const DataFolderChoice& choice);

// Throws RunFailure when `folder` is a file: otherwise the user would only
// be told that 01.dat inside it does not exist.
void refuseFileAsDataFolder(const std::string& folder);

}  // namespace zumaro
