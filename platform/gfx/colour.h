// Platform colour values: blue, green and red bytes ($00BBGGRR, so $FF0000 is
// blue); a negative value names a system colour by its index in the low byte.
#pragma once

#include <QRgb>
#include <cstdint>

namespace tw::gfx {

using Colour = std::int32_t;

// What a pixel read outside a surface returns.
constexpr Colour kInvalidColour = -1;

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kSilver = 0xC0C0C0;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kLime = 0x00FF00;
constexpr Colour kGreen = 0x008000;  // also the pause pictures' transparent colour
constexpr Colour kTableGreen = 0x006000;
constexpr Colour kButtonFace = static_cast<Colour>(0x8000000F);
constexpr Colour kWindowColour = static_cast<Colour>(0x80000005);

constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>((b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF));
}

// System colours resolve to fixed classic values; the top byte of other
// values is ignored.
QRgb ToQRgb(Colour colour);
// Opaque colour of an image pixel; alpha is dropped.
Colour FromQRgb(QRgb rgb);

}  // namespace tw::gfx
