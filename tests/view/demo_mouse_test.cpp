// Every shipped demonstration played as a player plays it: each recorded
// move made through the table's mouse handlers on a drawn table (a drag from
// the card's own place onto the target pile's top card, a click on each card
// of a selection, a click on the stock), each move leaving the table the
// recorded move leaves, the window showing what a full redraw of that table
// shows, and the last move winning the deal.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/demo_source.h"
#include "engine/executor.h"
#include "platform/sys/files.h"
#include "tests/common/table_text.h"
#include "tests/view/play_fixture.h"

namespace tw {
namespace {

using testing::PlayTest;
using testing::TableText;

std::vector<std::string> DemoSources() {
  std::vector<std::string> files;
  const std::filesystem::path dir = std::filesystem::path(TW_SOURCE_DIR) / "data" / "demos";
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (entry.path().extension() == ".demo") files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  return files;
}

class DemoByMouseTest : public PlayTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    PlayTest::SetUp();
    // As the main window has it: a whole redraw includes the score panels.
    view.Hooks().DrawGameKindExtras = [this](int kind) { play.DrawGameKindExtras(kind); };
  }

  // The window shows the card's own face under the point (what is clicked
  // is what is seen); a card shown as a back passes.
  bool DrawnAt(int card, QPoint p) {
    const HitResult h = HitTest(ctx, p.x(), p.y());
    const bool back = !IsFaceUp(ctx, card) || (h.Pile == "Mazzo" && ctx.GameRules.StockFaceDown());
    if (back) return true;
    const gfx::Bitmap& face = view.Pictures().CardFaces[static_cast<size_t>((card - 1) % 52)];
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const int fx = p.x() + dx - h.Left, fy = p.y() + dy - h.Top;
        if (fx < 4 || fy < 4 || fx >= ctx.CardWidth - 4 || fy >= ctx.CardHeight - 4) continue;
        if (At(view.WindowCanvas(), p.x() + dx, p.y() + dy) != At(face, fx, fy)) return false;
      }
    return true;
  }

  // The card's rectangle in a fanned pile, covered or not.
  bool PlaceOf(int card, Rect& r) {
    for (PileKind kind : {PileKind::Tableau, PileKind::Reserve}) {
      if (kind == PileKind::Tableau && ctx.GameRules.TableauLayout() == 8) continue;
      const StringList& piles = kind == PileKind::Tableau ? ctx.FilaPiles : ctx.AppoggPiles;
      for (size_t i = 0; i < piles.size(); ++i) {
        const int n = PileCardCount(piles[i]);
        for (int j = 0; j < n; ++j) {
          if (PileCardAt(piles[i], j) != card) continue;
          const std::string name = PileName(kind, static_cast<int>(i));
          const int x = CardLeftX(ctx, name, static_cast<int>(i), n - j, false);
          const int y = CardTopY(ctx, name, static_cast<int>(i), n - j, false);
          r = Rect{x, y, x + ctx.CardWidth, y + ctx.CardHeight};
          return true;
        }
      }
    }
    return false;
  }

  // A point on the card where the table's hit test finds that very card:
  // its centre when nothing covers it, else the part of it that shows.
  bool PointOn(int card, QPoint& p) {
    Rect places[2];
    const bool fanned = PlaceOf(card, places[0]);
    const bool found = FindCardRect(ctx, card, places[1]);
    for (const Rect& r : places) {
      if ((&r == &places[0] && !fanned) || (&r == &places[1] && !found)) continue;
      const int w = r.Right - r.Left, h = r.Bottom - r.Top;
      for (int fy : {50, 8, 25, 75, 92}) {
        for (int fx : {50, 20, 80, 8, 92}) {
          const QPoint at(r.Left + w * fx / 100, r.Top + h * fy / 100);
          if (HitTest(ctx, at.x(), at.y()).Card == card && DrawnAt(card, at)) {
            p = at;
            return true;
          }
        }
      }
    }
    return false;
  }

  // Where the lifted picture is set down: over the target pile's top card,
  // or its empty place.
  QPoint DropPlace(const std::string& target) {
    int index = 0;
    ParsePileName(target, index);
    return QPoint(CardLeftX(ctx, target, index, 0, false), CardTopY(ctx, target, index, 0, false));
  }

  // The move made with the mouse; an empty text when it could be made.
  std::string Gesture(const DemoMove& move) {
    switch (move.kind) {
      case DemoMove::Kind::Stock:
        Click(StockCentre(0));
        return "";
      case DemoMove::Kind::Select:
        for (int card : move.cards) {
          QPoint p;
          if (!PointOn(card, p)) return "card " + DemoCardName(card) + " cannot be clicked";
          Click(p);
        }
        return "";
      case DemoMove::Kind::Drop:
        break;
    }
    QPoint from;
    if (!PointOn(move.drop.card, from)) return "the card cannot be picked up";
    const HitResult picked = HitTest(ctx, from.x(), from.y());
    const Rect r{picked.Left, picked.Top, picked.Right, picked.Bottom};
    if (move.drop.target == "Waste") {
      // The discard games play a picked card at once.
      Click(from);
      return "";
    }
    const QPoint to = DropPlace(move.drop.target) + (from - QPoint(r.Left, r.Top));
    Drag(from, to);
    return "";
  }

  // Where the window differs from a full redraw of the same table; an empty
  // rectangle when it does not.
  QRect PictureFault() {
    if (ctx.GameState.ScrollOffsetY() != 0) return {};
    QImage shown = view.WindowCanvas().Image().copy();
    view.PaintBackgroundFromSettings(view.TableBmp());
    view.DrawTable(view.TableBmp(), false);
    QImage full = view.TableBmp().Image().copy(0, 0, shown.width(), shown.height()).convertToFormat(
        shown.format());
    const GameStateRecord& state = ctx.GameState;
    if (ctx.GameRules.GameKind() == 9 && state.PokerPanelWidth() > 0) {
      // The score panel tells the last hand made, which is no part of the table.
      const QRect panel(state.PokerPanelX(), state.PokerPanelY(), state.PokerPanelWidth(),
                        view.Pictures().PokerPanelBmp.Height());
      for (QImage* image : {&shown, &full}) {
        for (int y = panel.top(); y <= panel.bottom() && y < image->height(); ++y)
          for (int x = panel.left(); x <= panel.right() && x < image->width(); ++x)
            image->setPixel(x, y, 0);
      }
    }
    if (full == shown) return {};
    QRect box;
    for (int y = 0; y < shown.height(); ++y) {
      const QRgb* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
      const QRgb* b = reinterpret_cast<const QRgb*>(full.constScanLine(y));
      for (int x = 0; x < shown.width(); ++x) {
        if (a[x] != b[x]) box |= QRect(x, y, 1, 1);
      }
    }
    view.RefreshScreen();
    return box;
  }
};

TEST_P(DemoByMouseTest, WinsItsDealAndShowsEveryMoveWhole) {
  StringList lines;
  DemoSource source;
  std::string error;
  const std::string file = std::string(TW_SOURCE_DIR) + "/data/demos/" + GetParam();
  ASSERT_TRUE(sys::ReadFileLines(file, lines)) << file;
  ASSERT_TRUE(ParseDemoSource(lines, source, error)) << GetParam() << ": " << error;
  const std::string game =
      "game " + std::to_string(source.game) + " " + GameNameFromNumber(ctx, source.game);
  ASSERT_FALSE(GameNameFromNumber(ctx, source.game).empty()) << GetParam() << ": no such game";

  // The recorded moves made by the engine, side by side with the table.
  HeadlessPlay recorded(std::string(TW_DIST_DIR) + "/");
  ASSERT_TRUE(recorded.ready) << recorded.error;
  recorded.ctx.SetCfg(cfg::Game, std::to_string(source.game));
  ASSERT_TRUE(StartDealForPlay(recorded.ctx, source.deal)) << game;

  ctx.SetCfg(cfg::Automatic_FaceUp, "Y");
  ctx.SetCfg(cfg::Undo_Enabled, "0");
  Start(source.game, source.deal.c_str());
  ctx.TfrmMain.AutoPlayOn = 0;
  const std::string deal = game + ", deal " + source.deal;
  ASSERT_EQ(TableText(ctx), TableText(recorded.ctx)) << deal << ": the table deals another deal";
  QRect fault = PictureFault();
  ASSERT_TRUE(fault.isEmpty()) << deal << ": the dealt table is not drawn whole";

  for (size_t k = 0; k < source.moves.size(); ++k) {
    const DemoMove& move = source.moves[k];
    const std::string where =
        deal + ", move " + std::to_string(k + 1) + " (" + FormatDemoMove(move) + ")";
    ASSERT_EQ(flow.gameOvers, 0) << where << ": the deal was over before this move";
    ASSERT_TRUE(ApplyDemoMove(recorded.ctx, move)) << where << ": the engine refuses the move";
    const std::string refused = Gesture(move);
    ASSERT_EQ(refused, "") << where;
    ASSERT_EQ(TableText(ctx), TableText(recorded.ctx))
        << where << ": the mouse did not make the recorded move";
    ASSERT_EQ(ctx.GameState.MovingCard(), 0) << where;
    ASSERT_EQ(ctx.TfrmMain.BusyDepth, 0) << where;
    if (flow.gameOvers == 0) {
      fault = PictureFault();
      ASSERT_TRUE(fault.isEmpty())
          << where << ": the window differs from a full redraw at " << fault.x() << ","
          << fault.y() << " " << fault.width() << "x" << fault.height();
    }
  }
  EXPECT_EQ(flow.gameOvers, 1) << deal << ": the moves made with the mouse do not win it";
}

INSTANTIATE_TEST_SUITE_P(Demos, DemoByMouseTest, ::testing::ValuesIn(DemoSources()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param.substr(0, info.param.size() - 5);
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return "G" + name;
                         });

}  // namespace
}  // namespace tw
