#include "cli/progress_line.h"

#include <string>

namespace zumaro::cli {

void ProgressLine::update(const RunProgress& progress) {
  if (!line_.due()) return;
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  double rate = seconds > 0 ? static_cast<double>(progress.records) / seconds : 0.0;
  double percent = progress.bytesTotal > 0
                       ? 100.0 * static_cast<double>(progress.bytesRead) / static_cast<double>(progress.bytesTotal)
                       : 0.0;
  if (percent > 100.0) percent = 100.0;
  char text[128];
  std::snprintf(text, sizeof text, "%lld件目を処理中  %5.1f%%  %.0f件/秒", static_cast<long long>(progress.recordsRead),
                percent, rate);
  line_.show(text);
}

}  // namespace zumaro::cli
