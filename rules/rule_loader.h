#ifndef STREWGEN_RULES_RULE_LOADER_H_
#define STREWGEN_RULES_RULE_LOADER_H_

#include <string>
#include <string_view>

#include "platform/console.h"
#include "rules/rule_table.h"

namespace strewgen {

inline constexpr char kRuleFileName[] = "strewgen.txt";

// Upper-cases a rule line, drops every space and tab, and cuts it before
// the first "//".
std::string normaliseRuleLine(std::string_view line);

// Fills a rule table line by line, printing the two limit messages.
class RuleLoader {
 public:
  // Zeroes the whole table.
  RuleLoader(RuleTable* table, Console* console);

  // Takes the next line of the file (without its line end). Returns false
  // when no further line is wanted: the table is full.
  bool addLine(std::string_view line);

 private:
  void storeFields(std::string_view normalised, PlacementRule* rule);

  RuleTable* table_;
  Console* console_;
  int filled_ = 0;
  bool firstLine_ = true;
};

// Loads rules from text in memory, as loadRuleFile does from the file.
void loadRuleText(std::string_view text, RuleTable* table, Console* console);

// Zeroes the table and loads it from the rule file, with its opening report.
// Returns false when the file cannot be opened or read; the reason is then
// on standard error.
bool loadRuleFile(RuleTable* table, Console* console,
                  const std::string& path = kRuleFileName);

}  // namespace strewgen

#endif  // STREWGEN_RULES_RULE_LOADER_H_
