#pragma once
// SHA-256 through OpenSSL's libcrypto, which libzip already brings along.
#include <string>
#include <string_view>

namespace zumaro::mkdat {

// 64 lower-case hex digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace zumaro::mkdat
