#include "preview/palette.h"

#include <algorithm>

namespace strewgen {

namespace {

// hue 0 ... 65535 around the wheel; saturation and value 0 ... 255.
Rgb fromHsv(uint32_t hue, int saturation, int value) {
  const int sector = static_cast<int>(hue * 6 / 65536);            // 0 ... 5
  const int within = static_cast<int>((hue * 6) % 65536) >> 8;     // 0 ... 255
  const int low = value * (255 - saturation) / 255;
  const int falling = value * (255 - saturation * within / 255) / 255;
  const int rising = value * (255 - saturation * (255 - within) / 255) / 255;
  auto rgb = [](int r, int g, int b) {
    return Rgb{static_cast<uint8_t>(r), static_cast<uint8_t>(g),
               static_cast<uint8_t>(b)};
  };
  switch (sector) {
    case 0: return rgb(value, rising, low);
    case 1: return rgb(falling, value, low);
    case 2: return rgb(low, value, rising);
    case 3: return rgb(low, falling, value);
    case 4: return rgb(rising, low, value);
    default: return rgb(value, low, falling);
  }
}

constexpr uint32_t kGoldenStep = 40503;  // 65536 / golden ratio

uint8_t scaled(int channel, int percent) {
  return static_cast<uint8_t>(std::clamp(channel * percent / 100, 0, 255));
}

}  // namespace

Rgb terrainColour(uint16_t tileId) {
  const uint32_t hue = (tileId * kGoldenStep) % 65536;
  return fromHsv(hue, 90 + (tileId % 3) * 25, 200);
}

Rgb itemColour(uint16_t itemId) {
  // Item ids of one kind tend to lie close together without being
  // neighbours, so the hue comes from a hash of the id.
  uint32_t h = itemId * 0x9E3779B1u;
  h ^= h >> 15;
  h *= 0x85EBCA77u;
  h ^= h >> 13;
  return fromHsv(h & 0xFFFF, 200 + static_cast<int>((h >> 16) % 56),
                 215 + static_cast<int>((h >> 24) % 41));
}

Rgb rankedItemColour(int rank) {
  static constexpr Rgb kColours[kRankedColours] = {
      {230, 25, 75},   {60, 200, 75},   {255, 225, 25},  {0, 130, 200},
      {245, 130, 48},  {145, 30, 180},  {70, 240, 240},  {240, 50, 230},
      {210, 245, 60},  {250, 190, 212}, {0, 128, 128},   {255, 255, 255},
  };
  return kColours[rank % kRankedColours];
}

Rgb shadeTerrain(Rgb colour, int altitude, int risePerCell) {
  // 60 % at the lowest ground, 110 % at the highest; slopes add or take up
  // to 25 %.
  const int height = 60 + (altitude + 128) * 50 / 255;
  const int percent = height + std::clamp(risePerCell * 3, -25, 25);
  return {scaled(colour.r, percent), scaled(colour.g, percent),
          scaled(colour.b, percent)};
}

Rgb outlineOf(Rgb colour) {
  return {scaled(colour.r, 35), scaled(colour.g, 35), scaled(colour.b, 35)};
}

}  // namespace strewgen
