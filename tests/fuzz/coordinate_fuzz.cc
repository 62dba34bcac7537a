// Fuzzes the reading of coordinate arguments against the C library's
// strtoull, and the clamping of the area that follows.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/command_line.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace strewgen;
  // An argument cannot hold a NUL byte.
  std::string argument(reinterpret_cast<const char*>(data), size);
  argument = argument.substr(0, argument.find('\0'));
  const int32_t value = parseCoordinate(argument);

  // Short enough that strtoull cannot overflow, it reads the same number;
  // its unsigned negation wraps the same way.
  if (argument.size() <= 15) {
    const unsigned long long expected =
        std::strtoull(argument.c_str(), nullptr, 0);
    check(static_cast<uint32_t>(value) == static_cast<uint32_t>(expected));
  }

  const ScanArea area = clampScanArea({value, value, value, value});
  check(area.x_min >= 0 && area.y_min >= 0);
  check(area.x_max <= 6143 && area.y_max <= 4095);
  check(area.x_min == (value < 0 ? 0 : value));
  check(area.x_max == (value > 6143 ? 6143 : value));
  return 0;
}
