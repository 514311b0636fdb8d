#include "tools/mkdat/mkdat_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>

#include "run/data_folder.h"
#include "run/messages.h"
#include "tools/mkdat/build_failure.h"
#include "tools/mkdat/build_report.h"
#include "tools/mkdat/postal_data_build.h"
#include "tools/mkdat/postal_download.h"

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
    "$XDG_DATA_HOME/zumaro (~/.local/share/zumaro), which zumaro and zumaro-convert use first.\n"
    "With --download it fetches the two files from Japan Post over HTTPS instead and tells\n"
    "what changed against the folder it replaces.";

constexpr const char* kFooter =
    "The files are written into a temporary folder and moved into place when all 23 are\n"
    "complete; a failed build leaves the output folder as it was.\n"
    "\n"
    "Exit status: 0 built, 1 the build failed, 2 wrong options.\n"
    "\n"
    "Examples:\n"
    "  zumaro-mkdat --ken-all ken_all.zip --jigyosyo jigyosyo.zip\n"
    "  zumaro-mkdat --download";

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

volatile std::sig_atomic_t stopRequested = 0;

void requestStop(int) { stopRequested = 1; }

struct DownloadChoices {
  bool download = false;
  bool utf8 = false;
  std::string kenAllUrl, jigyosyoUrl, utf8Url, sourceUrl;
  bool progressLines = false;
};

// The folder the new one replaces: the output named, else the user's own
// folder, else the one the programs used until now. Empty when none exists.
std::string previousFolder(const std::string& output, bool outputNamed) {
  std::error_code ec;
  if (outputNamed) return std::filesystem::is_directory(output, ec) ? output : std::string();
  if (std::filesystem::is_directory(output, ec)) return output;
  const std::string used = chooseDataFolder("").folder;
  return std::filesystem::is_directory(used, ec) ? used : std::string();
}

std::string withSlash(std::string base) {
  if (!base.empty() && base.back() != '/') base += '/';
  return base;
}

void printChanges(const std::string& previous, const DownloadOutcome& o) {
  if (!o.changes) {
    std::printf("変更点: 置き換える郵便番号データがないため、比べていません。\n");
    return;
  }
  auto count = [](long long added, long long removed) { std::printf("%lld件追加、%lld件削除\n", added, removed); };
  std::printf("変更点（%s と比べて）:\n", previous.c_str());
  std::printf("  データの日付: %s → %s\n", o.previousDate.empty() ? "日付不明" : o.previousDate.c_str(),
              o.summary.dataDate.c_str());
  std::printf("  郵便番号: ");
  count(o.changes->codesAdded, o.changes->codesRemoved);
  std::printf("  住所（郵便番号と書き方）: ");
  count(o.changes->addressesAdded, o.changes->addressesRemoved);
}

int downloadCommand(const DownloadChoices& c, PostalDownload request, bool outputNamed, bool quiet) {
  const std::string base = withSlash(c.sourceUrl);
  auto pick = [&](const std::string& given, const char* name, const char* fallback) {
    return !given.empty() ? given : !base.empty() ? base + name : std::string(fallback);
  };
  request.utf8 = c.utf8;
  request.kenAllUrl =
      c.utf8 ? pick(c.utf8Url, "utf_ken_all.zip", kUtf8KenAllUrl) : pick(c.kenAllUrl, "ken_all.zip", kKenAllUrl);
  request.jigyosyoUrl = pick(c.jigyosyoUrl, "jigyosyo.zip", kJigyosyoUrl);
  request.previous = previousFolder(request.build.output, outputNamed);

  // Interrupted, it stops between steps so that the temporary files go too.
  std::signal(SIGINT, requestStop);
  std::signal(SIGTERM, requestStop);
  request.download.onProgress = [](int64_t, int64_t) { return stopRequested == 0; };
  BuildProgressLine line(stderr);
  const bool onTerminal = !quiet && ::isatty(STDERR_FILENO);
  request.build.onProgress = [&](const BuildProgress& p) {
    if (stopRequested) throw BuildFailure("中止しました。");
    if (onTerminal) line.update(p);
    if (c.progressLines && p.fraction >= 0) {
      std::fprintf(stderr, "progress %d %s\n", static_cast<int>(100 * p.fraction), p.what);
      std::fflush(stderr);
    }
  };
  try {
    DownloadOutcome outcome = downloadAndBuild(request);
    line.clear();
    if (outcome.current) {
      if (!quiet)
        std::printf("zumaro-mkdat: 郵便番号データは最新です（%s、%s）。何も変更していません。\n",
                    request.previous.c_str(), outcome.previousDate.c_str());
      return kExitBuilt;
    }
    if (!quiet) {
      printSummary(stdout, request.build.output, outcome.summary);
      printChanges(request.previous, outcome);
    }
  } catch (const BuildFailure& e) {
    line.clear();
    std::fprintf(stderr, "%s: %s\n%s には何も書き込んでいません。\n", toUtf8(kErrorTitle).c_str(), e.what(),
                 request.build.output.c_str());
    return kExitFailed;
  }
  return kExitBuilt;
}

}  // namespace

int mkdatCommand(int argc, char** argv) {
  CLI::App app(kDescription, "zumaro-mkdat");
  app.footer(kFooter);
  app.get_formatter()->column_width(30);
  BuildOptions options;
  PostalDownload request;
  DownloadChoices download;
  bool quiet = false;
  CLI::Option* kenAll =
      app.add_option("--ken-all", options.kenAll, "KEN_ALL: ken_all.zip or KEN_ALL.CSV")->type_name("PATH");
  CLI::Option* jigyosyo =
      app.add_option("--jigyosyo", options.jigyosyo, "JIGYOSYO: jigyosyo.zip or JIGYOSYO.CSV")->type_name("PATH");
  CLI::Option* fetch = app.add_flag("--download", download.download,
                                    "Fetch ken_all.zip and jigyosyo.zip from Japan Post (HTTPS) and build from them");
  fetch->excludes(kenAll)->excludes(jigyosyo);
  app.add_option("--ken-all-url", download.kenAllUrl,
                 std::string("With --download: KEN_ALL's address\n(") + kKenAllUrl + ")")
      ->type_name("URL");
  app.add_option("--jigyosyo-url", download.jigyosyoUrl,
                 std::string("With --download: JIGYOSYO's address\n(") + kJigyosyoUrl + ")")
      ->type_name("URL");
  app.add_option("--utf8-url", download.utf8Url,
                 std::string("With --download --utf8: the UTF-8 edition's address\n(") + kUtf8KenAllUrl + ")")
      ->type_name("URL");
  app.add_option("--source-url", download.sourceUrl,
                 "With --download: BASE followed by ken_all.zip, jigyosyo.zip, utf_ken_all.zip\n"
                 "stands for each address not given")
      ->type_name("BASE");
  app.add_flag("--utf8", download.utf8, "With --download: fetch the UTF-8 edition of KEN_ALL (utf_ken_all.zip)");
  app.add_option("--ca-file", request.download.caFile,
                 "With --download: trust the certificate authorities of this PEM file\n"
                 "instead of the system's")
      ->type_name("PATH");
  app.add_option("--timeout", request.download.timeoutSeconds,
                 "With --download: seconds to wait for a connection, and at most without\n"
                 "data during a transfer (default 30)")
      ->type_name("SECONDS")
      ->check(CLI::PositiveNumber);
  app.add_flag("--progress-lines", download.progressLines,
               "With --download: one line per step on standard error, \"progress <percent>\n"
               "<step>\", for a program that runs zumaro-mkdat");
  app.add_option("-o,--output", options.output,
                 "The data folder to write (created when missing); default: the user's own folder")
      ->type_name("DIR");
  app.add_flag("--keep-small-kana", options.keepSmallKana,
               "Keep the small kana of the readings (ｯ, ｬ ...) instead of writing them large");
  app.add_flag("-q,--quiet", quiet, "Print nothing but errors");
  // An address or authority without --download would be passed over in silence.
  for (const char* name : {"--ken-all-url", "--jigyosyo-url", "--utf8-url", "--source-url", "--utf8", "--ca-file",
                           "--timeout", "--progress-lines"})
    app.get_option(name)->needs(fetch);
  app.set_version_flag("--version", std::string("zumaro-mkdat ") + ZUMARO_VERSION);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitUsage;
  }
  if (!download.download && options.kenAll.empty()) {
    app.exit(CLI::RequiredError("--ken-all"));
    return kExitUsage;
  }

  const bool outputNamed = !options.output.empty();
  if (options.output.empty() && !prepareUserFolder(options.output)) return kExitFailed;
  if (download.download) {
    request.build = options;
    return downloadCommand(download, request, outputNamed, quiet);
  }

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
