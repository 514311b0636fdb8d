#pragma once
// Puts the finished data files into the data folder. They are written and
// flushed in a temporary folder beside or inside the target first, so a
// failed build leaves the folder as it was.
#include <array>
#include <string>

#include "tools/mkdat/data_file_text.h"

namespace zumaro::mkdat {

// Writes the 23 files and the manifest (zumaro-data.txt). Creates `folder`
// when missing (its parent must exist). Throws BuildFailure.
void publishDataFolder(const std::string& folder, const DataFileTexts& texts, const std::string& manifest);

}  // namespace zumaro::mkdat
