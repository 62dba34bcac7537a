#ifndef STREWGEN_PREVIEW_PREVIEW_SUMMARY_H_
#define STREWGEN_PREVIEW_PREVIEW_SUMMARY_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "placement/scan_area.h"

namespace strewgen {

// Counts of what a script placed: items per item id and per terrain tile id
// under them. A two-part item and its companion count as one item, of the
// two-part item's id. Memory is fixed: one counter per possible id.
class PreviewSummary {
 public:
  PreviewSummary();

  void countRecord() { ++records_; }
  void countItem(uint16_t itemId, uint16_t tileId);

  int64_t records() const { return records_; }
  int64_t items() const { return items_; }
  // (id, count) of the item ids that occur, most frequent first, ties by id.
  std::vector<std::pair<uint16_t, int64_t>> itemCounts() const;
  std::vector<std::pair<uint16_t, int64_t>> tileCounts() const;

  // The summary as an aligned table, or as CSV.
  std::string table(const ScanArea& area, const std::string& picture,
                    int pixelsPerCell, int cellsPerPixel) const;
  std::string csv(const ScanArea& area) const;

 private:
  int64_t records_ = 0;
  int64_t items_ = 0;
  std::vector<int64_t> perItem_;
  std::vector<int64_t> perTile_;
};

}  // namespace strewgen

#endif  // STREWGEN_PREVIEW_PREVIEW_SUMMARY_H_
