#pragma once
// A file written in code page 932 from UTF-8 lines, buffered.
#include <cstdio>
#include <string>

namespace zumaro::bench {

class Cp932File {
 public:
  // Exits the program with a message when the file cannot be created.
  explicit Cp932File(const std::string& path);
  ~Cp932File();
  Cp932File(const Cp932File&) = delete;
  Cp932File& operator=(const Cp932File&) = delete;

  // Writes `utf8` and CR LF; exits on a character code page 932 cannot hold.
  void line(const std::string& utf8);

 private:
  std::string path_;
  std::FILE* file_;
  std::string bytes_;
};

// "\"a\",\"b\"": every field in double quotes, as the data files and the
// sample list are written.
std::string quotedFields(const std::string* fields, size_t count);

}  // namespace zumaro::bench
