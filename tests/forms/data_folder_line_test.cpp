// The data folder on the settings form: the line the command line prints,
// red with a reason for a folder that cannot serve real work, and the
// folder the user chose kept for the next session.
#include <gtest/gtest.h>

#include <QSettings>
#include <cstdlib>

#include "forms/caption_text.h"
#include "forms/form_harness.h"
#include "forms/form_style.h"
#include "forms/remembered_data_folder.h"
#include "forms/settings_form.h"
#include "run/data_folder.h"
#include "testing/temp_dir.h"

namespace zumaro {
namespace {

using testing::control;

struct FolderCase {
  const char* what;
  std::string folder;
  QString line;     // the whole first line
  QString problem;  // the start of the second line; empty: none, and black
};

TEST(DataFolderLine, ShowsWhichDataTheRunUsesAndWhatIsWrongWithThem) {
  testing::TempDir empty;
  const std::string full = ZUMARO_BUILT_DATA_DIR;
  const FolderCase cases[] = {
      {"full data", full, QString::fromStdString("郵便番号データ: " + full + "（2026-05-26、146563件）"), {}},
      {"sample", ZUMARO_SAMPLE_DATA_DIR,
       QString::fromStdString(std::string("郵便番号データ: ") + ZUMARO_SAMPLE_DATA_DIR + "（日付不明、405件）"),
       QStringLiteral("405件の見本データです。")},
      {"missing folder", "/nonexistent/zumaro",
       QStringLiteral("郵便番号データ: /nonexistent/zumaro（フォルダがありません）"),
       QStringLiteral("このフォルダはありません。")},
      {"folder without data files", empty.path().string(),
       QString::fromStdString("郵便番号データ: " + empty.path().string() + "（日付不明、0件）"),
       QStringLiteral("データファイル（01.dat～23.dat）が揃っていません。")},
  };
  for (const FolderCase& c : cases) {
    SCOPED_TRACE(c.what);
    forms::SettingsForm form{c.folder};
    auto* line = control<forms::CaptionText>(form, "dataFolderLabel");
    ASSERT_NE(line, nullptr);
    const QStringList lines = line->text().split(QLatin1Char('\n'));
    EXPECT_EQ(lines.first(), c.line);
    EXPECT_EQ(line->accessibleName(), line->text());
    const QColor colour = line->palette().color(QPalette::WindowText);
    if (c.problem.isEmpty()) {
      EXPECT_EQ(lines.size(), 1);
      EXPECT_EQ(colour, QColor(Qt::black));
    } else {
      ASSERT_EQ(lines.size(), 2);
      EXPECT_TRUE(lines[1].startsWith(c.problem)) << lines[1].toStdString();
      EXPECT_EQ(colour, forms::kLegendRed);
    }
  }
}

TEST(DataFolderLine, AnotherFolderIsShownAtOnce) {
  forms::SettingsForm form{ZUMARO_SAMPLE_DATA_DIR};
  form.setDataFolder(ZUMARO_BUILT_DATA_DIR);
  EXPECT_EQ(form.dataFolder(), ZUMARO_BUILT_DATA_DIR);
  auto* line = control<forms::CaptionText>(form, "dataFolderLabel");
  EXPECT_TRUE(line->text().endsWith(QStringLiteral("146563件）"))) << line->text().toStdString();
  EXPECT_EQ(line->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST(DataFolderLine, StaleDataAreShownInOrangeWithTheirAge) {
  const std::string saved = std::getenv("ZUMARO_TODAY") ? std::getenv("ZUMARO_TODAY") : "";
  for (const char* today : {"2026-07-27", "2026-07-28"}) {
    ::setenv("ZUMARO_TODAY", today, 1);
    forms::SettingsForm form{ZUMARO_BUILT_DATA_DIR};
    auto* line = control<forms::CaptionText>(form, "dataFolderLabel");
    const bool stale = today[9] == '8';
    EXPECT_EQ(line->text(), QString::fromStdString(
                                std::string("郵便番号データ: ") + ZUMARO_BUILT_DATA_DIR + "（2026-05-26、146563件" +
                                (stale ? "、63日前のデータです。zumaro-mkdat --download で更新できます）" : "）")));
    EXPECT_EQ(line->palette().color(QPalette::WindowText), stale ? forms::kStaleOrange : QColor(Qt::black));
  }
  ::setenv("ZUMARO_TODAY", saved.c_str(), 1);
}

// The tests' settings live in a folder of their own (form_test_main).
TEST(RememberedDataFolder, TheChosenFolderComesBackAndWithoutOneTheConvertersChoice) {
  QSettings(QStringLiteral("Zumaro"), QStringLiteral("Zumaro")).clear();
  EXPECT_EQ(forms::initialDataFolder(), chooseDataFolder("").folder);
  forms::rememberDataFolder("/data/japan post");
  EXPECT_EQ(forms::initialDataFolder(), "/data/japan post");
  QSettings(QStringLiteral("Zumaro"), QStringLiteral("Zumaro")).clear();
}

}  // namespace
}  // namespace zumaro
