#include "preview/preview_summary.h"

#include <algorithm>

namespace strewgen {

namespace {

std::vector<std::pair<uint16_t, int64_t>> sortedCounts(
    const std::vector<int64_t>& counts) {
  std::vector<std::pair<uint16_t, int64_t>> result;
  for (size_t id = 0; id < counts.size(); ++id) {
    if (counts[id] > 0) result.emplace_back(static_cast<uint16_t>(id), counts[id]);
  }
  std::stable_sort(result.begin(), result.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  return result;
}

// The share in percent with one decimal, rounded: "12.3%".
std::string percent(int64_t part, int64_t whole) {
  const int64_t tenths = whole == 0 ? 0 : (part * 2000 + whole) / (2 * whole);
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "%";
}

// The share as a fraction with four decimals: "0.1234".
std::string fraction(int64_t part, int64_t whole) {
  const int64_t units = whole == 0 ? 0 : (part * 20000 + whole) / (2 * whole);
  std::string digits = std::to_string(units % 10000);
  return std::to_string(units / 10000) + "." +
         std::string(4 - digits.size(), '0') + digits;
}

std::string padLeft(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string areaText(const ScanArea& area) {
  return std::to_string(area.x_min) + " " + std::to_string(area.y_min) + " " +
         std::to_string(area.x_max) + " " + std::to_string(area.y_max);
}

}  // namespace

PreviewSummary::PreviewSummary() : perItem_(65536, 0), perTile_(65536, 0) {}

void PreviewSummary::countItem(uint16_t itemId, uint16_t tileId) {
  ++items_;
  ++perItem_[itemId];
  ++perTile_[tileId];
}

std::vector<std::pair<uint16_t, int64_t>> PreviewSummary::itemCounts() const {
  return sortedCounts(perItem_);
}

std::vector<std::pair<uint16_t, int64_t>> PreviewSummary::tileCounts() const {
  return sortedCounts(perTile_);
}

std::string PreviewSummary::table(const ScanArea& area,
                                  const std::string& picture, int pixelsPerCell,
                                  int cellsPerPixel) const {
  const int64_t width = int64_t{area.x_max} - area.x_min + 1;
  const int64_t height = int64_t{area.y_max} - area.y_min + 1;
  std::string text;
  text += "records read  " + std::to_string(records_) + "\n";
  text += "items shown   " + std::to_string(items_) +
          " (a two-part item and its companion count once)\n";
  text += "area          " + areaText(area) + " (" + std::to_string(width) +
          " x " + std::to_string(height) + " cells)\n";
  text += "picture       " + picture + " (" +
          (cellsPerPixel > 1
               ? std::to_string(cellsPerPixel) + " x " +
                     std::to_string(cellsPerPixel) + " cells per pixel"
               : std::to_string(pixelsPerCell) + " x " +
                     std::to_string(pixelsPerCell) + " pixels per cell") +
          ")\n";
  auto section = [&](const char* heading, const auto& counts) {
    text += "\n";
    text += heading;
    text += "    items   share\n";
    for (const auto& [id, count] : counts) {
      text += padLeft(std::to_string(id), 7) + padLeft(std::to_string(count), 9) +
              padLeft(percent(count, items_), 8) + "\n";
    }
  };
  section("item id", itemCounts());
  section("tile id", tileCounts());
  return text;
}

std::string PreviewSummary::csv(const ScanArea& area) const {
  std::string text = "kind,id,count,share\n";
  text += "records,," + std::to_string(records_) + ",\n";
  text += "items,," + std::to_string(items_) + ",\n";
  text += "area," + areaText(area) + ",,\n";
  for (const auto& [id, count] : itemCounts()) {
    text += "item," + std::to_string(id) + "," + std::to_string(count) + "," +
            fraction(count, items_) + "\n";
  }
  for (const auto& [id, count] : tileCounts()) {
    text += "tile," + std::to_string(id) + "," + std::to_string(count) + "," +
            fraction(count, items_) + "\n";
  }
  return text;
}

}  // namespace strewgen
