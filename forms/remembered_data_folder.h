#pragma once
// The data folder the user chose on the settings form, kept between
// sessions; without one, the folder the command line would take.
#include <string>

namespace zumaro::forms {

std::string initialDataFolder();
void rememberDataFolder(const std::string& folder);

}  // namespace zumaro::forms
