#include "tools/mkdat/download.h"

#include <curl/curl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "tools/mkdat/build_failure.h"

namespace zumaro::mkdat {
namespace {

struct Target {
  std::FILE* file = nullptr;
  int writeError = 0;
  const DownloadOptions* options = nullptr;
  bool stopped = false;
};

size_t writeBytes(char* data, size_t size, size_t count, void* user) {
  auto* target = static_cast<Target*>(user);
  const size_t bytes = size * count;
  if (std::fwrite(data, 1, bytes, target->file) != bytes) {
    target->writeError = errno ? errno : EIO;
    return 0;
  }
  return bytes;
}

int progress(void* user, curl_off_t expected, curl_off_t received, curl_off_t, curl_off_t) {
  auto* target = static_cast<Target*>(user);
  if (!target->options->onProgress) return 0;
  if (target->options->onProgress(received, expected)) return 0;
  target->stopped = true;
  return 1;
}

bool startsWith(const std::string& s, const char* head) { return s.compare(0, std::strlen(head), head) == 0; }

struct CurlCloser {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Why a transfer failed, in the user's words where they differ from curl's.
std::string reason(CURLcode code, const char* detail) {
  const std::string text = *detail ? detail : curl_easy_strerror(code);
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return "接続先が見つかりません。ネットワークにつながっているか確かめて下さい: " + text;
    case CURLE_COULDNT_CONNECT:
      return "接続できません: " + text;
    case CURLE_OPERATION_TIMEDOUT:
      return "応答がないまま時間切れになりました: " + text;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
      return "サーバーの証明書を確認できません: " + text;
    case CURLE_UNSUPPORTED_PROTOCOL:
      return "HTTPS 以外の接続は使いません: " + text;
    case CURLE_TOO_MANY_REDIRECTS:
      return "転送先の指定が多すぎます: " + text;
    default:
      return text;
  }
}

}  // namespace

void downloadZip(const std::string& url, const std::string& path, const DownloadOptions& options) {
  static const CURLcode initialized = curl_global_init(CURL_GLOBAL_DEFAULT);
  std::unique_ptr<CURL, CurlCloser> curl(initialized == CURLE_OK ? curl_easy_init() : nullptr);
  if (!curl) throw BuildFailure(url + " をダウンロードできません（libcurl を初期化できません）。");
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) throw BuildFailure(path + " を作成できません（" + std::strerror(errno) + "）。");

  // Plain HTTP only for an address that names it; a redirect never leaves HTTPS.
  const char* protocols = startsWith(url, "http://") ? "http,https" : "https";
  Target target{file.get(), 0, &options, false};
  char detail[CURL_ERROR_SIZE] = "";
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, protocols);
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, protocols);
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!options.caFile.empty()) curl_easy_setopt(c, CURLOPT_CAINFO, options.caFile.c_str());
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, options.timeoutSeconds);
  // A transfer that stalls that long is given up; a slow one is not.
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, options.timeoutSeconds);
  curl_easy_setopt(c, CURLOPT_USERAGENT, "zumaro-mkdat/" ZUMARO_VERSION);
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, writeBytes);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &target);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, progress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &target);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);

  const CURLcode code = curl_easy_perform(c);
  if (target.stopped) throw BuildFailure(url + " のダウンロードを中止しました。");
  if (target.writeError) {
    throw BuildFailure(url + " を " + path + " に書き込めません（" + std::strerror(target.writeError) + "）。");
  }
  if (code != CURLE_OK) throw BuildFailure(url + " をダウンロードできません（" + reason(code, detail) + "）。");
  if (std::fflush(file.get()) != 0 || std::ferror(file.get())) {
    throw BuildFailure(url + " を " + path + " に書き込めません（" + std::strerror(errno) + "）。");
  }

  long status = 0;
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
  char* where = nullptr;
  curl_easy_getinfo(c, CURLINFO_EFFECTIVE_URL, &where);
  const std::string from = where && url != where ? url + "（転送先 " + where + "）" : url;
  if (status >= 400) {
    throw BuildFailure(from + " をダウンロードできません（サーバーの応答: HTTP " + std::to_string(status) + "）。");
  }
  char* type = nullptr;
  curl_easy_getinfo(c, CURLINFO_CONTENT_TYPE, &type);
  // A page in place of the file (a moved address, a login page) must not be
  // read as a CSV file.
  char head[4] = {};
  std::unique_ptr<std::FILE, FileCloser> check(std::fopen(path.c_str(), "rb"));
  const size_t got = check ? std::fread(head, 1, sizeof head, check.get()) : 0;
  if (got != sizeof head || std::memcmp(head, "PK\x03\x04", 4) != 0) {
    throw BuildFailure(from + " から届いたのはzipファイルではありません（" +
                       (type ? std::string(type) : std::string("種類不明")) + "）。");
  }
}

}  // namespace zumaro::mkdat
