#include "preview/preview_run.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <vector>

#include "map/map_layout.h"
#include "map/map_reader.h"
#include "output/world_item_script_parser.h"
#include "placement/two_part_items.h"
#include "platform/file.h"
#include "platform/start_up.h"
#include "preview/digit_font.h"
#include "preview/image.h"
#include "preview/palette.h"
#include "preview/png_writer.h"
#include "preview/preview_summary.h"

namespace strewgen {

namespace {

constexpr int kMaxPictureEdge = 4096;  // pixels of the map part, at most
constexpr int kSmallAreaPixels = 1024;  // small areas are scaled up to this
constexpr int kMaxPixelsPerCell = 16;
constexpr int kLegendWidth = 160;
constexpr Rgb kLegendBackground{32, 32, 36};
constexpr Rgb kLegendText{230, 230, 230};

bool parseArea(std::string_view text, ScanArea* area) {
  int32_t values[4];
  const char* at = text.data();
  const char* end = text.data() + text.size();
  for (int i = 0; i < 4; ++i) {
    auto [next, status] = std::from_chars(at, end, values[i]);
    if (status != std::errc()) return false;
    at = next;
    if (i < 3) {
      if (at == end || *at != ',') return false;
      ++at;
    }
  }
  if (at != end) return false;
  *area = {values[0], values[1], values[2], values[3]};
  return 0 <= area->x_min && area->x_min <= area->x_max &&
         area->x_max < kMapWidth && 0 <= area->y_min &&
         area->y_min <= area->y_max && area->y_max < kMapHeight;
}

// How the area maps to pixels: each cell `pixelsPerCell` wide, or each
// pixel `cellsPerPixel` cells wide; one of the two is 1.
struct Layout {
  int pixelsPerCell = 1;
  int cellsPerPixel = 1;
  int columns = 0;  // cells (or groups of cells) across
  int rows = 0;

  int mapWidth() const { return columns * pixelsPerCell; }
  int mapHeight() const { return rows * pixelsPerCell; }
};

Layout layoutFor(const ScanArea& area) {
  const int width = area.x_max - area.x_min + 1;
  const int height = area.y_max - area.y_min + 1;
  const int longest = std::max(width, height);
  Layout layout;
  if (longest <= kMaxPictureEdge) {
    layout.pixelsPerCell =
        std::clamp(kSmallAreaPixels / longest, 1, kMaxPixelsPerCell);
  } else {
    layout.cellsPerPixel = (longest + kMaxPictureEdge - 1) / kMaxPictureEdge;
  }
  layout.columns = (width + layout.cellsPerPixel - 1) / layout.cellsPerPixel;
  layout.rows = (height + layout.cellsPerPixel - 1) / layout.cellsPerPixel;
  return layout;
}

// The records' bounding box with a margin of a twentieth of its size (at
// least 4 cells), inside the map; the whole world when there is no record.
ScanArea areaAround(int32_t x_min, int32_t y_min, int32_t x_max, int32_t y_max,
                    bool any) {
  if (!any) return {0, 0, kMapWidth - 1, kMapHeight - 1};
  const int32_t margin =
      std::max(4, std::max(x_max - x_min, y_max - y_min) / 20);
  return {std::max(0, x_min - margin), std::max(0, y_min - margin),
          std::min(kMapWidth - 1, x_max + margin),
          std::min(kMapHeight - 1, y_max + margin)};
}

// Terrain of the area, a sample cell per pixel block, lit from the
// north-west.
void drawTerrain(MapReader* map, const ScanArea& area, const Layout& layout,
                 Image* image) {
  std::vector<int> above(static_cast<size_t>(layout.columns), 0);
  for (int row = 0; row < layout.rows; ++row) {
    const int y = area.y_min + row * layout.cellsPerPixel;
    int left = 0;
    for (int column = 0; column < layout.columns; ++column) {
      const int x = area.x_min + column * layout.cellsPerPixel;
      const int altitude = map->readAltitude(x, y);
      const int west = column == 0 ? altitude : left;
      const int north = row == 0 ? altitude : above[column];
      const Rgb colour = shadeTerrain(terrainColour(map->readTileId(x, y)),
                                      altitude, (altitude - west) + (altitude - north));
      image->fillRect(column * layout.pixelsPerCell, row * layout.pixelsPerCell,
                      layout.pixelsPerCell, layout.pixelsPerCell, colour);
      left = altitude;
      above[column] = altitude;
    }
  }
}

// A mark over the item's cell: the whole cell with a dark edge when cells
// are large, else a 3 x 3 dot, so that sparse items stay visible.
void drawItem(const WorldItem& item, Rgb colour, const ScanArea& area,
              const Layout& layout, Image* image) {
  const int p = layout.pixelsPerCell;
  const int x = (item.x - area.x_min) / layout.cellsPerPixel * p;
  const int y = (item.y - area.y_min) / layout.cellsPerPixel * p;
  if (p >= 4) {
    image->fillRect(x, y, p, p, outlineOf(colour));
    image->fillRect(x + 1, y + 1, p - 2, p - 2, colour);
  } else {
    image->fillRect(x + p / 2 - 1, y + p / 2 - 1, 3, 3, colour);
  }
}

// The most frequent items in the colours ranked for them, with their counts.
void drawLegend(const std::vector<std::pair<uint16_t, int64_t>>& counts,
                int left, Image* image) {
  image->fillRect(left, 0, kLegendWidth, image->height(), kLegendBackground);
  int y = 8;
  for (size_t i = 0; i < counts.size() && i < kRankedColours; ++i) {
    const Rgb colour = rankedItemColour(static_cast<int>(i));
    image->fillRect(left + 8, y, 12, 12, outlineOf(colour));
    image->fillRect(left + 9, y + 1, 10, 10, colour);
    drawNumber(image, left + 28, y + 1, counts[i].first, 2, kLegendText);
    drawNumber(image, left + 80, y + 1, static_cast<uint64_t>(counts[i].second),
               2, kLegendText);
    y += 18;
  }
}

int legendHeight() { return 8 + kRankedColours * 18; }

// True when `item` is the companion record written right after `previous`.
bool isCompanionOf(const WorldItem& item, const WorldItem& previous) {
  return hasCompanion(static_cast<uint16_t>(previous.itemId)) &&
         item.itemId == previous.itemId + 1 && item.x == previous.x &&
         item.y == previous.y && item.serial == previous.serial + 1;
}

bool inside(const WorldItem& item, const ScanArea& area) {
  return item.x >= area.x_min && item.x <= area.x_max && item.y >= area.y_min &&
         item.y <= area.y_max;
}

}  // namespace

bool parsePreviewCommandLine(int argc, const char* const* argv,
                             PreviewOptions* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= argc) {
        *error = "option " + std::string(arg) + " needs a value";
        return false;
      }
      *out = argv[++i];
      return true;
    };
    std::string area;
    if (arg == "-h" || arg == "--help") {
      options->help = true;
    } else if (arg == "-s" || arg == "--script") {
      if (!value(&options->scriptPath)) return false;
    } else if (arg == "-o" || arg == "--output") {
      if (!value(&options->outputPath)) return false;
    } else if (arg == "-a" || arg == "--area") {
      if (!value(&area)) return false;
      if (!parseArea(area, &options->area)) {
        *error = "the area \"" + area +
                 "\" is not X_MIN,Y_MIN,X_MAX,Y_MAX inside the map "
                 "(x 0 to 6143, y 0 to 4095, minimums first)";
        return false;
      }
      options->hasArea = true;
    } else if (arg == "--csv") {
      options->csv = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      *error = "unknown option " + std::string(arg);
      return false;
    } else if (options->mapPath.empty()) {
      options->mapPath = arg;
    } else {
      *error = "more than one map path (\"" + options->mapPath + "\" and \"" +
               std::string(arg) + "\")";
      return false;
    }
  }
  if (options->mapPath.empty() && !options->help) {
    *error = "no map path given";
    return false;
  }
  return true;
}

bool runPreview(const PreviewOptions& options, Console* console) {
  std::string error;
  File script;
  if (!script.openForRead(options.scriptPath, &error)) {
    console->reportError(options.scriptPath, error);
    return false;
  }
  MapReader map;
  if (!map.open(options.mapPath)) {
    console->reportError(options.mapPath, map.error());
    return false;
  }

  // First pass: the counts, and the records' bounding box. Each two-part
  // item is counted and drawn once, without its companion.
  PreviewSummary summary;
  int32_t x_min = kMapWidth, y_min = kMapHeight, x_max = -1, y_max = -1;
  WorldItem previous;
  auto isItemToShow = [&](const WorldItem& item) {
    const bool companion = isCompanionOf(item, previous);
    previous = item;
    return !companion && (!options.hasArea || inside(item, options.area));
  };
  previous.itemId = -1;
  bool read = readWorldItemScript(
      &script,
      [&](const WorldItem& item) {
        summary.countRecord();
        if (!isItemToShow(item)) return;
        summary.countItem(static_cast<uint16_t>(item.itemId),
                          map.readTileId(item.x, item.y));
        x_min = std::min(x_min, item.x);
        y_min = std::min(y_min, item.y);
        x_max = std::max(x_max, item.x);
        y_max = std::max(y_max, item.y);
      },
      &error);
  if (!read) {
    console->reportError(options.scriptPath, error);
    return false;
  }
  const ScanArea area = options.hasArea
                            ? options.area
                            : areaAround(x_min, y_min, x_max, y_max, x_max >= 0);

  // The most frequent items get the ranked colours, the rest their own.
  const auto item_counts = summary.itemCounts();
  std::vector<int8_t> rank(65536, -1);
  for (size_t i = 0; i < item_counts.size() && i < kRankedColours; ++i)
    rank[item_counts[i].first] = static_cast<int8_t>(i);

  const Layout layout = layoutFor(area);
  Image image(layout.mapWidth() + kLegendWidth,
              std::max(layout.mapHeight(), legendHeight()), kLegendBackground);
  drawTerrain(&map, area, layout, &image);

  // Second pass: the marks.
  previous.itemId = -1;
  read = readWorldItemScript(
      &script,
      [&](const WorldItem& item) {
        if (!isItemToShow(item) || !inside(item, area)) return;
        const uint16_t id = static_cast<uint16_t>(item.itemId);
        drawItem(item, rank[id] >= 0 ? rankedItemColour(rank[id]) : itemColour(id),
                 area, layout, &image);
      },
      &error);
  if (!read) {
    console->reportError(options.scriptPath, error);
    return false;
  }
  if (!map.ok()) {
    console->reportError(options.mapPath, map.error());
    return false;
  }
  drawLegend(item_counts, layout.mapWidth(), &image);

  // The picture never replaces the map or the script.
  const FileId inputs[] = {script.id(), map.fileId()};
  File output;
  if (!output.openForWrite(options.outputPath, inputs, &error) ||
      !writePng(image, &output, &error) || !output.close(&error)) {
    console->reportError(options.outputPath, error);
    return false;
  }
  console->print(options.csv ? summary.csv(area)
                             : summary.table(area, options.outputPath,
                                             layout.pixelsPerCell,
                                             layout.cellsPerPixel));
  return true;
}

int previewMain(int argc, const char* const* argv, Console* console) {
  console->setProgramName("strewgen-preview");
  if (!startUp()) {
    console->printErrorLine("strewgen-preview: cannot prepare the process");
    return 1;
  }
  PreviewOptions options;
  std::string error;
  if (!parsePreviewCommandLine(argc, argv, &options, &error)) {
    console->printErrorLine("strewgen-preview: " + error);
    console->printErrorLine("Try 'strewgen-preview --help'.");
    return 2;
  }
  if (options.help) {
    console->print(kPreviewUsage);
    return 0;
  }
  return runPreview(options, console) ? 0 : 1;
}

}  // namespace strewgen
