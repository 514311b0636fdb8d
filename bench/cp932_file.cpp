#include "bench/cp932_file.h"

#include <cstdlib>

#include "text/codepage.h"

namespace zumaro::bench {

Cp932File::Cp932File(const std::string& path) : path_(path), file_(std::fopen(path.c_str(), "wb")) {
  if (!file_) {
    std::perror(path.c_str());
    std::exit(1);
  }
}

Cp932File::~Cp932File() {
  if (std::fclose(file_) != 0) {
    std::perror(path_.c_str());
    std::exit(1);
  }
}

void Cp932File::line(const std::string& utf8) {
  bytes_.clear();
  size_t bad = 0;
  if (!CodePage932::instance().encode(fromUtf8(utf8), bytes_, bad)) {
    std::fprintf(stderr, "not code page 932: %s\n", utf8.c_str());
    std::exit(1);
  }
  bytes_ += "\r\n";
  if (std::fwrite(bytes_.data(), 1, bytes_.size(), file_) != bytes_.size()) {
    std::perror(path_.c_str());
    std::exit(1);
  }
}

std::string quotedFields(const std::string* fields, size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) out += ',';
    out += '"';
    out += fields[i];
    out += '"';
  }
  return out;
}

}  // namespace zumaro::bench
