#include "cli/convert_command.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <string>

#include "cli/progress_line.h"
#include "lookup/lookup_method.h"
#include "run/conversion_run.h"
#include "run/data_age.h"
#include "run/data_folder.h"
#include "run/data_folder_description.h"
#include "run/messages.h"

namespace zumaro::cli {
namespace {

constexpr int kExitFinished = 0;
constexpr int kExitRunFailed = 1;
constexpr int kExitRefused = 2;

constexpr const char* kDescription =
    "Converts an address list written in half-width katakana readings into written addresses,\n"
    "by looking each record's postal code up in the 23 postal data files (01.dat .. 23.dat).\n"
    "Every value is taken as the text of the settings form's box of the same name; an option\n"
    "not given holds what the box holds when the form opens (\"0\", or empty for the paths).";

constexpr const char* kFooter =
    "Conversion codes for --opt1..--opt7 (add them up, one of each group):\n"
    "  1 upper case, 2 lower case, 3 first letter of each word upper case;\n"
    "  4 half width to full width, 8 full width to half width;\n"
    "  16 hiragana to katakana, 32 katakana to hiragana.\n"
    "\n"
    "Data folder: --data-dir, else $ZUMARO_DATA_DIR, else the user's own folder\n"
    "$XDG_DATA_HOME/zumaro (~/.local/share/zumaro), else share/zumaro of the installed\n"
    "prefix, else (from the build tree) the folder built there from Japan Post's files.\n"
    "\n"
    "Exit status: 0 finished, 1 the run failed, 2 the settings were refused.\n"
    "\n"
    "Example:\n"
    "  zumaro-convert -i list.csv -o out.csv -n 8 --postal 3 --pref 4 --city 5 --building 6";

struct CommandLine {
  std::string input, output, fields, postal, pref, city, town, building, company;
  std::string positionOfFurtherField[kFurtherPairs + 1];    // [n] for --etcN
  std::string conversionOfFurtherField[kFurtherPairs + 1];  // [n] for --optN
  std::string dataDir, unmatched, report;
  std::string lookup = "fast";
  std::string recordPath = "bytes";
  std::string match = "tolerant";
  std::string blocks = "full-width";
  std::string encoding = "auto";
  std::string outputEncoding;
  bool header = false;
  bool fixPostalCode = false;
  bool quiet = false;
};

void describeOptions(CLI::App& app, CommandLine& cl) {
  app.get_formatter()->column_width(24);
  app.add_option("-i,--input", cl.input, "Input file (code page 932 or UTF-8, see --encoding)")->type_name("PATH");
  app.add_option("-o,--output", cl.output, "Output file, created or emptied; - for standard output")->type_name("PATH");
  app.add_option("-n,--fields", cl.fields, "Number of fields of every record (5..50)")->type_name("N");
  app.add_option("--postal", cl.postal, "Position of the postal code field")->type_name("P");
  app.add_option("--pref", cl.pref, "Position of the prefecture field")->type_name("P");
  app.add_option("--city", cl.city, "Position of the city field (city, town area, block number)")->type_name("P");
  app.add_option("--town", cl.town,
                 "Position of a town area field of its own (town area, block number; the city\n"
                 "field then holds the city), as bank and shop lists keep them; 0 (default): none.\n"
                 "Each field gets the written form of what it held; needs --match tolerant")
      ->type_name("P");
  app.add_option("--building", cl.building, "Position of the building name field")->type_name("P");
  app.add_option("--company", cl.company, "Position of the company or organisation name field")->type_name("P");
  for (int k = 1; k <= kFurtherPairs; ++k) {
    std::string n = std::to_string(k);
    app.add_option("--etc" + n, cl.positionOfFurtherField[k], "Position of further field " + n + " to convert")
        ->type_name("P");
    app.add_option("--opt" + n, cl.conversionOfFurtherField[k], "Conversion option of further field " + n)
        ->type_name("O");
  }
  app.add_option("--data-dir", cl.dataDir, "Folder of the postal data files 01.dat .. 23.dat")->type_name("DIR");
  app.add_option("--unmatched", cl.unmatched, "Also write the records no entry was applied to, as read")
      ->type_name("PATH");
  app.add_option("--report", cl.report,
                 "Also write a report of every record that deserves a look, with its reason and\n"
                 "the most likely right postal code and address (UTF-8 CSV, never applied)")
      ->type_name("PATH");
  app.add_option("--lookup", cl.lookup,
                 "How the data files are searched: fast (default, held in memory) or scan (read\n"
                 "sequentially, the reference); both give the same output")
      ->type_name("METHOD")
      ->check(CLI::IsMember({"fast", "scan"}));
  app.add_option("--record-path", cl.recordPath,
                 "How records are carried: bytes (default: fields kept as read, only those the\n"
                 "conversion reads decoded) or decode (every field decoded and encoded again, the\n"
                 "reference); both give the same output")
      ->type_name("PATH")
      ->check(CLI::IsMember({"bytes", "decode"}));
  app.add_option("--match", cl.match,
                 "How readings are compared: tolerant (default: small kana, full-width katakana,\n"
                 "hiragana, spaces and 大字/字 accepted, the longest agreement applied, never a\n"
                 "guess between equals) or classic (the old system's comparison, byte for byte)")
      ->type_name("MODE")
      ->check(CLI::IsMember({"tolerant", "classic"}));
  app.add_option("--blocks", cl.blocks,
                 "How the block and house numbers are written: full-width (default, as read, in\n"
                 "full width) or written (1ｰ2ｰ3 as １－２－３, 1ﾁﾖｳﾒ2ﾊﾞﾝ3ｺﾞｳ as １丁目２番３号)")
      ->type_name("STYLE")
      ->check(CLI::IsMember({"full-width", "written"}));
  app.add_option("--encoding", cl.encoding,
                 "Encoding of the input: auto (default: a byte-order mark, else the first 64 KiB\n"
                 "holding non-ASCII bytes, decide), cp932 or utf-8")
      ->type_name("ENC")
      ->check(CLI::IsMember({"auto", "cp932", "utf-8"}));
  app.add_option("--output-encoding", cl.outputEncoding,
                 "Encoding of the output and of --unmatched: cp932, utf-8 or utf-8-bom\n"
                 "(default: the input's, with a byte-order mark when the input has one)")
      ->type_name("ENC")
      ->check(CLI::IsMember({"cp932", "utf-8", "utf-8-bom"}));
  app.add_flag("--header", cl.header,
               "The first line is a header: written unchanged at the top of the output and of\n"
               "--unmatched, not converted, not counted as a record");
  app.add_flag("--fix-postal-code", cl.fixPostalCode,
               "A record whose postal code converts nothing (missing, unknown, of before 1998 as\n"
               "ddd-dd or ddd, or not the address's) gets the code its reading names, written\n"
               "into its postal-code field in its own notation, when exactly one address under\n"
               "one code agrees best; otherwise it is left as read. A slip in the reading of an\n"
               "existing code keeps that code. Reported as postal-code-fixed (tolerant only)");
  app.add_flag("-q,--quiet", cl.quiet, "Print nothing but errors");
  app.set_version_flag("--version", [&cl] {
    return std::string("zumaro-convert ") + ZUMARO_VERSION + "\n" +
           toUtf8(dataFolderLine(describeDataFolder(findDataFolder(cl.dataDir)), todayDate()));
  });
}

// Which data the run uses, before anything else is printed.
void printDataFolder(const DataFolderChoice& choice) {
  std::fprintf(stderr, "%s\n", toUtf8(dataFolderLine(describeDataFolder(choice.folder), todayDate())).c_str());
  if (std::optional<Text> warning = olderUserDataWarning(choice))
    std::fprintf(stderr, "警告: %s\n", toUtf8(*warning).c_str());
}

SettingsTexts toSettingsTexts(const CommandLine& cl, const CLI::App& app) {
  SettingsTexts t;
  // An option not given keeps the box's initial text; one given, even
  // empty, is taken as typed.
  auto box = [&](const char* name, const std::string& value, const Text& initial) {
    return app.count(name) > 0 ? fromUtf8(value) : initial;
  };
  t.inputPath = fromUtf8(cl.input);
  t.outputPath = fromUtf8(cl.output);
  t.fieldCount = box("--fields", cl.fields, t.fieldCount);
  t.postalCodePosition = box("--postal", cl.postal, t.postalCodePosition);
  t.prefecturePosition = box("--pref", cl.pref, t.prefecturePosition);
  t.cityPosition = box("--city", cl.city, t.cityPosition);
  t.buildingPosition = box("--building", cl.building, t.buildingPosition);
  t.townPosition = box("--town", cl.town, t.townPosition);
  t.companyPosition = box("--company", cl.company, t.companyPosition);
  for (int k = 1; k <= kFurtherPairs; ++k) {
    std::string n = std::to_string(k);
    t.positionOfFurtherField[k] = box(("--etc" + n).c_str(), cl.positionOfFurtherField[k], t.positionOfFurtherField[k]);
    t.conversionOfFurtherField[k] =
        box(("--opt" + n).c_str(), cl.conversionOfFurtherField[k], t.conversionOfFurtherField[k]);
  }
  return t;
}

void printError(const Text& message) {
  std::fprintf(stderr, "%s: %s\n", toUtf8(kErrorTitle).c_str(), toUtf8(message).c_str());
}

}  // namespace

int convertCommand(int argc, char** argv) {
  CLI::App app(kDescription, "zumaro-convert");
  app.footer(kFooter);
  CommandLine cl;
  describeOptions(app, cl);
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return kExitRefused;
  }

  SettingsTexts texts = toSettingsTexts(cl, app);
  ConversionState state;
  RunRequest request;
  const DataFolderChoice dataFolder = chooseDataFolder(cl.dataDir);
  if (!cl.quiet) printDataFolder(dataFolder);
  request.dataFolder = dataFolder.folder;
  request.unmatchedPath = cl.unmatched;
  request.reportPath = cl.report;
  request.dashIsStandardOutput = true;
  request.lookup = *lookupMethodNamed(cl.lookup);
  request.recordPath = *recordPathNamed(cl.recordPath);
  request.match = cl.match == "classic" ? MatchMode::Classic : MatchMode::Tolerant;
  request.blocks = cl.blocks == "written" ? BlockStyle::Written : BlockStyle::FullWidth;
  request.encoding = *encodingChoiceNamed(cl.encoding);
  if (!cl.outputEncoding.empty()) request.outputEncoding = encodingNamed(cl.outputEncoding);
  request.header = cl.header;
  request.fixPostalCode = cl.fixPostalCode;
  const bool showProgress = !cl.quiet && ::isatty(STDERR_FILENO);
  ProgressLine progress(stderr);
  if (showProgress) request.onRecord = [&](const RunProgress& p) { progress.update(p); };

  RunOutcome outcome = runConversion(state, texts, request);
  progress.clear();
  if (!cl.quiet) {
    for (const Text& warning : outcome.warnings) std::fprintf(stderr, "警告: %s\n", toUtf8(warning).c_str());
  }
  switch (outcome.status) {
    case RunOutcome::Status::Refused:
      printError(outcome.message);
      return kExitRefused;
    case RunOutcome::Status::Failed:
      printError(outcome.message);
      if (!cl.quiet && outcome.recordsWritten > 0)
        std::fprintf(stderr, "出力済みのレコード: %lld件\n", static_cast<long long>(outcome.recordsWritten));
      return kExitRunFailed;
    case RunOutcome::Status::Finished:
      break;
  }
  if (!cl.quiet) {
    std::fprintf(stderr, "%s\n", toUtf8(kRunFinished).c_str());
    std::fprintf(stderr, "%s\n", toUtf8(summaryLine(outcome)).c_str());
  }
  return kExitFinished;
}

}  // namespace zumaro::cli
