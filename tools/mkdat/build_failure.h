#pragma once
// A fault that stops the build of a data folder, with the message for the
// user (UTF-8). Nothing is published once one has been thrown.
#include <stdexcept>
#include <string>

namespace zumaro::mkdat {

struct BuildFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace zumaro::mkdat
