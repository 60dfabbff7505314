// The pictures of the Images folder: card backs ("DB001".."DB027", plus
// "DM006" and "DL006" for the smaller sizes) and table backgrounds ("B101"..
// "B105", "B257".."B324"), each with the caption and tree folder the Customize
// dialog shows. The demo-mode tile is "Y001".
#pragma once

#include <span>
#include <string>

namespace tw::gfx {

struct PictureInfo {
  int number;
  const char* caption;
  const char* folder;
};

// Backs 1..27 in number order.
std::span<const PictureInfo> CardBacks();
// 101..105 (for displays of 256 colours or fewer), then 257..324.
std::span<const PictureInfo> Backgrounds();

// "DB011", "B101": the file name without ".bmp".
std::string BackFileName(char size_letter, int number);
std::string BackgroundFileName(int number);

constexpr int kDefaultBack = 11;
constexpr int kSmallSizeBack = 6;  // the only back of sizes M and L

}  // namespace tw::gfx
