#include "platform/gfx/colour.h"

#include <array>

namespace tw::gfx {

namespace {

// Classic system colours, index = the platform's system colour number.
constexpr std::array<QRgb, 31> kSystemColours = {
    0xC8C8C8,  // scroll bar
    0x3A6EA5,  // desktop
    0x0A246A,  // active caption
    0x808080,  // inactive caption
    0xD4D0C8,  // menu
    0xFFFFFF,  // window
    0x000000,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0xFFFFFF,  // caption text
    0xD4D0C8,  // active border
    0xD4D0C8,  // inactive border
    0x808080,  // application workspace
    0x0A246A,  // highlight
    0xFFFFFF,  // highlight text
    0xD4D0C8,  // button face
    0x808080,  // button shadow
    0x808080,  // grey text
    0x000000,  // button text
    0xD4D0C8,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x404040,  // 3-D dark shadow
    0xD4D0C8,  // 3-D light
    0x000000,  // tooltip text
    0xFFFFE1,  // tooltip background
    0xB5B5B5,  // (unused)
    0x000080,  // hot light
    0xA6CAF0,  // gradient active caption
    0xC0C0C0,  // gradient inactive caption
    0x316AC5,  // menu highlight
    0xD4D0C8,  // menu bar
};

}  // namespace

QRgb ToQRgb(Colour colour) {
  if (colour < 0) {
    const unsigned index = static_cast<unsigned>(colour) & 0xFFu;
    const QRgb rgb = index < kSystemColours.size() ? kSystemColours[index] : 0;
    return 0xFF000000u | rgb;
  }
  const unsigned v = static_cast<unsigned>(colour);
  return qRgb(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
              static_cast<int>((v >> 16) & 0xFF));
}

Colour FromQRgb(QRgb rgb) { return Rgb(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

}  // namespace tw::gfx
