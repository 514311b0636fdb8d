#pragma once
// The two ways of searching the data files; both give the same calls of the
// address comparison in the same order.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "lookup/data_search.h"

namespace zumaro {

enum class LookupMethod {
  Fast,  // the files held in memory, searched by key
  Scan,  // the files read sequentially, as the reference
};

std::unique_ptr<DataLookup> makeLookup(LookupMethod method, const std::string& folder);

// "fast" or "scan"; nothing for any other name.
std::optional<LookupMethod> lookupMethodNamed(std::string_view name);

}  // namespace zumaro
