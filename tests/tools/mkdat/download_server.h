#pragma once
// The local stand-in for Japan Post's download addresses
// (download_server.py): started for a test, stopped with it.
#include <sys/types.h>
#include <string>

namespace zumaro::testing {

class DownloadServer {
 public:
  // Serves the zip files of `zipFolder`; its certificate goes to `workFolder`.
  DownloadServer(const std::string& zipFolder, const std::string& workFolder);
  ~DownloadServer();
  DownloadServer(const DownloadServer&) = delete;
  DownloadServer& operator=(const DownloadServer&) = delete;

  // "https://127.0.0.1:<port>/<way>/", way naming how the files come (ok, html, ...).
  std::string https(const std::string& way) const;
  std::string http(const std::string& way) const;
  // The authority that signed the server's certificate (PEM).
  const std::string& caFile() const { return caFile_; }

 private:
  pid_t pid_ = -1;
  int httpsPort_ = 0, httpPort_ = 0;
  std::string caFile_;
};

}  // namespace zumaro::testing
