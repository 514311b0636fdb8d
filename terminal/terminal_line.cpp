#include "terminal/terminal_line.h"

namespace zumaro::cli {

bool TerminalLine::due() const { return !drawn_ || Clock::now() - lastDraw_ >= std::chrono::milliseconds(100); }

void TerminalLine::show(const std::string& text) {
  std::fprintf(out_, "\r%s\x1b[K", text.c_str());
  std::fflush(out_);
  lastDraw_ = Clock::now();
  drawn_ = true;
}

void TerminalLine::clear() {
  if (!drawn_) return;
  std::fputs("\r\x1b[K", out_);
  std::fflush(out_);
  drawn_ = false;
}

}  // namespace zumaro::cli
