#include "app/driver.h"

#include <memory>
#include <string>

#include "app/command_line.h"
#include "placement/placement_run.h"
#include "placement/random_source.h"
#include "platform/start_up.h"
#include "rules/rule_loader.h"
#include "rules/rule_table.h"

namespace strewgen {

int runStrewgen(int argc, const char* const* argv, Console* console) {
  if (!startUp()) {
    console->printErrorLine("Fatal Error: MFC initialization failed");
    return kExitFailure;
  }
  if (argc < 6) {
    console->printLine(kUsage);
    return kExitFailure;
  }
  const std::string map_path = argv[1];
  const ScanArea area = clampScanArea({parseCoordinate(argv[2]),
                                       parseCoordinate(argv[3]),
                                       parseCoordinate(argv[4]),
                                       parseCoordinate(argv[5])});

  auto rules = std::make_unique<RuleTable>();
  if (!loadRuleFile(rules.get(), console)) return kExitFailure;

  RandomSource random;
  return runPlacement(map_path, area, *rules, &random, console) ? kExitSuccess
                                                               : kExitFailure;
}

}  // namespace strewgen
