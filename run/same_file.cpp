#include "run/same_file.h"

#include <sys/stat.h>

namespace zumaro {
namespace {

bool sameIdentity(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  struct stat sa {};
  struct stat sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sameIdentity(sa, sb);
}

bool sameFile(int fd, const std::string& path) {
  struct stat sa {};
  struct stat sb {};
  return ::fstat(fd, &sa) == 0 && S_ISREG(sa.st_mode) && ::stat(path.c_str(), &sb) == 0 && sameIdentity(sa, sb);
}

}  // namespace zumaro
