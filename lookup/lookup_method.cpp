#include "lookup/lookup_method.h"

#include "lookup/fast_lookup.h"

namespace zumaro {

std::unique_ptr<DataLookup> makeLookup(LookupMethod method, const std::string& folder) {
  if (method == LookupMethod::Scan) return std::make_unique<ScanLookup>(folder);
  return std::make_unique<FastLookup>(folder);
}

std::optional<LookupMethod> lookupMethodNamed(std::string_view name) {
  if (name == "fast") return LookupMethod::Fast;
  if (name == "scan") return LookupMethod::Scan;
  return std::nullopt;
}

}  // namespace zumaro
