// The card counter: a small tool window with one row per suit and deck and
// one cell per rank, showing for every card of the deal whether it lies face
// up, face down or has not been located. The engine tells it about every
// card that moves; its options limit it to the stock side or the table.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/state.h"
#include "engine/ports.h"

class QAction;
class QMenuBar;

namespace tw {

namespace gfx {
class ResourceLibrary;
}

class CardCounterWindow : public QWidget, public CardCounterPort {
  Q_OBJECT

 public:
  enum class Cell { None, Up, Down };

  // The window belongs to parent (the main window): it stays above it,
  // minimises and closes with it.
  CardCounterWindow(GameContext& ctx, const gfx::ResourceLibrary& library, QWidget* parent);
  ~CardCounterWindow() override;

  // CardCounterPort. faceUp 1 draws the card up; mode 2 clears its cell.
  bool Visible() const override { return isVisible(); }
  void UpdateCard(int card, int pileKind, int mode, int faceUp) override;
  void UpdateWasteTop(int pileKind) override;

  // Sizes the window for the deal's card count and clears every cell.
  void ResetCounter();
  // Every cell from the current piles.
  void RefreshCounter();
  void RefreshIfPlaying();

  // "CardCounter_*" keys of the preferences; Load returns whether the
  // window was open when the program last ended.
  void SaveCounterSettings();
  bool LoadCounterSettings();

  // Whether the window has a place yet: a saved one, or shown before.
  bool Placed() const { return placed_; }

  // Called when the window is closed (the main window's check mark).
  void SetOnClosed(std::function<void()> f) { on_closed_ = std::move(f); }

  // What a cell shows now (tests read the model, not pixels); card 1..104.
  Cell CellOf(int card) const;
  // Rows in use: 4 for one deck, 8 for two.
  int DeckRows() const { return rows_; }
  bool TableauOnly() const { return tableau_; }
  bool StockOnly() const { return stock_; }
  bool Inverted() const { return inverted_; }
  QAction* TableauAction() const { return mnu_tableau_; }
  QAction* StockAction() const { return mnu_stock_; }
  QAction* InvertedAction() const { return mnu_inverted_; }
  const QImage& Picture() const { return back_; }

  void mnuTableauClick();
  void mnuStockClick();
  void mnuInvertedClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void DrawCardCell(int card, bool faceUp, int mode);
  void SyncChecks();
  int CardCount() const;
  void Redraw();

  GameContext& ctx_;
  const gfx::ResourceLibrary& library_;
  QMenuBar* menu_ = nullptr;
  QAction* mnu_tableau_ = nullptr;
  QAction* mnu_stock_ = nullptr;
  QAction* mnu_inverted_ = nullptr;
  bool tableau_ = false;
  bool stock_ = false;
  bool inverted_ = false;
  bool placed_ = false;
  int rows_ = 4;
  QImage back_;
  std::vector<Cell> cells_;
  std::function<void()> on_closed_;
};

}  // namespace tw
