#pragma once
#include <string>

namespace zumaro {

// Whether two paths name one existing file, through links and any spelling.
bool sameFile(const std::string& a, const std::string& b);

}  // namespace zumaro
