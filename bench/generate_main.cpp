// zumaro-bench-gen: the benchmark's data folder and address lists.
//   zumaro-bench-gen data FOLDER
//   zumaro-bench-gen list DATA-FOLDER OUTPUT RECORDS sorted|unsorted
// The same arguments always give the same bytes; a list of the same size is
// the same records in either order.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/data_generator.h"
#include "bench/list_generator.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: zumaro-bench-gen data FOLDER\n"
               "       zumaro-bench-gen list DATA-FOLDER OUTPUT RECORDS sorted|unsorted\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zumaro::bench;
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "data" && argc == 3) {
    generateDataFolder(argv[2], DataShape{});
    return 0;
  }
  if (command == "list" && argc == 6) {
    const std::string order = argv[5];
    if (order != "sorted" && order != "unsorted") return usage();
    ListShape shape;
    shape.records = std::atoll(argv[4]);
    if (shape.records <= 0) return usage();
    shape.order = order == "sorted" ? ListOrder::Sorted : ListOrder::Unsorted;
    shape.seed = static_cast<uint64_t>(shape.records);
    generateList(argv[2], argv[3], shape);
    return 0;
  }
  return usage();
}
