#pragma once
#include <string>

namespace zumaro {

// Whether two paths name one existing file, through links and any spelling.
bool sameFile(const std::string& a, const std::string& b);
// Whether the open descriptor `fd` is on the regular file `path` names.
bool sameFile(int fd, const std::string& path);

}  // namespace zumaro
