// zumaro-bench: converts the benchmark lists with both lookups and with the
// codec floor, all on this machine in one go, and prints the table.
//   zumaro-bench BIN-DIR WORK-DIR NAME=DATA-FOLDER:LIST-FOLDER ...
// A list folder holds <records>-sorted.csv and <records>-unsorted.csv.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "bench/child_run.h"
#include "bench/list_generator.h"
#include "lookup/range_table.h"
#include "text/text.h"

namespace zumaro::bench {
namespace {

namespace fs = std::filesystem;

constexpr long kSizes[] = {10000, 100000, 1000000};
// The scan rereads a data file for nearly every unsorted record; on a full
// folder a longer list would take hours.
constexpr long kScanRecords = 10000;
// The classic comparison, side by side with the default tolerant one.
constexpr long kClassicRecords = 1000000;
// The fast runs and the floor are timed this often and the quickest taken,
// so that a moment of other load on the machine does not count.
constexpr int kRepeats = 3;
// The start-up run is short: more tries find a quiet moment.
constexpr int kStartRepeats = 7;
// ICU's converter for code page 932, as the reference floor names it.
constexpr const char* kIcuCodePage = "ibm-943_P15A-2003";
// The run with --report is timed beside the plain one on the longest lists,
// whose 10 % unknown codes all go through the reading search.
constexpr long kReportRecords = 1000000;
// So is the run that fixes those codes from the reading.
constexpr long kFixRecords = 1000000;

struct Folder {
  std::string name, data, lists;
};

struct Row {
  std::string folder;
  long records;
  std::string order, lookup;
  ChildRun run, floor;
};

// The reference floor and the start-up of one folder.
struct FolderRuns {
  std::string folder;
  ChildRun uconv;    // ICU's uconv decoding the 1,000,000 unsorted list to UTF-16 and encoding it back
  ChildRun startUp;  // a 23-record list, one record in each data file's range
};

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

uint64_t folderBytes(const std::string& folder) {
  uint64_t total = 0;
  for (const auto& e : fs::directory_iterator(folder))
    if (e.is_regular_file() && e.path().extension() == ".dat") total += e.file_size();
  return total;
}

std::vector<std::string> splitWords(const std::string& text) {
  std::vector<std::string> words;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    if (end > at) words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

class Bench {
 public:
  Bench(std::string bin, std::string work) : bin_(std::move(bin)), work_(std::move(work)) {
    fs::create_directories(work_);
  }

  void measure(const Folder& f) {
    for (long size : kSizes) {
      for (const char* order : {"sorted", "unsorted"}) {
        const std::string list = f.lists + "/" + std::to_string(size) + "-" + order + ".csv";
        if (!fs::exists(list)) continue;
        std::fprintf(stderr, "  %s %ld %s ...\n", f.name.c_str(), size, order);
        const ChildRun floor = quickest([&] {
          fs::remove(work_ + "/floor.csv");
          return checked(runChild({bin_ + "/zumaro-codec-floor", list, work_ + "/floor.csv"}), "floor");
        });
        const auto convertFast = [&] { return convert(f, list, "fast", work_ + "/fast.csv"); };
        const bool againstUconv = size == 1000000 && std::string(order) == "unsorted";
        ChildRun fastRun, uconvRun;
        if (againstUconv) {
          std::tie(fastRun, uconvRun) = quickestTurnAbout(convertFast, [&] { return uconvFloor(list); });
        } else {
          fastRun = quickest(convertFast);
        }
        rows_.push_back({f.name, size, order, "fast", fastRun, floor});
        if (againstUconv) {
          rows_.push_back({f.name, size, order, "decode", quickest([&] {
                             return convert(f, list, "fast", work_ + "/decode.csv", {"--record-path", "decode"});
                           }),
                           floor});
          if (readFile(work_ + "/fast.csv") != readFile(work_ + "/decode.csv"))
            differing_.push_back(list + " (decode)");
          runs_.push_back({f.name, uconvRun, {}});
        }
        if (size == kClassicRecords) {
          Row classic{f.name,
                      size,
                      order,
                      "classic",
                      quickest([&] {
                        return convert(f, list, "fast", work_ + "/classic.csv", {"--match", "classic"});
                      }),
                      floor};
          rows_.push_back(classic);
        }
        if (size == kReportRecords) {
          rows_.push_back(
              {f.name, size, order, "report", quickest([&] {
                 fs::remove(work_ + "/report.csv");
                 return convert(f, list, "fast", work_ + "/report-out.csv", {"--report", work_ + "/report.csv"});
               }),
               floor});
        }
        if (size == kFixRecords) {
          rows_.push_back({f.name, size, order, "fix", quickest([&] {
                             return convert(f, list, "fast", work_ + "/fix-out.csv", {"--fix-postal-code"});
                           }),
                           floor});
        }
        if (size != kScanRecords) continue;
        Row scan{f.name, size, order, "scan", convert(f, list, "scan", work_ + "/scan.csv"), floor};
        rows_.push_back(scan);
        if (readFile(work_ + "/fast.csv") != readFile(work_ + "/scan.csv")) differing_.push_back(list);
      }
    }
    for (const char* name : {"/floor.csv", "/fast.csv", "/scan.csv", "/classic.csv", "/decode.csv", "/uconv.csv",
                             "/uconv-utf16.txt", "/report-out.csv", "/report.csv", "/fix-out.csv"})
      fs::remove(work_ + name);
    measureStartUp(f);
  }

  // One record in each data file's range: every file is opened and loaded.
  void measureStartUp(const Folder& f) {
    std::string list;
    for (int k = 1; k <= 23; ++k) {
      const std::string code = toUtf8(postalRange(k).lower);
      list += std::to_string(k) + ",name," + code.substr(0, 3) + "-" + code.substr(3) + ",,,,,,,\r\n";
    }
    const std::string path = work_ + "/start-up.csv";
    std::ofstream(path, std::ios::binary) << list;
    std::fprintf(stderr, "  %s start-up ...\n", f.name.c_str());
    ChildRun best = convert(f, path, "fast", work_ + "/start-up-out.csv");
    for (int i = 1; i < kStartRepeats; ++i) {
      const ChildRun next = convert(f, path, "fast", work_ + "/start-up-out.csv");
      if (next.wallSeconds < best.wallSeconds) best = next;
    }
    for (FolderRuns& r : runs_)
      if (r.folder == f.name) r.startUp = best;
    if (runs_.empty() || runs_.back().folder != f.name) runs_.push_back({f.name, {}, best});
    fs::remove(path);
    fs::remove(work_ + "/start-up-out.csv");
  }

  // ICU's converter decoding the list to UTF-16 and encoding it back, one
  // after the other as the conversion does, through a file.
  ChildRun uconvFloor(const std::string& list) {
    const std::string utf16 = work_ + "/uconv-utf16.txt", out = work_ + "/uconv.csv";
    fs::remove(utf16);
    fs::remove(out);
    const std::string command = std::string("uconv -f ") + kIcuCodePage + " -t UTF-16 '" + list + "' > '" + utf16 +
                                "' && uconv -f UTF-16 -t " + kIcuCodePage + " '" + utf16 + "' > '" + out + "'";
    return checked(runChild({"/bin/sh", "-c", command}), "uconv");
  }

  void print(const std::vector<Folder>& folders) const {
    std::printf("%-10s %9s %-8s %-7s %9s %8s %12s %9s %8s %9s\n", "data", "records", "order", "run", "wall s", "cpu s",
                "records/s", "floor s", "x floor", "peak MiB");
    for (const Row& r : rows_) {
      std::printf("%-10s %9ld %-8s %-7s %9.2f %8.2f %12.0f %9.2f %8.2f %9.1f\n", r.folder.c_str(), r.records,
                  r.order.c_str(), r.lookup.c_str(), r.run.wallSeconds, r.run.cpuSeconds,
                  static_cast<double>(r.records) / r.run.wallSeconds, r.floor.wallSeconds,
                  r.run.wallSeconds / r.floor.wallSeconds, static_cast<double>(r.run.peakRssKiB) / 1024.0);
    }
    std::printf("\nscan: measured on the %ld-record lists only (it rereads the data files for nearly every record).\n",
                kScanRecords);
    std::printf("floor: the same list decoded from code page 932, encoded again and written, nothing else.\n");
    std::printf("classic: the fast lookup with --match classic, on the %ld-record lists.\n", kClassicRecords);
    std::printf("report: the fast lookup with --report (the reading search built, every row written).\n");
    std::printf("fix: the fast lookup with --fix-postal-code (the reading search built, unknown codes fixed).\n");
    std::printf("fast, classic, decode, report and floor: the quickest of %d runs each; scan: one run.\n", kRepeats);
    std::printf(
        "ICU uconv floor: uconv -f %s -t UTF-16, then back, through a file; the quickest of %d runs, taken turn about "
        "with the fast runs of the same list.\n",
        kIcuCodePage, kRepeats);
    std::printf("x floor: wall time of the conversion / wall time of the floor on the same list.\n");
    std::printf("decode: the fast lookup with --record-path decode (every field decoded and encoded again).\n");
    for (const Folder& f : folders) goals(f);
    if (differing_.empty()) {
      std::printf("outputs: fast and scan wrote identical files on every list both ran.\n");
    } else {
      for (const std::string& list : differing_) std::printf("outputs: fast and scan DIFFER on %s\n", list.c_str());
    }
  }

  bool failed() const { return !differing_.empty(); }

 private:
  // Every output is a new file: ext4 writes a file that was emptied and
  // written again back to disk when it is closed, which would be timed.
  ChildRun convert(const Folder& f, const std::string& list, const char* lookup, const std::string& out,
                   const std::vector<std::string>& more = {}) {
    fs::remove(out);
    std::vector<std::string> argv = {
        bin_ + "/zumaro-convert", "-q", "--input", list, "--output", out, "--data-dir", f.data, "--lookup", lookup};
    for (const std::string& w : splitWords(kListSettings)) argv.push_back(w);
    argv.insert(argv.end(), more.begin(), more.end());
    return checked(runChild(argv), "zumaro-convert");
  }

  // The quickest of kRepeats runs of each of two, taken turn about: the
  // host's speed drifts over a bench run, and a ratio of the two is fair
  // only when both met the same moments.
  template <class RunA, class RunB>
  static std::pair<ChildRun, ChildRun> quickestTurnAbout(RunA a, RunB b) {
    ChildRun bestA = a(), bestB = b();
    for (int i = 1; i < kRepeats; ++i) {
      const ChildRun nextA = a(), nextB = b();
      const long peakA = std::max(bestA.peakRssKiB, nextA.peakRssKiB);
      if (nextA.wallSeconds < bestA.wallSeconds) bestA = nextA;
      bestA.peakRssKiB = peakA;
      if (nextB.wallSeconds < bestB.wallSeconds) bestB = nextB;
    }
    return {bestA, bestB};
  }

  // The quickest of kRepeats runs, with the highest peak memory of them.
  template <class Run>
  static ChildRun quickest(Run run) {
    ChildRun best = run();
    for (int i = 1; i < kRepeats; ++i) {
      const ChildRun next = run();
      const long peak = std::max(best.peakRssKiB, next.peakRssKiB);
      if (next.wallSeconds < best.wallSeconds) best = next;
      best.peakRssKiB = peak;
    }
    return best;
  }

  static ChildRun checked(ChildRun run, const char* what) {
    if (run.exitStatus != 0) {
      std::fprintf(stderr, "%s failed (status %d)\n", what, run.exitStatus);
      std::exit(1);
    }
    return run;
  }

  const Row* find(const std::string& folder, long records, const std::string& order, const std::string& lookup) const {
    for (const Row& r : rows_)
      if (r.folder == folder && r.records == records && r.order == order && r.lookup == lookup) return &r;
    return nullptr;
  }

  void goals(const Folder& f) const {
    const double dataMiB = static_cast<double>(folderBytes(f.data)) / (1024.0 * 1024.0);
    const double limitMiB = 3 * dataMiB + 64;
    std::printf("\n%s: data folder %.1f MiB\n", f.name.c_str(), dataMiB);
    for (const char* order : {"unsorted", "sorted"}) {
      const Row* plain = find(f.name, kReportRecords, order, "fast");
      const Row* report = find(f.name, kReportRecords, order, "report");
      if (plain && report)
        std::printf("  1,000,000 %s with --report / without: %.2f x wall, %.2f x cpu (goal: at most 1.5)\n", order,
                    report->run.wallSeconds / plain->run.wallSeconds, report->run.cpuSeconds / plain->run.cpuSeconds);
      if (const Row* fix = find(f.name, kFixRecords, order, "fix"); plain && fix)
        std::printf("  1,000,000 %s with --fix-postal-code / without: %.2f x wall, %.2f x cpu (goal: at most 1.5)\n",
                    order, fix->run.wallSeconds / plain->run.wallSeconds, fix->run.cpuSeconds / plain->run.cpuSeconds);
    }
    const Row* fast = find(f.name, 1000000, "unsorted", "fast");
    const FolderRuns* runs = runsOf(f.name);
    if (fast) {
      std::printf("  1,000,000 unsorted, whole run: %.2f s wall, %.2f s cpu\n", fast->run.wallSeconds,
                  fast->run.cpuSeconds);
      if (runs && runs->uconv.wallSeconds > 0)
        std::printf("    x ICU uconv floor (%.2f s wall, %.2f s cpu): %.2f wall, %.2f cpu (goal: at most 1.0)\n",
                    runs->uconv.wallSeconds, runs->uconv.cpuSeconds, fast->run.wallSeconds / runs->uconv.wallSeconds,
                    fast->run.cpuSeconds / runs->uconv.cpuSeconds);
      std::printf(
          "    x the bench's codec floor (%.2f s wall, %.2f s cpu): %.2f wall, %.2f cpu (goal before: at most 2)\n",
          fast->floor.wallSeconds, fast->floor.cpuSeconds, fast->run.wallSeconds / fast->floor.wallSeconds,
          fast->run.cpuSeconds / fast->floor.cpuSeconds);
      if (const Row* decode = find(f.name, 1000000, "unsorted", "decode"))
        std::printf("    x --record-path decode (%.2f s wall, %.2f s cpu): %.2f wall, %.2f cpu\n",
                    decode->run.wallSeconds, decode->run.cpuSeconds, fast->run.wallSeconds / decode->run.wallSeconds,
                    fast->run.cpuSeconds / decode->run.cpuSeconds);
    }
    if (runs && runs->startUp.wallSeconds > 0)
      std::printf(
          "  start-up, 23 records, one in each data file's range: %.0f ms wall, %.0f ms cpu (goal: at most 80 ms)\n",
          runs->startUp.wallSeconds * 1000, runs->startUp.cpuSeconds * 1000);
    if (const Row* classic = find(f.name, kClassicRecords, "unsorted", "classic"); fast && classic)
      std::printf("  1,000,000 unsorted, tolerant / classic comparison: %.2f x wall, %.2f x cpu (goal: at most 1.2)\n",
                  fast->run.wallSeconds / classic->run.wallSeconds, fast->run.cpuSeconds / classic->run.cpuSeconds);
    const Row* scan = find(f.name, kScanRecords, "unsorted", "scan");
    if (fast && scan) {
      const double ratio = (1000000.0 / fast->run.wallSeconds) / (kScanRecords / scan->run.wallSeconds);
      std::printf("  unsorted records/s, fast (1,000,000) / scan (%ld): %.0f x (goal: at least 100)\n", kScanRecords,
                  ratio);
    }
    long least = 0, most = 0;
    for (const Row& r : rows_) {
      if (r.folder != f.name || r.lookup != "fast") continue;
      least = least == 0 ? r.run.peakRssKiB : std::min(least, r.run.peakRssKiB);
      most = std::max(most, r.run.peakRssKiB);
    }
    std::printf(
        "  peak memory of the fast lookup: %.1f to %.1f MiB over all list sizes (limit 3 x data + 64 = %.1f MiB)\n",
        least / 1024.0, most / 1024.0, limitMiB);
  }

  const FolderRuns* runsOf(const std::string& folder) const {
    for (const FolderRuns& r : runs_)
      if (r.folder == folder) return &r;
    return nullptr;
  }

  std::string bin_, work_;
  std::vector<Row> rows_;
  std::vector<FolderRuns> runs_;
  std::vector<std::string> differing_;
};

bool parseFolder(const std::string& arg, Folder& f) {
  const size_t eq = arg.find('='), colon = arg.find(':', eq == std::string::npos ? 0 : eq);
  if (eq == std::string::npos || colon == std::string::npos) return false;
  f = {arg.substr(0, eq), arg.substr(eq + 1, colon - eq - 1), arg.substr(colon + 1)};
  return true;
}

}  // namespace
}  // namespace zumaro::bench

int main(int argc, char** argv) {
  using namespace zumaro::bench;
  std::vector<Folder> folders;
  bool understood = argc >= 4;
  for (int i = 3; i < argc && understood; ++i) {
    Folder f;
    understood = parseFolder(argv[i], f);
    folders.push_back(f);
  }
  if (!understood) {
    std::fprintf(stderr, "usage: zumaro-bench BIN-DIR WORK-DIR NAME=DATA-FOLDER:LIST-FOLDER ...\n");
    return 2;
  }
  Bench bench(argv[1], argv[2]);
  for (const Folder& f : folders) bench.measure(f);
  bench.print(folders);
  return bench.failed() ? 1 : 0;
}
