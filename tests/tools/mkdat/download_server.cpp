#include "tools/mkdat/download_server.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace zumaro::testing {

DownloadServer::DownloadServer(const std::string& zipFolder, const std::string& workFolder)
    : caFile_(workFolder + "/cert.pem") {
  int out[2];
  if (::pipe(out) != 0) throw std::runtime_error("pipe");
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    ::execlp("python3", "python3", ZUMARO_DOWNLOAD_SERVER, zipFolder.c_str(), workFolder.c_str(), nullptr);
    ::_exit(127);
  }
  ::close(out[1]);
  std::FILE* ports = ::fdopen(out[0], "r");
  const int read = std::fscanf(ports, "%d %d", &httpsPort_, &httpPort_);
  std::fclose(ports);
  if (read != 2) throw std::runtime_error("the download server did not start");
}

DownloadServer::~DownloadServer() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}

std::string DownloadServer::https(const std::string& way) const {
  return "https://127.0.0.1:" + std::to_string(httpsPort_) + "/" + (way.empty() ? "" : way + "/");
}

std::string DownloadServer::http(const std::string& way) const {
  return "http://127.0.0.1:" + std::to_string(httpPort_) + "/" + (way.empty() ? "" : way + "/");
}

}  // namespace zumaro::testing
