#include "ui/game_preview.h"

#include <QPainter>
#include <algorithm>

#include "core/gamesfile.h"
#include "engine/deal.h"
#include "platform/sys/services.h"
#include "table/geometry.h"
#include "table/layout.h"
#include "table/view/table_view.h"

namespace tw {

namespace {

// Missing pictures are not worth a message box over a preview.
class SilentUi : public sys::UiHooks {
 public:
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void Beep(int) override {}
  void SetHourglass(bool) override {}
  void ProcessMessages() override {}
};

// A ground colour that no card, marker or back uses (BGR).
constexpr gfx::Colour kKey = 0x030201;
constexpr int kTableWidth = 860, kTableHeight = 600;

}  // namespace

QImage RenderGamePreview(const GameContext& main, const gfx::ResourceLibrary& library, int game,
                         QSize box) {
  if (game < 0 || game >= kFirstCustomGame || box.isEmpty()) return QImage();
  SilentUi ui;
  GameContext ctx;
  CreateSharedGlobals(ctx, main.ProgramDir);
  ctx.GamesData = main.GamesData;
  ctx.GameList = main.GameList;
  ctx.Ui = &ui;
  InitCardsAndPiles(ctx);
  ctx.SetCfg(cfg::Game, std::to_string(game));
  if (!LoadGameRules(ctx)) return QImage();
  ctx.SetCfg(cfg::DealNumber, "0000000000001");
  if (!DealCards(ctx)) return QImage();
  // The medium cards scaled down read better than the small ones scaled up.
  ctx.SetCfg(cfg::Card_Size, "M");
  ctx.SetCfg(cfg::Card, "003");
  ctx.SetCfg(cfg::Back_Card, "006");
  ctx.SetCfg(cfg::Background_def, "N");
  ctx.SetCfg(cfg::Piles_TT, "N");
  ctx.SetCfg(cfg::Cards_Shadowed, "N");
  SetCardSize(ctx);
  SetFanSteps(ctx);
  ResetPilePositions(ctx);
  LayoutInput in;
  in.FormWidth = kTableWidth + 16;
  in.FormHeight = kTableHeight + 28;
  in.ClientHeight = kTableHeight;
  in.ScrollBarWidth = 16;
  in.ScreenWidth = 1280;
  in.ScreenHeight = 1024;
  ComputeLayout(ctx, in);

  TableView view(ctx, library);
  const int tableHeight = kTableHeight * 2;
  view.SetTableSize(kTableWidth + 30, tableHeight);
  view.SetWindowSize(kTableWidth, kTableHeight);
  view.ReloadCardPictures();
  ctx.TfrmMain.GameInProgress = 1;
  ctx.GameState.ScrollOffsetY() = 0;
  view.PaintBackground(view.TableBmp(), 1, kKey, 0, false);
  view.DrawTable(view.TableBmp(), false);

  // Ground keyed out, then cut to what was drawn.
  QImage table = view.TableBmp().Image().convertToFormat(QImage::Format_ARGB32);
  const QRgb key = qRgb(kKey & 0xFF, (kKey >> 8) & 0xFF, (kKey >> 16) & 0xFF);
  int left = table.width(), top = table.height(), right = -1, bottom = -1;
  for (int y = 0; y < table.height(); ++y) {
    QRgb* row = reinterpret_cast<QRgb*>(table.scanLine(y));
    for (int x = 0; x < table.width(); ++x) {
      if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF)) {
        row[x] = 0;
        continue;
      }
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < left) return QImage();
  const int margin = 6;
  QRect used(QPoint(left, top), QPoint(right, bottom));
  used.adjust(-margin, -margin, margin, margin);
  used = used.intersected(table.rect());
  QImage cut = table.copy(used);
  if (cut.width() > box.width() || cut.height() > box.height())
    cut = cut.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  return cut;
}

}  // namespace tw
