// Which data folder a run uses, and how it is described to the user.
#include "run/data_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "run/data_age.h"
#include "run/data_folder_description.h"
#include "testing/platform_skips.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

namespace fs = std::filesystem;

const std::string kSmallData = ZUMARO_TEST_DATA_DIR "/small/data";

// Sets or unsets an environment variable for one test.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class DataFolderChoiceTest : public ::testing::Test {
 protected:
  std::string userFolder() const { return dir.file("xdg/zumaro"); }
  void makeUserFolder(const std::string& manifest) {
    fs::create_directories(userFolder());
    if (!manifest.empty()) testing::writeBytes(userFolder() + "/zumaro-data.txt", manifest);
  }
  testing::TempDir dir;
  ScopedEnv noEnvFolder{"ZUMARO_DATA_DIR", nullptr};
  ScopedEnv xdg{"XDG_DATA_HOME", dir.file("xdg").c_str()};
};

TEST_F(DataFolderChoiceTest, FirstFoundInOrder) {
  ZUMARO_SKIP_IN_WEBASSEMBLY("a module knows no program folder; the page gives its data");
  // Nothing of the user's: the tests run from the build tree, so the folder built there.
  DataFolderChoice c = chooseDataFolder("");
  EXPECT_EQ(c.folder, ZUMARO_BUILT_DATA_DIR);
  EXPECT_EQ(c.origin, DataFolderOrigin::BuildTree);
  EXPECT_EQ(sharedDataFolder(), ZUMARO_BUILT_DATA_DIR);

  makeUserFolder("");
  c = chooseDataFolder("");
  EXPECT_EQ(c.folder, userFolder());
  EXPECT_EQ(c.origin, DataFolderOrigin::User);
  {
    ScopedEnv env("ZUMARO_DATA_DIR", "/from/env");
    EXPECT_EQ(chooseDataFolder("").folder, "/from/env");
    EXPECT_EQ(chooseDataFolder("").origin, DataFolderOrigin::Environment);
    EXPECT_EQ(chooseDataFolder("/given").folder, "/given");
    EXPECT_EQ(chooseDataFolder("/given").origin, DataFolderOrigin::CommandLine);
  }
  // A folder named is taken even when it does not exist.
  EXPECT_EQ(chooseDataFolder("/no/such/folder").folder, "/no/such/folder");
}

TEST_F(DataFolderChoiceTest, UsersFolderFollowsTheBaseDirectoryRules) {
  EXPECT_EQ(userDataFolder(), userFolder());
  ScopedEnv home("HOME", "/home/someone");
  {
    ScopedEnv relative("XDG_DATA_HOME", "relative/path");
    EXPECT_EQ(userDataFolder(), "/home/someone/.local/share/zumaro");
  }
  ScopedEnv unset("XDG_DATA_HOME", nullptr);
  EXPECT_EQ(userDataFolder(), "/home/someone/.local/share/zumaro");
}

TEST_F(DataFolderChoiceTest, WarnsOnlyWhenTheUsersOwnDataAreOlder) {
  ZUMARO_SKIP_IN_WEBASSEMBLY("a module knows no program folder; the page gives its data");
  makeUserFolder("data-date = 2020-01-01\n");
  std::optional<Text> warning = olderUserDataWarning(chooseDataFolder(""));
  ASSERT_TRUE(warning);
  EXPECT_NE(warning->find(fromUtf8(userFolder() + "（2020-01-01）")), Text::npos) << toUtf8(*warning);
  EXPECT_NE(warning->find(fromUtf8(ZUMARO_BUILT_DATA_DIR "（2026-05-26）")), Text::npos) << toUtf8(*warning);

  for (const char* manifest : {"data-date = 2026-05-26\n", "data-date = 2030-01-01\n", "entries = 3\n", ""}) {
    makeUserFolder(manifest);
    fs::remove(userFolder() + "/zumaro-data.txt");
    if (*manifest) testing::writeBytes(userFolder() + "/zumaro-data.txt", manifest);
    EXPECT_FALSE(olderUserDataWarning(chooseDataFolder(""))) << manifest;
  }
  // Only the user's own folder is ever called older.
  EXPECT_FALSE(olderUserDataWarning({userFolder(), DataFolderOrigin::CommandLine}));
}

TEST(DataFolderDescription, FolderWithManifestGivesItsDateAndCount) {
  DataFolderDescription d = describeDataFolder(ZUMARO_BUILT_DATA_DIR);
  EXPECT_TRUE(d.exists);
  EXPECT_EQ(d.date, "2026-05-26");
  EXPECT_EQ(d.entries, 146563);
  EXPECT_FALSE(d.filesMissing);
  EXPECT_FALSE(d.isSample);
  EXPECT_EQ(toUtf8(dataFolderLine(d, "2026-07-27")),
            "郵便番号データ: " ZUMARO_BUILT_DATA_DIR "（2026-05-26、146563件）");
}

TEST(DataFolderDescription, DataMoreThan62DaysOldAreToldWithTheirAge) {
  DataFolderDescription d = describeDataFolder(ZUMARO_BUILT_DATA_DIR);
  const std::string line = "郵便番号データ: " ZUMARO_BUILT_DATA_DIR "（2026-05-26、146563件";
  // Across a month's end and a year's; a day that is not a date counts as unknown, not as old.
  for (const char* today : {"2026-07-27", "2026-05-26", "2026-01-01", "2026-07-32", "today"}) {
    EXPECT_EQ(toUtf8(dataFolderLine(d, today)), line + "）") << today;
    EXPECT_FALSE(staleDataAge(d, today)) << today;
  }
  EXPECT_EQ(toUtf8(dataFolderLine(d, "2026-07-28")),
            line + "、63日前のデータです。zumaro-mkdat --download で更新できます）");
  EXPECT_EQ(staleDataAge(d, "2027-05-26"), 365);
  EXPECT_EQ(daysBetween("2024-02-28", "2024-03-01"), 2);
  // A folder without a date is never called old.
  EXPECT_FALSE(staleDataAge(describeDataFolder(ZUMARO_SAMPLE_DATA_DIR), "2099-01-01"));
}

TEST(DataFolderDescription, FolderWithoutManifestHasItsEntriesCounted) {
  DataFolderDescription sample = describeDataFolder(ZUMARO_SAMPLE_DATA_DIR);
  EXPECT_FALSE(sample.date);
  EXPECT_EQ(sample.entries, 405);
  EXPECT_TRUE(sample.isSample);
  EXPECT_FALSE(sample.filesMissing);
  EXPECT_EQ(toUtf8(dataFolderLine(sample, "2099-01-01")),
            "郵便番号データ: " ZUMARO_SAMPLE_DATA_DIR "（日付不明、405件）");

  // A last line without its line end is an entry too; a missing file is told.
  testing::TempDir dir;
  const std::string copy = dir.file("data");
  fs::copy(kSmallData, copy);
  testing::writeBytes(copy + "/05.dat", "a\r\nb");
  fs::remove(copy + "/09.dat");
  DataFolderDescription d = describeDataFolder(copy);
  EXPECT_EQ(d.entries, 2 + 2);
  EXPECT_TRUE(d.filesMissing);
  EXPECT_FALSE(d.isSample);
}

TEST(DataFolderDescription, NoFolderThere) {
  testing::TempDir dir;
  testing::writeBytes(dir.file("file"), "x");
  for (const std::string& path : {dir.file("none"), dir.file("file")}) {
    DataFolderDescription d = describeDataFolder(path);
    EXPECT_FALSE(d.exists);
    EXPECT_TRUE(d.filesMissing);
    EXPECT_EQ(toUtf8(dataFolderLine(d, "2099-01-01")), "郵便番号データ: " + path + "（フォルダがありません）");
  }
}

}  // namespace
}  // namespace zumaro
