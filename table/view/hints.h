// Drawing of the table's small indicators (foundation hint boxes, the batch
// counter) and of the pause screen. Everything goes to the window canvas and
// the table picture at window coordinates; the window canvas part is shown
// at once.
#pragma once

#include <QRect>
#include <array>
#include <optional>
#include <string>

#include "core/state.h"
#include "platform/gfx/bitmap.h"
#include "table/view/play_drawing.h"

namespace tw {

// The four boxes above foundations 1..4 with the rank each needs next; a
// foundation without a hint gets the table back where its box was.
void DrawFoundationHints(GameContext& ctx, PlayDrawing& drawing);
void DrawFoundationHint(GameContext& ctx, PlayDrawing& drawing, int i, int y);
// The "n/20" box under the waste.
void DrawBatchCounter(GameContext& ctx, PlayDrawing& drawing);

// Poker squares: the score panel centred on the waste's column at the row
// of tableau pile 11 (its place kept in GameState), its three text lines (an
// absent line 1 or 2 stays as it was), and the inversion of a hand's five
// cards (a second call shows them as they were).
void DrawPokerPanel(GameContext& ctx, PlayDrawing& drawing);
void DrawPokerPanelText(GameContext& ctx, PlayDrawing& drawing,
                        const std::optional<std::string>& line1,
                        const std::optional<std::string>& line2, const std::string& label,
                        const std::string& value);
std::array<QRect, 5> PokerHandRects(const GameContext& ctx, const std::array<int, 5>& piles);

// The two pause pictures' places for a window (form) size.
struct PausePlacement {
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};
PausePlacement PlacePausePictures(int formWidth, int formHeight, QSize p1, QSize p2);

// The pause screen: the bare table replaced by green (fading to black above
// 256 colours) with the two pictures; the first slides left and right over
// the second's width, one Step at a time. The table is drawn again by its
// owner when the pause ends.
class PauseScreen {
 public:
  explicit PauseScreen(PlayDrawing& drawing) : drawing_(drawing) {}

  void Show(const gfx::Bitmap& p1, const gfx::Bitmap& p2, int formWidth, int formHeight,
            bool gradient);
  // Three pixels on; at each end the picture stays one step and turns.
  void Step();
  void Hide() { shown_ = false; }
  bool Shown() const { return shown_; }
  int SliderX() const { return p_; }
  const PausePlacement& Placement() const { return place_; }

 private:
  PlayDrawing& drawing_;
  bool shown_ = false;
  PausePlacement place_;
  int w1_ = 0, h1_ = 0, w2_ = 0, h2_ = 0;
  int range_ = 0, p_ = 0;
  bool right_ = true;
};

}  // namespace tw
