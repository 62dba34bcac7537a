#include <png.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "preview/image.h"
#include "preview/palette.h"
#include "preview/preview_run.h"
#include "tests/test_support.h"

namespace strewgen {
namespace {

// A PNG decoded with libpng.
struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  Rgb at(int x, int y) const {
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
};

Decoded decodePng(const std::string& path) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  Decoded decoded;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return decoded;
  image.format = PNG_FORMAT_RGB;
  decoded.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, decoded.rgb.data(), 0, nullptr))
    return decoded;
  decoded.width = static_cast<int>(image.width);
  decoded.height = static_cast<int>(image.height);
  return decoded;
}

class PreviewTest : public testing::Test {
 protected:
  void SetUp() override {
    test::makeSparseMap(map_);
    // A hill of tile 5 at (15, 15) on flat ground of tile 0.
    test::putCell(map_, 15, 15, 5, 10);
    test::writeFile(script_,
                    test::worldItemRecord(12, 12, 0, 3277, 0) + test::worldItemRecord(12, 12, 0, 3278, 1) +
                        test::worldItemRecord(17, 11, 0, 700, 2) + test::worldItemRecord(15, 15, 10, 700, 3) +
                        test::worldItemRecord(100, 100, 0, 9, 4));  // outside the area
  }

  int preview(std::vector<std::string> args) {
    args.insert(args.begin(), "strewgen-preview");
    std::vector<const char*> argv;
    for (const std::string& arg : args) argv.push_back(arg.c_str());
    return previewMain(static_cast<int>(argv.size()), argv.data(), &console_);
  }

  test::TempDir dir_;
  const std::string map_ = dir_.file("world.map");
  const std::string script_ = dir_.file("items.wsc");
  const std::string picture_ = dir_.file("preview.png");
  test::CapturedConsole console_;
};

TEST_F(PreviewTest, DrawsTerrainItemsAndLegend) {
  ASSERT_EQ(preview({map_, "-s", script_, "-o", picture_, "--area",
                     "10,10,19,19"}),
            0)
      << console_.err;
  const Decoded png = decodePng(picture_);
  // 10 x 10 cells at 16 pixels each, and the legend beside them.
  EXPECT_EQ(png.width, 160 + 160);
  EXPECT_EQ(png.height, 224);

  auto centre = [](int cell) { return (cell - 10) * 16 + 8; };
  const Rgb flat = shadeTerrain(terrainColour(0), 0, 0);
  EXPECT_EQ(png.at(centre(11), centre(18)), flat);
  EXPECT_EQ(png.at(0, 0), flat);
  // Item 700 (two marks) ranks before 3277 (one mark, its companion not
  // counted).
  EXPECT_EQ(png.at(centre(17), centre(11)), rankedItemColour(0));
  EXPECT_EQ(png.at(centre(15), centre(15)), rankedItemColour(0));
  EXPECT_EQ(png.at(centre(12), centre(12)), rankedItemColour(1));
  EXPECT_EQ(png.at((12 - 10) * 16, centre(12)), outlineOf(rankedItemColour(1)));
  // The hill's east neighbour lies lower and faces away from the light.
  EXPECT_EQ(png.at(centre(16), centre(15)), shadeTerrain(terrainColour(0), 0, -10));
  // Legend swatches, most frequent first.
  EXPECT_EQ(png.at(160 + 14, 8 + 6), rankedItemColour(0));
  EXPECT_EQ(png.at(160 + 14, 26 + 6), rankedItemColour(1));

  EXPECT_EQ(console_.out,
            "records read  5\n"
            "items shown   3 (a two-part item and its companion count once)\n"
            "area          10 10 19 19 (10 x 10 cells)\n"
            "picture       " + picture_ + " (16 x 16 pixels per cell)\n"
            "\n"
            "item id    items   share\n"
            "    700        2   66.7%\n"
            "   3277        1   33.3%\n"
            "\n"
            "tile id    items   share\n"
            "      0        2   66.7%\n"
            "      5        1   33.3%\n");
}

TEST_F(PreviewTest, DefaultAreaIsTheRecordsWithAMarginAndCsvSummary) {
  ASSERT_EQ(preview({map_, "--script", script_, "--output", picture_, "--csv"}),
            0)
      << console_.err;
  EXPECT_EQ(console_.out,
            "kind,id,count,share\n"
            "records,,5,\n"
            "items,,4,\n"
            "area,8 7 104 104,,\n"
            "item,700,2,0.5000\n"
            "item,9,1,0.2500\n"
            "item,3277,1,0.2500\n"
            "tile,0,3,0.7500\n"
            "tile,5,1,0.2500\n");
  const Decoded png = decodePng(picture_);
  EXPECT_EQ(png.width, 97 * 10 + 160);  // 97 x 98 cells at 10 pixels
  EXPECT_EQ(png.height, 98 * 10);
}

TEST_F(PreviewTest, WholeWorldIsScaledDown) {
  test::writeFile(script_, test::worldItemRecord(0, 0, 0, 1, 0) + test::worldItemRecord(6143, 4095, 0, 2, 1));
  ASSERT_EQ(preview({map_, "-s", script_, "-o", picture_}), 0) << console_.err;
  const Decoded png = decodePng(picture_);
  EXPECT_EQ(png.width, 3072 + 160);
  EXPECT_EQ(png.height, 2048);
  // The lone items stay visible as dots.
  EXPECT_EQ(png.at(3071, 2047), rankedItemColour(1));
  EXPECT_EQ(png.at(0, 0), rankedItemColour(0));
}

TEST_F(PreviewTest, CommandLineAndFileErrors) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const std::string missing = dir_.file("missing.wsc");
  const std::string try_help = "Try 'strewgen-preview --help'.\n";
  const Case cases[] = {
      {{}, 2, "strewgen-preview: no map path given\n" + try_help},
      {{map_, "--area", "1,2,3"}, 2,
       "strewgen-preview: the area \"1,2,3\" is not X_MIN,Y_MIN,X_MAX,Y_MAX "
       "inside the map (x 0 to 6143, y 0 to 4095, minimums first)\n" + try_help},
      {{map_, "--area", "5,0,4,0"}, 2,
       "strewgen-preview: the area \"5,0,4,0\" is not X_MIN,Y_MIN,X_MAX,Y_MAX "
       "inside the map (x 0 to 6143, y 0 to 4095, minimums first)\n" + try_help},
      {{map_, "--bogus"}, 2, "strewgen-preview: unknown option --bogus\n" + try_help},
      {{map_, "-o"}, 2, "strewgen-preview: option -o needs a value\n" + try_help},
      {{map_, map_}, 2,
       "strewgen-preview: more than one map path (\"" + map_ + "\" and \"" +
           map_ + "\")\n" + try_help},
      {{map_, "-s", missing}, 1,
       "strewgen-preview: " + missing + ": No such file or directory\n"},
      {{map_, "-s", script_, "-o", script_}, 1,
       "strewgen-preview: " + script_ +
           ": is the same file as the one being read\n"},
      {{map_, "-s", script_, "-o", map_}, 1,
       "strewgen-preview: " + map_ + ": is the same file as the one being read\n"},
  };
  const uint64_t script_before = test::fileChecksum(script_);
  const uint64_t map_before = test::fileChecksum(map_);
  for (const Case& c : cases) {
    console_ = test::CapturedConsole();
    EXPECT_EQ(preview(c.args), c.status) << testing::PrintToString(c.args);
    EXPECT_EQ(console_.err, c.err);
    EXPECT_EQ(console_.out, "");
  }
  EXPECT_EQ(test::fileChecksum(script_), script_before);
  EXPECT_EQ(test::fileChecksum(map_), map_before);

  test::writeFile(script_, "SECTION WORLDITEM 0\r\n{\r\nSERIAL 0\r\nID x\r\n");
  console_ = test::CapturedConsole();
  EXPECT_EQ(preview({map_, "-s", script_, "-o", picture_}), 1);
  EXPECT_EQ(console_.err, "strewgen-preview: " + script_ +
                              ": line 4: expected a whole number after \"ID \", "
                              "found \"ID x\"\n");
  EXPECT_FALSE(test::fileExists(picture_));

  console_ = test::CapturedConsole();
  EXPECT_EQ(preview({"--help"}), 0);
  EXPECT_EQ(console_.out, kPreviewUsage);
}

TEST(Palette, StableAndDistinctForNeighbours) {
  for (int id = 0; id < 65535; ++id) {
    const uint16_t tile = static_cast<uint16_t>(id);
    ASSERT_NE(terrainColour(tile), terrainColour(static_cast<uint16_t>(tile + 1)))
        << id;
  }
  for (int rank = 0; rank < kRankedColours; ++rank) {
    for (int other = rank + 1; other < kRankedColours; ++other)
      EXPECT_NE(rankedItemColour(rank), rankedItemColour(other));
  }
}

}  // namespace
}  // namespace strewgen
