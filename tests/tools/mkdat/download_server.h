#pragma once
// The local stand-in for Japan Post's download addresses
// (download_server.py), started for a test and stopped with it.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace zumaro::testing {

class DownloadServer {
 public:
  // Serves the zip files of `zips`; its authority's certificate goes to `work`/cert.pem.
  DownloadServer(const std::string& zips, const std::string& work) : caFile(work + "/cert.pem") {
    int out[2];
    if (::pipe(out) != 0) throw std::runtime_error("pipe");
    if ((pid_ = ::fork()) == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::execlp("python3", "python3", ZUMARO_DOWNLOAD_SERVER, zips.c_str(), work.c_str(), nullptr);
      ::_exit(127);
    }
    ::close(out[1]);
    std::FILE* ports = ::fdopen(out[0], "r");
    const int read = std::fscanf(ports, "%d %d", &httpsPort_, &httpPort_);
    std::fclose(ports);
    if (read != 2) throw std::runtime_error("the download server did not start");
  }
  ~DownloadServer() {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  // "https://127.0.0.1:<port>/<way>/": how the files come (ok, html, ...).
  std::string https(const std::string& way) const { return base("https", httpsPort_) + way + "/"; }
  std::string http(const std::string& way) const { return base("http", httpPort_) + way + "/"; }

  const std::string caFile;

 private:
  static std::string base(const char* scheme, int port) {
    return std::string(scheme) + "://127.0.0.1:" + std::to_string(port) + "/";
  }
  pid_t pid_ = -1;
  int httpsPort_ = 0, httpPort_ = 0;
};

}  // namespace zumaro::testing
