#include "table/view/corners.h"

#include "platform/gfx/draw.h"

namespace tw {

void CopyCornerGroups(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target, int smallWidth,
                      QRect to, unsigned groups) {
  for (const QPoint& p : CornerPixels(to, groups, smallWidth)) {
    const gfx::Colour c = gfx::GetPixel(source, from.left() + p.x(), from.top() + p.y());
    if (c != gfx::kInvalidColour) gfx::SetPixel(target, to.left() + p.x(), to.top() + p.y(), c);
  }
}

std::vector<QPoint> CornerPixels(QRect r, unsigned groups, int smallWidth) {
  const int w = r.width(), h = r.height();
  const bool three = w != smallWidth;
  std::vector<QPoint> out;
  out.reserve(12);
  auto group = [&](unsigned g, QPoint corner, int dx, int dy) {
    if (!(groups & g)) return;
    out.push_back(corner);
    if (three) {
      out.push_back(corner + QPoint(dx, 0));
      out.push_back(corner + QPoint(0, dy));
    }
  };
  group(kTopLeftCorner, QPoint(0, 0), 1, 1);
  group(kTopRightCorner, QPoint(w - 1, 0), -1, 1);
  group(kBottomLeftCorner, QPoint(0, h - 1), 1, -1);
  group(kBottomRightCorner, QPoint(w - 1, h - 1), -1, -1);
  return out;
}

void MaskCardCorners(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target, int smallWidth,
                     QRect to) {
  CopyCornerGroups(source, from, target, smallWidth, to, kAllCorners);
}

void MaskCardTopCorners(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target, int smallWidth,
                        QRect to) {
  CopyCornerGroups(source, from, target, smallWidth, to, kTopCorners);
}

void MaskCardBottomCorners(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target,
                           int smallWidth, QRect to) {
  CopyCornerGroups(source, from, target, smallWidth, to, kBottomCorners);
}

void MaskCardBottomCornersShaded(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target,
                                 int smallWidth, QRect to) {
  CopyCornerGroups(source, from, target, smallWidth, to, kBottomLeftCorner);
  for (const QPoint& p : CornerPixels(to, kBottomRightCorner, smallWidth))
    gfx::SetPixel(target, to.left() + p.x(), to.top() + p.y(), gfx::kSilver);
}

void MaskCardBottomRightCorner(const gfx::Bitmap& source, QRect from, gfx::Bitmap& target,
                               int smallWidth, QRect to) {
  CopyCornerGroups(source, from, target, smallWidth, to, kBottomRightCorner);
}

void MarkCardCorners(gfx::Colour colour, gfx::Bitmap& canvas, QRect r, int smallWidth) {
  for (const QPoint& p : CornerPixels(r, kAllCorners, smallWidth))
    gfx::SetPixel(canvas, r.left() + p.x(), r.top() + p.y(), colour);
}

std::vector<QPoint> DitheredShadowPixels(QRect r) {
  const int L = r.left(), T = r.top(), R = L + r.width(), B = T + r.height();
  std::vector<QPoint> out;
  out.reserve(12);
  for (int x = R; x <= R + 6; ++x) {
    const int start = x == R + 6 ? T + 9 : T + 7 + (x - R) % 2;
    for (int y = start; y <= B; y += 2) out.emplace_back(x, y);
  }
  for (int y = B; y <= B + 6; ++y) {
    const int start = y == B + 6 ? L + 10 : L + 8 + (y - B) % 2;
    const int last = y <= B + 4 ? R + 6 : R + 4;
    for (int x = start; x <= last; x += 2) out.emplace_back(x, y);
  }
  out.emplace_back(R - 1, B - 2);
  out.emplace_back(R - 2, B - 1);
  return out;
}

void DrawDitheredShadow(gfx::Bitmap& target, QRect r) {
  for (const QPoint& p : DitheredShadowPixels(r)) gfx::SetPixel(target, p.x(), p.y(), gfx::kBlack);
}

}  // namespace tw
