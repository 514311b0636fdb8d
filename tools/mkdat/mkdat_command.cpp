#include "tools/mkdat/mkdat_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>

#include "run/data_folder.h"
#include "run/messages.h"
#include "tools/mkdat/build_failure.h"
#include "tools/mkdat/build_report.h"
#include "tools/mkdat/postal_data_build.h"

namespace zumaro::mkdat {
namespace {

constexpr int kExitBuilt = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr const char* kDescription =
    "Builds the postal data folder (01.dat .. 23.dat) from Japan Post's published files:\n"
    "KEN_ALL (ken_all.zip, every postal code with its address) and, optionally, JIGYOSYO\n"
    "(jigyosyo.zip, the individual codes of businesses and post-office boxes). Either the\n"
    "zip file or the CSV file inside it may be given, in code page 932 or in Japan Post's\n"
    "UTF-8 edition (utf_ken_all.zip). Without --output it builds the user's own data folder,\n"
    "$XDG_DATA_HOME/zumaro (~/.local/share/zumaro), which zumaro and zumaro-convert use first.";

constexpr const char* kFooter =
    "The files are written into a temporary folder and moved into place when all 23 are\n"
    "complete; a failed build leaves the output folder as it was.\n"
    "\n"
    "Exit status: 0 built, 1 the build failed, 2 wrong options.\n"
    "\n"
    "Example:\n"
    "  zumaro-mkdat --ken-all ken_all.zip --jigyosyo jigyosyo.zip";

void printError(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", toUtf8(kErrorTitle).c_str(), message.c_str());
}

// The user's own folder, with the folders above it made when missing.
bool prepareUserFolder(std::string& output) {
  output = userDataFolder();
  if (output.empty()) {
    printError(
        "利用者の郵便番号データのフォルダが決まりません（HOME も XDG_DATA_HOME もありません）。--output "
        "で指定して下さい。");
    return false;
  }
  std::error_code ec;
  const std::filesystem::path parent = std::filesystem::path(output).parent_path();
  std::filesystem::create_directories(parent, ec);
  if (ec) {
    printError("フォルダ " + parent.string() + " を作成できません（" + ec.message() + "）。");
    return false;
  }
  return true;
}

}  // namespace

int mkdatCommand(int argc, char** argv) {
  CLI::App app(kDescription, "zumaro-mkdat");
  app.footer(kFooter);
  app.get_formatter()->column_width(30);
  BuildOptions options;
  bool quiet = false;
  app.add_option("--ken-all", options.kenAll, "KEN_ALL: ken_all.zip or KEN_ALL.CSV")->type_name("PATH")->required();
  app.add_option("--jigyosyo", options.jigyosyo, "JIGYOSYO: jigyosyo.zip or JIGYOSYO.CSV")->type_name("PATH");
  app.add_option("-o,--output", options.output,
                 "The data folder to write (created when missing); default: the user's own folder")
      ->type_name("DIR");
  app.add_flag("--keep-small-kana", options.keepSmallKana,
               "Keep the small kana of the readings (ｯ, ｬ ...) instead of writing them large");
  app.add_flag("-q,--quiet", quiet, "Print nothing but errors");
  app.set_version_flag("--version", std::string("zumaro-mkdat ") + ZUMARO_VERSION);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }

  if (options.output.empty() && !prepareUserFolder(options.output)) return kExitFailed;

  BuildProgressLine progress(stderr);
  if (!quiet && ::isatty(STDERR_FILENO)) options.onProgress = [&](const BuildProgress& p) { progress.update(p); };
  try {
    BuildSummary summary = buildDataFolder(options);
    progress.clear();
    if (!quiet) printSummary(stdout, options.output, summary);
  } catch (const BuildFailure& e) {
    progress.clear();
    std::fprintf(stderr, "%s: %s\n%s には何も書き込んでいません。\n", toUtf8(kErrorTitle).c_str(), e.what(),
                 options.output.c_str());
    return kExitFailed;
  }
  return kExitBuilt;
}

}  // namespace zumaro::mkdat
