// Micro-benchmarks of the two hot paths: the scan of cells against the
// rules, and the formatting of records.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "map/map_layout.h"
#include "output/world_item_format.h"
#include "placement/placement_run.h"
#include "platform/file.h"
#include "rules/rule_loader.h"

namespace strewgen {
namespace {

class NullConsole : public Console {
 public:
  void print(std::string_view) override {}
  void printErrorLine(std::string_view) override {}
};

// A whole-world map of patches of six terrains, made once for all runs.
class PatchworkMap {
 public:
  PatchworkMap() {
    char pattern[] = "/tmp/strewgen-bench-XXXXXX";
    int fd = mkstemp(pattern);
    if (fd < 0) std::abort();
    close(fd);
    path_ = pattern;
    const uint16_t tiles[] = {2, 22, 3, 196, 220, 282};
    File file;
    std::string error;
    if (!file.openForWrite(path_, {}, &error)) std::abort();
    std::vector<char> column(static_cast<size_t>(kBlockColumnBytes));
    for (int i = 0; i < kBlockColumns; ++i) {
      for (int j = 0; j < kBlocksPerColumn; ++j) {
        for (int n = 0; n < 64; ++n) {
          const int x = i * 8 + n % 8, y = j * 8 + n / 8;
          const uint16_t tile = tiles[(x / 24 + y / 16 + x * y % 3) % 6];
          char* cell = &column[static_cast<size_t>(j * kBlockBytes + 4 + n * 3)];
          cell[0] = static_cast<char>(tile & 0xFF);
          cell[1] = static_cast<char>(tile >> 8);
          cell[2] = static_cast<char>(y % 200 - 100);
        }
      }
      if (!file.write(column.data(), column.size(), &error)) std::abort();
    }
    if (!file.close(&error)) std::abort();
  }
  ~PatchworkMap() { std::remove(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

constexpr char kRules[] =
    "196, 8, 0CCD, 5, 3283, 3, 3290, 2, 3305, 2\n"
    "196, 4, 3220, 0x10, 3221, 010\n"
    "3, 2, 3220, 3, 3203, 2, 3326, 1\n"
    "22, 1, 3119, 1, 3120, 1\n"
    "220, 3, 4963, 2, 4964, 1\n"
    "282, 1, 3476, 1\n";

void BM_PlacementScan(benchmark::State& state) {
  static PatchworkMap map;
  auto rules = std::make_unique<RuleTable>();
  NullConsole console;
  loadRuleText(kRules, rules.get(), &console);
  const int32_t edge = static_cast<int32_t>(state.range(0));
  const ScanArea area{1000, 1000, 1000 + edge - 1, 1000 + edge - 1};
  PlacementOptions options;
  options.outputPath = "/dev/null";
  for (auto _ : state) {
    RandomSource random;
    if (!runPlacement(map.path(), area, *rules, &random, &console, options))
      state.SkipWithError("run failed");
  }
  state.SetItemsProcessed(state.iterations() * int64_t{edge} * edge);
  state.SetLabel("items are cells");
}
// A run reads, scans and writes on threads of their own: wall time counts.
BENCHMARK(BM_PlacementScan)
    ->Arg(256)
    ->Arg(2048)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_FormatWorldItem(benchmark::State& state) {
  char buffer[kMaxWorldItemBytes];
  int32_t serial = 0;
  for (auto _ : state) {
    size_t length = formatWorldItem(buffer, serial % 6144, serial % 4096,
                                    serial % 256 - 128, 3277, 0, serial);
    benchmark::DoNotOptimize(length);
    benchmark::DoNotOptimize(buffer);
    ++serial;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatWorldItem);

}  // namespace
}  // namespace strewgen

BENCHMARK_MAIN();
