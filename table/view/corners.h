// The rounded corners of cards on the table and the dithered shadow of a
// lifted run. Cards are drawn square; three pixels at each corner are then
// set from what lies beneath (or the table), so every card looks rounded
// whatever it lies on.
//
// Rectangles are QRect(left, top, width, height) in the callers'
// coordinates; each surface adds its own y-offset (see gfx::Bitmap), so a
// copy between the scrolled table picture and the window or a card picture
// lands on the same rows on both sides.
#pragma once

#include <QPoint>
#include <QRect>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace tw {

enum CornerGroups : unsigned {
  kTopLeftCorner = 1,
  kTopRightCorner = 2,
  kBottomLeftCorner = 4,
  kBottomRightCorner = 8,
  kTopCorners = kTopLeftCorner | kTopRightCorner,
  kBottomCorners = kBottomLeftCorner | kBottomRightCorner,
  kAllCorners = kTopCorners | kBottomCorners,
};

// Offsets from the rectangle's top-left of the pixels of the groups: three
// per corner, or one when the rectangle's width equals smallWidth.
std::vector<QPoint> CornerPixels(QRect r, unsigned groups, int smallWidth);

// The pixels of the chosen groups copied from source to target.
void CopyCornerGroups(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target, int smallWidth,
                      QRect to, unsigned groups);
// Each pixel of the groups copied from the source rectangle to the same
// place of the target rectangle; pixels outside either surface are skipped.
void MaskCardCorners(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target, int smallWidth,
                     QRect to);
void MaskCardTopCorners(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target, int smallWidth,
                        QRect to);
void MaskCardBottomCorners(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target,
                           int smallWidth, QRect to);
// Bottom-left copied, bottom-right silver: the lit edge of a shaded card.
void MaskCardBottomCornersShaded(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target,
                                 int smallWidth, QRect to);
void MaskCardBottomRightCorner(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target,
                               int smallWidth, QRect to);
// Every corner pixel set to one colour.
void MarkCardCorners(gfx::Colour colour, gfx::Bitmap& canvas, QRect r, int smallWidth);

// Black pixels right of and below the rectangle in a checker pattern, plus
// the two that square off the card's own bottom-right corner.
void DrawDitheredShadow(gfx::Bitmap& target, QRect r);
// The pixels DrawDitheredShadow sets, for the rectangle L, T, R, B (right
// and bottom exclusive).
std::vector<QPoint> DitheredShadowPixels(QRect r);

}  // namespace tw
