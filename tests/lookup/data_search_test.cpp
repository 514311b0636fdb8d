#include "lookup/data_search.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "state/failure.h"
#include "testing/search_record.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {
namespace fs = std::filesystem;
using testing::cp932;
using testing::TempDir;
using testing::writeBytes;
using testing::writeDataFolder;

// Keys of data file 3 (0800000..1319999).
const std::string K1 = "1000010", K2 = "1000020", K3 = "1000030";

std::string entry(const std::string& key, const std::string& city) { return testing::cityEntry(key, city); }

class DataSearch : public ::testing::Test {
 protected:
  void SetUp() override {
    s.settings.prefecturePosition = 1;
    s.settings.cityPosition = 2;
    s.settings.buildingPosition = 3;
    s.settings.companyPosition = 4;
  }

  void writeFile3(const std::vector<std::string>& lines) { writeDataFolder(folder, {{}, {}, {}, lines}); }

  // Swaps in new content under the name of file 3; a file already open keeps
  // reading the old content, so what is read shows whether it was reopened.
  void replaceFile3(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += cp932(line) + "\r\n";
    writeBytes(dir.file("next.dat"), bytes);
    fs::rename(dir.file("next.dat"), dataFilePath(folder, 3));
  }

  void openLookup() {
    lookup = std::make_unique<ScanLookup>(folder);
    lookup->open();
  }

  std::string search(const std::string& key) { return testing::searchRecord(s, *lookup, key); }

  std::string lastKeyOfFile3() const { return toUtf8(s.lastKeyOfFile[3]); }

  TempDir dir;
  std::string folder = dir.file("data");
  ConversionState s;
  std::unique_ptr<ScanLookup> lookup;
};

TEST_F(DataSearch, ContinuesForwardAndRewindsWhenTheKeyIsNotGreater) {
  writeFile3({entry(K1, "旧1"), entry(K2, "旧2"), entry(K3, "旧3")});
  openLookup();
  EXPECT_EQ(search(K1), "旧1");
  EXPECT_EQ(lastKeyOfFile3(), K2) << "the entry that ended the scan is consumed";

  replaceFile3({entry(K1, "新1"), entry(K2, "新2"), entry(K3, "新3")});
  EXPECT_EQ(search(K3), "旧3") << "a greater key continues in the open file";
  EXPECT_EQ(lastKeyOfFile3(), K3);

  EXPECT_EQ(search(K2), "新2") << "a key not greater than the last one read starts again";
  EXPECT_EQ(lastKeyOfFile3(), K3);
  EXPECT_EQ(search(K1), "新1");
  EXPECT_EQ(lastKeyOfFile3(), K2);
  EXPECT_EQ(search(K1), "新1") << "the same key twice rewinds, its entry was consumed";
  EXPECT_TRUE(s.entryApplied);
  EXPECT_EQ(lastKeyOfFile3(), K2);
}

TEST_F(DataSearch, KeysWithoutEntriesReadOnAndCallNothing) {
  writeFile3({entry(K1, "一"), entry(K2, "二"), entry(K3, "三")});
  openLookup();
  EXPECT_EQ(search("1000015"), "未変換");
  EXPECT_FALSE(s.entryApplied);
  EXPECT_EQ(lastKeyOfFile3(), K2);
  EXPECT_EQ(search(K2), "二") << "a key equal to the last one read starts again";
  EXPECT_EQ(lastKeyOfFile3(), K3);

  openLookup();
  s.lastKeyOfFile = {};
  EXPECT_EQ(search("1000040"), "未変換");
  EXPECT_EQ(lastKeyOfFile3(), K3) << "a scan to the end keeps the last entry's key";

  // At the end already: nothing is read, and the last key read stays.
  EXPECT_EQ(search("1000050"), "未変換");
  EXPECT_EQ(lastKeyOfFile3(), K3);
  EXPECT_EQ(toUtf8(s.entryKey), "0");
  // So a smaller key still starts the file again and finds its entry.
  EXPECT_EQ(search(K1), "一");
  EXPECT_EQ(lastKeyOfFile3(), K2);
}

TEST_F(DataSearch, EntriesSharingTheKeyAllReachTheComparisonInFileOrder) {
  writeFile3({entry(K1, "前"),
              K2 + ",東京都,千代田区,丸の内,本社ビル,株式会社甲,ﾄｳｷﾖｳﾄ,ﾁﾖﾀﾞｸ,ﾏﾙﾉｳﾁ,ﾎﾝｼﾔﾋﾞﾙ,ｶﾌﾞｼｷｶﾞｲｼﾔｺｳ",
              entry(K2, "中央区銀座"), K2 + ",東京都,港区,芝,芝ビル,,ﾄｳｷﾖｳﾄ,ﾐﾅﾄｸ,ｼﾊﾞ,ｼﾊﾞﾋﾞﾙ,", entry(K3, "後")});
  openLookup();
  // The business entry wrote company and city, the empty-reading entry then
  // rewrote the city, and the failing entry after it still wrote the building.
  EXPECT_EQ(search(K2), "中央区銀座");
  EXPECT_EQ(toUtf8(s.recordField[4]), "株式会社甲");
  EXPECT_EQ(toUtf8(s.recordField[3]), "芝ビル");
  EXPECT_EQ(toUtf8(s.recordField[1]), "東京都");
  EXPECT_EQ(lastKeyOfFile3(), K3);

  writeFile3({entry(K1, "甲"), entry(K1, "乙"), entry(K1, "丙"), entry(K2, "丁")});
  openLookup();
  EXPECT_EQ(search(K1), "丙") << "the last applied entry wins";
}

TEST_F(DataSearch, EntryBehindAGreaterKeyIsNotFound) {
  writeFile3({entry(K1, "一"), entry(K3, "三"), entry(K2, "二")});
  openLookup();
  EXPECT_EQ(search(K2), "未変換");
  EXPECT_FALSE(s.entryApplied);
  EXPECT_EQ(lastKeyOfFile3(), K3);
}

TEST_F(DataSearch, EmptyDataFileReadsNothing) {
  writeFile3({});
  openLookup();
  EXPECT_EQ(search(K1), "未変換");
  EXPECT_FALSE(s.entryApplied);
  EXPECT_EQ(lastKeyOfFile3(), "");
  EXPECT_EQ(toUtf8(s.entryKey), "0");
  s.lastKeyOfFile[3] = fromUtf8(K3);
  EXPECT_EQ(search(K1), "未変換") << "a rewind of an empty file reads nothing either";
  EXPECT_EQ(lastKeyOfFile3(), K3);
}

TEST_F(DataSearch, FirstSearchAfterStartNeverRewinds) {
  writeFile3({entry(K1, "一"), entry(K2, "二")});
  openLookup();
  // With the file gone, only a search that does not reopen it can succeed.
  fs::remove(dataFilePath(folder, 3));
  EXPECT_EQ(search(K1), "一");
  EXPECT_EQ(lastKeyOfFile3(), K2);

  writeFile3({entry(K1, "一"), entry(K2, "二")});
  openLookup();
  fs::remove(dataFilePath(folder, 3));
  EXPECT_THROW(search(K1), RunFailure) << "K1 is not greater than the last key, so the file is reopened";
}

TEST_F(DataSearch, LastKeysCarryOverToTheNextOpen) {
  writeFile3({entry(K1, "一"), entry(K2, "二"), entry(K3, "三")});
  openLookup();
  EXPECT_EQ(search(K2), "二");
  lookup->close();
  EXPECT_EQ(lastKeyOfFile3(), K3);

  openLookup();
  EXPECT_EQ(lastKeyOfFile3(), K3) << "opening the files again resets no last key";
  EXPECT_EQ(toUtf8(s.lastKeyOfFile[4]), "");
  EXPECT_EQ(search(K3), "三");
  EXPECT_EQ(search(K1), "一");
  EXPECT_EQ(lastKeyOfFile3(), K2);
}

TEST(ScanLookupOpen, MissingDataFileEndsTheRun) {
  TempDir dir;
  std::string folder = dir.file("data");
  writeDataFolder(folder, {});
  fs::remove(dataFilePath(folder, 7));
  ScanLookup lookup(folder);
  try {
    lookup.open();
    FAIL() << "open succeeded without 07.dat";
  } catch (const RunFailure& e) {
    std::string message = toUtf8(e.message);
    EXPECT_EQ(message.rfind("指定されたファイルが存在しません。", 0), 0u) << message;
    EXPECT_NE(message.find("07.dat"), std::string::npos) << message;
  }
}

// Records which file searchData chose and what entryKey held at that moment.
class RecordingLookup : public DataLookup {
 public:
  void open() override {}
  void close() override {}
  void search(ConversionState& s, int k, EntryVisitor&) override {
    calls.push_back(k);
    entryKeyAtCall = s.entryKey;
  }
  std::vector<int> calls;
  Text entryKeyAtCall;
};

struct IgnoringVisitor : EntryVisitor {
  void visit(ConversionState&, const EntryView&, bool, bool) override {}
  bool readingsFold(const EntryView&) const override { return false; }
};

TEST(SearchData, ResetsEntryKeyAndSearchesAtMostTheOneFileOfTheKey) {
  ConversionState s;
  RecordingLookup lookup;
  IgnoringVisitor visitor;
  for (const Text& key : {Text(u"0009999"), Text(u""), Text(u"132"), Text(u"03899990")}) {
    s.postalKey = key;
    s.entryKey = u"9999999";
    searchData(s, lookup, visitor);
    EXPECT_EQ(toUtf8(s.entryKey), "0") << toUtf8(key);
  }
  EXPECT_TRUE(lookup.calls.empty());

  s.postalKey = u"0390000";
  s.entryKey = u"9999999";
  searchData(s, lookup, visitor);
  EXPECT_EQ(lookup.calls, std::vector<int>{2});
  EXPECT_EQ(toUtf8(lookup.entryKeyAtCall), "0");
}

}  // namespace
}  // namespace zumaro
