#include "tools/mkdat/sha256.h"

#include <openssl/evp.h>

#include <cstdio>

#include "tools/mkdat/build_failure.h"

namespace zumaro::mkdat {

std::string sha256Hex(std::string_view bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  if (EVP_Digest(bytes.data(), bytes.size(), digest, &size, EVP_sha256(), nullptr) != 1)
    throw BuildFailure("SHA-256 を計算できません。");
  std::string hex;
  char pair[3];
  for (unsigned int i = 0; i < size; ++i) {
    std::snprintf(pair, sizeof pair, "%02x", digest[i]);
    hex += pair;
  }
  return hex;
}

}  // namespace zumaro::mkdat
