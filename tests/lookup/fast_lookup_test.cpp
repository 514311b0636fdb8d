#include "lookup/fast_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "state/failure.h"
#include "testing/search_record.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {
using testing::cp932;
using testing::TempDir;
using testing::writeBytes;
using testing::writeDataFolder;

// Keys of data file 3 (0800000..1319999).
const std::string K1 = "1000010", K2 = "1000020", K3 = "1000030", K4 = "1000040";

std::string entry(const std::string& key, const std::string& city) { return testing::cityEntry(key, city); }

class FastLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.settings.prefecturePosition = 1;
    s.settings.cityPosition = 2;
    writeDataFolder(folder, {});
  }

  void writeFile3(const std::string& bytes) { writeBytes(dataFilePath(folder, 3), bytes); }
  static std::string lines(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& e : entries) bytes += cp932(e) + "\r\n";
    return bytes;
  }

  std::string search(const std::string& key) { return testing::searchRecord(s, lookup, key); }
  std::string lastKeyOfFile3() const { return toUtf8(s.lastKeyOfFile[3]); }

  TempDir dir;
  std::string folder = dir.file("data");
  ConversionState s;
  FastLookup lookup{folder};
};

TEST_F(FastLookupTest, OutOfOrderEntriesAreReachedOnlyWhereTheScanReachesThem) {
  writeFile3(lines({entry(K1, "一"), entry(K3, "三"), entry(K2, "二前"), entry(K2, "二後"), entry(K4, "四")}));
  lookup.open();
  EXPECT_EQ(search(K2), "未変換") << "K3 ends the search before the K2 entries behind it";
  EXPECT_EQ(lastKeyOfFile3(), K3);
  EXPECT_EQ(toUtf8(s.entryColumn[2]), "三") << "the entry that ended the search is held, as after a scan";
  EXPECT_EQ(search(K4), "四") << "reading on past both K2, smaller than K4, to K4";
  EXPECT_EQ(lastKeyOfFile3(), K4);
  EXPECT_EQ(search(K3), "三") << "rewinds, and reads past the smaller K2 entries behind K3";
  EXPECT_EQ(lastKeyOfFile3(), K4);
  EXPECT_EQ(search(K2), "未変換");
  EXPECT_EQ(lastKeyOfFile3(), K3);
}

TEST_F(FastLookupTest, FaultIsRaisedOnlyWhenASearchReachesIt) {
  writeFile3(lines({entry(K1, "一"), entry(K2, "二")}) + cp932(K3 + ",東京都,三") + "\r\n");
  lookup.open();
  EXPECT_EQ(search(K1), "一") << "loading the whole file raised nothing early";
  EXPECT_EQ(search("1000015"), "未変換") << "rewinds; K2 ends the search before the entry cut short";
  try {
    search(K2);
    FAIL() << "the entry cut short was passed over";
  } catch (const RunFailure& e) {
    EXPECT_EQ(toUtf8(e.message),
              "郵便番号データ " + dataFilePath(folder, 3) + " が3件目のデータの途中で終わっています。");
  }
  EXPECT_EQ(toUtf8(s.recordField[2]), "二") << "K2 reached the comparison before the scan met the fault";
  EXPECT_EQ(lastKeyOfFile3(), K2) << "a search that failed stores no last key";
}

TEST_F(FastLookupTest, InvalidBytesFailAtTheEntryThatHoldsThem) {
  writeFile3(lines({entry(K1, "一"), entry(K2, "二")}) + K3 + ",\x81\x20\r\n");
  lookup.open();
  EXPECT_EQ(search("1000015"), "未変換");
  EXPECT_THROW(search(K4), RunFailure);
  lookup.close();
  lookup.open();
  s.lastKeyOfFile = {};
  EXPECT_EQ(search(K1), "一") << "a new run reads the file again from its start";
}

}  // namespace
}  // namespace zumaro
