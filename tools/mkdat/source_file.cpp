#include "tools/mkdat/source_file.h"

#include <zip.h>

#include <sys/stat.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "tools/mkdat/build_failure.h"
#include "tools/mkdat/sha256.h"
#include "tools/mkdat/utf8_edition.h"

namespace zumaro::mkdat {
namespace {

std::string readWholeFile(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw BuildFailure(path + " はフォルダです。ファイルを指定して下さい。");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw BuildFailure(path + " を開けません（" + std::strerror(errno) + "）。");
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw BuildFailure(path + " を読めません（" + std::strerror(errno) + "）。");
  return bytes.str();
}

std::string localDate(std::time_t when) {
  std::tm parts{};
  char text[16] = "";
  if (localtime_r(&when, &parts)) std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
  return text;
}

std::time_t modificationTime(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_mtime : 0;
}

bool looksLikeZip(const std::string& bytes) { return bytes.compare(0, 4, "PK\x03\x04") == 0; }

bool endsWithCsv(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == ".csv";
}

struct ZipCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

SourceFile readCsvFromZip(const std::string& path, const std::string& zipBytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(zipBytes.data(), zipBytes.size(), 0, &error);
  if (!source) throw BuildFailure(path + " をzipファイルとして読めません（" + zip_error_strerror(&error) + "）。");
  std::unique_ptr<zip_t, ZipCloser> archive(zip_open_from_source(source, ZIP_RDONLY, &error));
  if (!archive) {
    zip_source_free(source);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    throw BuildFailure(path + " をzipファイルとして読めません（" + text + "）。");
  }
  std::vector<zip_uint64_t> csvEntries;
  zip_int64_t count = zip_get_num_entries(archive.get(), 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), 0);
    if (name && endsWithCsv(name)) csvEntries.push_back(static_cast<zip_uint64_t>(i));
  }
  if (csvEntries.size() != 1) {
    throw BuildFailure(path + " には.csvファイルが1つだけあるはずですが、" + std::to_string(csvEntries.size()) +
                       "個あります。");
  }
  zip_stat_t stat;
  zip_stat_index(archive.get(), csvEntries[0], 0, &stat);
  SourceFile result;
  result.name = path + ":" + stat.name;
  result.member = stat.name;
  result.date = localDate((stat.valid & ZIP_STAT_MTIME) ? stat.mtime : modificationTime(path));
  std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive.get(), csvEntries[0], 0));
  if (!file) throw BuildFailure(result.name + " を開けません（" + zip_strerror(archive.get()) + "）。");
  result.bytes.resize(stat.size);
  zip_int64_t got = zip_fread(file.get(), result.bytes.data(), stat.size);
  if (got < 0 || static_cast<zip_uint64_t>(got) != stat.size) {
    throw BuildFailure(result.name + " を展開できません（" + zip_file_strerror(file.get()) + "）。");
  }
  return result;
}

}  // namespace

SourceFile loadSourceFile(const std::string& path) {
  std::string bytes = readWholeFile(path);
  SourceFile result;
  if (looksLikeZip(bytes)) {
    result = readCsvFromZip(path, bytes);
  } else {
    result.name = path;
    result.date = localDate(modificationTime(path));
  }
  result.fileName = std::filesystem::path(path).filename().string();
  result.fileBytes = static_cast<int64_t>(bytes.size());
  result.sha256 = sha256Hex(bytes);
  if (!looksLikeZip(bytes)) result.bytes = std::move(bytes);
  result.utf8 = looksLikeUtf8Edition(result.bytes);
  if (result.bytes.rfind("\xEF\xBB\xBF", 0) == 0) result.bytes.erase(0, 3);
  return result;
}

}  // namespace zumaro::mkdat
