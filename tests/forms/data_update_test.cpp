// 「郵便番号データを更新」 through the zumaro-mkdat beside the tests, against
// the local stand-in for Japan Post (tests/tools/mkdat/download_server.py).
#include <gtest/gtest.h>

#include <QDialog>
#include <QProgressBar>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "forms/caption_text.h"
#include "forms/form_harness.h"
#include "forms/settings_form.h"
#include "testing/temp_dir.h"
#include "tools/mkdat/download_server.h"

namespace zumaro {
namespace {

namespace fs = std::filesystem;
using testing::control;

std::map<std::string, std::string> dataFilesOf(const std::string& folder) {
  std::map<std::string, std::string> all;
  for (const auto& entry : fs::directory_iterator(folder)) {
    std::ostringstream bytes;
    bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
    if (entry.path().extension() == ".dat") all[entry.path().filename().string()] = bytes.str();
  }
  return all;
}

class DataUpdate : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.file("tmp"));
    qputenv("XDG_DATA_HOME", dir.file("xdg").c_str());
    qputenv("TMPDIR", dir.file("tmp").c_str());
    qputenv("ZUMARO_CA_FILE", server.caFile.c_str());
    // The user's own folder, older than the server's files.
    fs::create_directories(dir.file("xdg"));
    fs::copy(ZUMARO_BUILT_DATA_DIR, user);
    testing::writeBytes(user + "/zumaro-data.txt", "data-date = 2026-04-28\nentries = 146563\n");
  }
  void TearDown() override {
    for (const char* name : {"XDG_DATA_HOME", "TMPDIR", "ZUMARO_CA_FILE", "ZUMARO_DATA_SOURCE_URL"}) qunsetenv(name);
  }
  // Presses the button, the files coming `way` (and 中止 after a while); the message it ends with.
  forms::FormMessage update(forms::SettingsForm& form, const char* way, bool cancel = false) {
    qputenv("ZUMARO_DATA_SOURCE_URL", server.https(way).c_str());
    testing::MessageLog log;
    testing::click(form, "updateDataButton");
    testing::click(form, "updateDataButton");  // while one runs, nothing more starts
    const auto dialogs = form.findChildren<QDialog*>(QStringLiteral("dataUpdateDialog"));
    EXPECT_EQ(dialogs.size(), 1);
    auto* bar = control<QProgressBar>(*dialogs.value(0), "dataUpdateProgress");
    EXPECT_EQ(bar->accessibleName(), QStringLiteral("郵便番号データの更新の進み具合"));
    QObject::connect(bar, &QProgressBar::valueChanged, [this](int value) { furthest = std::max(furthest, value); });
    if (cancel) QTest::qWait(500), testing::click(*dialogs.value(0), "dataUpdateCancel");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !log.messages.empty(); }, 30000));
    EXPECT_TRUE(fs::is_empty(dir.file("tmp")));
    return log.messages.empty() ? forms::FormMessage{} : log.messages.front();
  }

  testing::TempDir dir;
  testing::DownloadServer server{ZUMARO_BUNDLED_JAPANPOST_DIR, dir.file("")};
  const std::string user = dir.file("xdg/zumaro");
  int furthest = 0;  // of the progress bar
};

TEST_F(DataUpdate, RenewsTheUsersFolderTellsWhatChangedAndSwitchesToIt) {
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
  const forms::FormMessage told = update(form, "ok");
  EXPECT_EQ(told.icon, forms::FormMessage::Icon::None);
  EXPECT_TRUE(told.text.startsWith(
      QString::fromStdString("変更点（" + user + " と比べて）:\n  データの日付: 2026-04-28 → 2026-05-26\n")))
      << told.text.toStdString();
  EXPECT_GT(furthest, 50);
  EXPECT_EQ(form.dataFolder(), user);
  EXPECT_TRUE(control<forms::CaptionText>(form, "dataFolderLabel")
                  ->text()
                  .startsWith(QString::fromStdString("郵便番号データ: " + user + "（2026-05-26、146563件）")));
  EXPECT_TRUE(dataFilesOf(user) == dataFilesOf(ZUMARO_BUILT_DATA_DIR));
}

// The folder in use stays as it was, byte for byte, and in use.
TEST_F(DataUpdate, AFailureOrACancelKeepsTheFolderInUse) {
  const auto before = dataFilesOf(user);
  forms::SettingsForm form{user};
  forms::FormMessage told = update(form, "404");
  EXPECT_EQ(told.icon, forms::FormMessage::Icon::Warning);
  EXPECT_TRUE(
      told.text.contains(QStringLiteral("404/ken_all.zip をダウンロードできません（サーバーの応答: HTTP 404）")) &&
      told.text.endsWith(QStringLiteral("\nこれまでのデータを使います。")))
      << told.text.toStdString();
  told = update(form, "silent", true);
  EXPECT_EQ(told.text, QStringLiteral("郵便番号データの更新を中止しました。これまでのデータを使います。"));
  EXPECT_EQ(form.dataFolder(), user);
  EXPECT_TRUE(dataFilesOf(user) == before);
}

}  // namespace
}  // namespace zumaro
