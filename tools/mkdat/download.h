#pragma once
// Fetching Japan Post's files over HTTPS (libcurl). Plain HTTP only when the
// address given says so; certificates are always verified.
#include <cstdint>
#include <functional>
#include <string>

namespace zumaro::mkdat {

struct DownloadOptions {
  std::string caFile;        // trusted instead of the system's authorities when given
  long timeoutSeconds = 30;  // to connect, and the longest a transfer may stall
  // Called as bytes arrive: received and expected (0 when unknown). Returning
  // false stops the transfer.
  std::function<bool(int64_t received, int64_t expected)> onProgress;
};

// Writes what `url` holds to `path`. Throws BuildFailure naming the address
// and what failed: the connection, the certificate, an HTTP status, a reply
// that is not a zip file, or writing `path`.
void downloadZip(const std::string& url, const std::string& path, const DownloadOptions& options);

}  // namespace zumaro::mkdat
