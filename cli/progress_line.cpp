#include "cli/progress_line.h"

namespace zumaro::cli {

void ProgressLine::update(const RunProgress& progress) {
  Clock::time_point now = Clock::now();
  if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100)) return;
  draw(progress, now);
}

void ProgressLine::draw(const RunProgress& progress, Clock::time_point now) {
  double seconds = std::chrono::duration<double>(now - start_).count();
  double rate = seconds > 0 ? static_cast<double>(progress.records) / seconds : 0.0;
  double percent = progress.bytesTotal > 0 ? 100.0 * static_cast<double>(progress.bytesRead) /
                                                 static_cast<double>(progress.bytesTotal)
                                           : 0.0;
  if (percent > 100.0) percent = 100.0;
  std::fprintf(out_, "\r%lld件目を処理中  %5.1f%%  %.0f件/秒\x1b[K", static_cast<long long>(progress.kensu), percent,
               rate);
  std::fflush(out_);
  lastDraw_ = now;
  drawn_ = true;
}

void ProgressLine::clear() {
  if (!drawn_) return;
  std::fputs("\r\x1b[K", out_);
  std::fflush(out_);
  drawn_ = false;
}

}  // namespace zumaro::cli
