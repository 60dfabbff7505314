// The card-counter window.
#include "ui/card_counter.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSignalBlocker>

#include "core/cards.h"
#include "core/datafiles.h"
#include "platform/gfx/reslib.h"
#include "platform/sys/ini.h"

namespace tw {

namespace {

constexpr int kClientWidth = 198;
// Picture heights for one and two decks (room for the rows and a margin).
constexpr int kOneDeckHeight = 76;
constexpr int kTwoDeckHeight = 149;
constexpr int kRowCount = 16;
constexpr int kStockKind = 1, kWasteKind = 2;
const QColor kFormColour(212, 208, 200);

int RowY(int row) { return 3 + 18 * row; }
int CellX(int rank) { return rank * 14 + 2; }

const char* const kSuitIcons[] = {"card_hearts", "card_diamonds", "card_clubs", "card_spades"};

const char* YesNo(bool b) { return b ? "Y" : "N"; }

}  // namespace

CardCounterWindow::CardCounterWindow(GameContext& ctx, const gfx::ResourceLibrary& library,
                                     QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ctx_(ctx),
      library_(library),
      cells_(105, Cell::None) {
  setObjectName("frmCardCounter");
  setWindowTitle("Card counter");
  setProperty("helpContext", 1022);
  menu_ = new QMenuBar(this);
  QMenu* options = menu_->addMenu("&Options");
  mnu_tableau_ = options->addAction("&Tableau only");
  mnu_stock_ = options->addAction("&Stock only");
  options->addSeparator();
  mnu_inverted_ = options->addAction("&Inverted");
  mnu_tableau_->setObjectName("mnuTableau");
  mnu_stock_->setObjectName("mnuStock");
  mnu_inverted_->setObjectName("mnuInverted");
  for (QAction* a : {mnu_tableau_, mnu_stock_, mnu_inverted_}) a->setCheckable(true);
  // The handlers keep the check marks themselves.
  connect(mnu_tableau_, &QAction::triggered, this, [this] { mnuTableauClick(); });
  connect(mnu_stock_, &QAction::triggered, this, [this] { mnuStockClick(); });
  connect(mnu_inverted_, &QAction::triggered, this, [this] { mnuInvertedClick(); });
  menu_->move(0, 0);
  rows_ = 0;  // forces the first sizing
  ResetCounter();
}

CardCounterWindow::~CardCounterWindow() = default;

int CardCounterWindow::CardCount() const {
  // Without rules (no game yet) one deck shows.
  return ctx_.GameRules.CardCount() > 52 ? 104 : 52;
}

CardCounterWindow::Cell CardCounterWindow::CellOf(int card) const {
  if (card < 1 || card > 104) return Cell::None;
  return cells_[static_cast<size_t>(card)];
}

void CardCounterWindow::ResetCounter() {
  const int rows = CardCount() / 13;
  if (rows != rows_) {
    rows_ = rows;
    const int menuHeight = menu_->sizeHint().height();
    menu_->resize(kClientWidth, menuHeight);
    setFixedSize(kClientWidth, menuHeight + (rows == 8 ? kTwoDeckHeight : kOneDeckHeight));
  }
  back_ = QImage(kClientWidth, rows_ == 8 ? kTwoDeckHeight : kOneDeckHeight, QImage::Format_RGB32);
  back_.fill(kFormColour);
  {
    // The lowered panel along the top.
    QPainter p(&back_);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, kClientWidth - 1, 0);
    p.setPen(QColor(255, 255, 255));
    p.drawLine(0, 1, kClientWidth - 1, 1);
    for (int row = 0; row < kRowCount; ++row) {
      const QImage icon = library_.LoadBitmap(kSuitIcons[row % 4]).Image();
      if (!icon.isNull()) p.drawImage(0, RowY(row), icon);
    }
  }
  std::fill(cells_.begin(), cells_.end(), Cell::None);
  for (int card = 1; card <= CardCount(); ++card) DrawCardCell(card, false, 2);
  Redraw();
}

void CardCounterWindow::DrawCardCell(int card, bool faceUp, int mode) {
  // Codes outside the deal (0 among them) have no cell.
  if (card < 1 || card > CardCount()) return;
  if (inverted_) faceUp = !faceUp;
  const int rank = CardRank(card);
  const int row = (card - 1) / 13;
  std::string name = "Card_None";
  Cell cell = Cell::None;
  if (mode != 2) {
    name = "Card_" + std::to_string(rank) + (faceUp ? "_Up" : "_Down");
    cell = faceUp ? Cell::Up : Cell::Down;
  }
  cells_[static_cast<size_t>(card)] = cell;
  const QImage picture = library_.LoadBitmap(name).Image();
  if (picture.isNull() || row * 18 + 3 >= back_.height()) return;
  QPainter p(&back_);
  p.drawImage(CellX(rank), RowY(row), picture);
}

// Cards change during busy-wait flights: the change is shown at once.
void CardCounterWindow::Redraw() { repaint(); }

void CardCounterWindow::RefreshCounter() {
  ResetCounter();
  const GameRulesRecord& rules = ctx_.GameRules;
  auto pile = [](const StringList& list, int i) -> const std::string* {
    return i >= 0 && i < static_cast<int>(list.size()) ? &list[static_cast<size_t>(i)] : nullptr;
  };
  auto each = [this](const std::string* cards, auto&& draw) {
    if (!cards) return;
    const int n = PileCardCount(*cards);
    for (int k = 0; k < n; ++k) {
      const int card = PileCardAt(*cards, k);
      if (card > 0) draw(card, k == n - 1);
    }
  };
  if (!(tableau_ && !stock_)) {
    each(pile(ctx_.MazzoPiles, 0), [this](int card, bool) { DrawCardCell(card, false, 1); });
    if (rules.HasStock() == 1 && rules.HasWaste() == 1) {
      each(pile(ctx_.MazzoPiles, 1), [this](int card, bool) { DrawCardCell(card, true, 1); });
    } else if (rules.HasStock() == 0 && rules.HasWaste() == 1) {
      // The waste stands in for the stock: only its top card shows.
      each(pile(ctx_.MazzoPiles, 1), [this](int card, bool last) { DrawCardCell(card, last, 1); });
    }
  }
  if (stock_ && !tableau_) {
    Redraw();
    return;
  }
  auto byFace = [this](int card, bool) { DrawCardCell(card, IsFaceUp(ctx_, card), 1); };
  for (int i = 0; i < std::min<int>(rules.TableauCount(), kMaxTableaus); ++i) {
    each(pile(ctx_.FilaPiles, i), byFace);
  }
  for (int i = 0; i < std::min<int>(rules.FoundationCount(), kMaxFoundations); ++i) {
    each(pile(ctx_.DestPiles, i), byFace);
  }
  for (int i = 0; i < std::min<int>(rules.ReserveCount(), kMaxReserves); ++i) {
    each(pile(ctx_.AppoggPiles, i), byFace);
  }
  each(pile(ctx_.MazzoPiles, 2), byFace);
  Redraw();
}

void CardCounterWindow::RefreshIfPlaying() {
  if (ctx_.TfrmMain.GameInProgress == 1) RefreshCounter();
}

void CardCounterWindow::UpdateCard(int card, int pileKind, int mode, int faceUp) {
  if (card == -1) {
    if (stock_ || !tableau_) RefreshCounter();
    return;
  }
  if (card < 0) return;
  const bool stockSide = pileKind == kStockKind || pileKind == kWasteKind;
  if ((!stock_ && !tableau_) || (stockSide && stock_) || (!stockSide && tableau_)) {
    DrawCardCell(card, faceUp == 1, mode);
    Redraw();
  }
}

void CardCounterWindow::UpdateWasteTop(int pileKind) {
  if (tableau_ && !stock_) return;
  const GameRulesRecord& rules = ctx_.GameRules;
  if (pileKind != kWasteKind || rules.HasStock() != 0 || rules.HasWaste() != 1) return;
  if (ctx_.MazzoPiles.size() < 2) return;
  const int top = TopCard(ctx_.MazzoPiles[1]);
  if (top <= 0) return;
  DrawCardCell(top, true, 1);
  Redraw();
}

void CardCounterWindow::SyncChecks() {
  for (auto [a, on] : {std::pair{mnu_tableau_, tableau_}, std::pair{mnu_stock_, stock_},
                       std::pair{mnu_inverted_, inverted_}}) {
    QSignalBlocker block(a);
    a->setChecked(on);
  }
}

void CardCounterWindow::mnuTableauClick() {
  tableau_ = !tableau_;
  if (tableau_) stock_ = false;
  SyncChecks();
  RefreshCounter();
  SaveCounterSettings();
}

void CardCounterWindow::mnuStockClick() {
  stock_ = !stock_;
  if (stock_) tableau_ = false;
  SyncChecks();
  RefreshCounter();
  SaveCounterSettings();
}

void CardCounterWindow::mnuInvertedClick() {
  inverted_ = !inverted_;
  SyncChecks();
  RefreshCounter();
  SaveCounterSettings();
}

void CardCounterWindow::SaveCounterSettings() {
  sys::IniFile ini(CfgFilePath(ctx_));
  ini.WriteString("Preference", "CardCounter_Stock", YesNo(stock_));
  ini.WriteString("Preference", "CardCounter_Tableau", YesNo(tableau_));
  ini.WriteString("Preference", "CardCounter_Inverse", YesNo(inverted_));
  ini.WriteInteger("Preference", "CardCounter_Left", x());
  ini.WriteInteger("Preference", "CardCounter_Top", y());
  ini.WriteString("Preference", "CardCounter_Visible", YesNo(isVisible()));
}

bool CardCounterWindow::LoadCounterSettings() {
  const sys::IniFile ini(CfgFilePath(ctx_));
  const bool stock = ini.ReadString("Preference", "CardCounter_Stock", "N") == "Y";
  const bool tableau = ini.ReadString("Preference", "CardCounter_Tableau", "N") == "Y";
  const bool inverse = ini.ReadString("Preference", "CardCounter_Inverse", "N") == "Y";
  const bool visible = ini.ReadString("Preference", "CardCounter_Visible", "N") == "Y";
  const int left = ini.ReadInteger("Preference", "CardCounter_Left", -1);
  const int top = ini.ReadInteger("Preference", "CardCounter_Top", -1);
  // A position never saved (or off the top-left edge) leaves the system's.
  if (left > 0 && top > 0) {
    move(left, top);
    placed_ = true;
  }
  stock_ = stock;
  tableau_ = !stock && tableau;
  inverted_ = inverse;
  SyncChecks();
  return visible;
}

void CardCounterWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), kFormColour);
  p.drawImage(0, menu_->height(), back_);
}

void CardCounterWindow::showEvent(QShowEvent* event) {
  placed_ = true;
  QWidget::showEvent(event);
}

void CardCounterWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (on_closed_) on_closed_();
}

}  // namespace tw
