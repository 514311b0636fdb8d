#include "lookup/loaded_data_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "testing/rng.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {
using bench::Rng;
using testing::cp932;
using testing::TempDir;
using testing::writeBytes;

// Keys as code page 932 bytes, one kind of key per family: characters
// drawn from `alphabet`, so that many keys share a prefix.
struct KeyFamily {
  const char* name;
  std::vector<std::string> alphabet;
  int shortest, longest;
};

const std::vector<KeyFamily> kFamilies = {
    {"postal codes", {"0", "1", "2"}, 7, 7},
    {"some longer than eight", {"0", "1"}, 5, 11},
    {"some holding U+0000", {"0", "1", std::string(1, '\0')}, 1, 9},
    {"wide characters", {"0", "1", cp932("東"), "\xB1"}, 1, 9},
    {"empty keys among others", {"0", "1"}, 0, 9},
};

std::vector<std::string> keyPool(Rng& rng, const KeyFamily& family) {
  std::vector<std::string> keys;
  for (int k = 0; k < 60; ++k) {
    std::string key;
    for (int n = rng.between(family.shortest, family.longest); n > 0; --n) key += rng.pick(family.alphabet);
    keys.push_back(key);
  }
  return keys;
}

// A file of `count` entries drawn from `keys`, in a few ascending stretches
// or, as postal files are, in one.
std::string fileOf(Rng& rng, const std::vector<std::string>& keys, size_t count, bool oneStretch) {
  std::vector<std::string> chosen;
  for (size_t i = 0; i < count; ++i) chosen.push_back(rng.pick(keys));
  for (size_t at = 0; at < chosen.size();) {
    const size_t stretch =
        oneStretch ? count : std::min(chosen.size() - at, static_cast<size_t>(1 + rng.below(count / 2 + 1)));
    std::sort(chosen.begin() + static_cast<long>(at), chosen.begin() + static_cast<long>(at + stretch));
    at += stretch;
  }
  std::string bytes;
  for (const std::string& key : chosen) {
    bytes += "\"" + key + "\"";
    for (int f = 1; f < kEntryFields; ++f) bytes += ",\"\"";
    bytes += "\r\n";
  }
  return bytes;
}

// Every key of the family, and keys just beside them.
std::vector<Text> probesOf(const LoadedDataFile& file, size_t count) {
  std::vector<Text> probes = {u"", Text(1, u'\0'), u"東", u"99999999999", u"0000000", u"9999999"};
  for (size_t i = 0; i < count; ++i) {
    const Text key(file.key(i));
    probes.push_back(key);
    probes.push_back(key + u'0');
    probes.push_back(key + u'\0');
    if (!key.empty()) {
      probes.push_back(key.substr(0, key.size() - 1));
      Text next = key;
      ++next.back();
      probes.push_back(next);
    }
  }
  return probes;
}

TEST(LoadedDataFileSearch, FindsWhatALinearSearchFinds) {
  TempDir dir;
  const std::string path = dir.file("03.dat");
  Rng rng(7);
  for (const KeyFamily& family : kFamilies) {
    const std::vector<std::string> pool = keyPool(rng, family);
    for (size_t count : {1u, 15u, 16u, 17u, 100u, 700u, 2000u}) {
      writeBytes(path, fileOf(rng, pool, count, count % 2 == 0));
      LoadedDataFile file(path);
      file.open();
      ASSERT_EQ(file.entryCount(), count) << family.name;
      const std::vector<Text> probes = probesOf(file, count);
      for (size_t start = 0; start < count; start = file.ascendingEnd(start)) {
        const size_t end = file.ascendingEnd(start);
        for (size_t from : {start, start + (end - start) / 3, end - 1}) {
          for (const Text& probe : probes) {
            size_t lower = from;
            while (lower < end && file.key(lower) < TextView(probe)) ++lower;
            size_t upper = lower;
            while (upper < end && file.key(upper) == TextView(probe)) ++upper;
            const LoadedDataFile::Probe p(probe);
            ASSERT_EQ(file.firstNotLess(from, end, p), lower)
                << family.name << ", " << count << " entries, from " << from << ", probe " << toUtf8(probe);
            ASSERT_EQ(file.pastEqual(lower, end, p), upper)
                << family.name << ", " << count << " entries, from " << from << ", probe " << toUtf8(probe);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace zumaro
