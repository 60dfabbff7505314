// Tools/Options: confirmations, winning animation, table scroll bar, toolbar
// look, time and score panels, tool tips, undo mode, and the clearing of
// hi-scores and statistics. OK writes DATA\CFG.DAT and the settings record;
// the main window applies them when the dialog has closed.
#pragma once

#include <QDialog>
#include <functional>

#include "core/state.h"

class QCheckBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tw {

class TfrmOpzioni : public QDialog {
  Q_OBJECT

 public:
  TfrmOpzioni(GameContext& ctx, QWidget* parent);

  void SetHelp(std::function<void(int context)> help) { help_ = std::move(help); }
  void SetClearStatistics(std::function<void()> f) { clear_statistics_ = std::move(f); }

  // Controls by their names (tests).
  QCheckBox* Check(const char* name) const;
  QRadioButton* UndoItem(int index) const;
  QPushButton* Button(const char* name) const;
  QTabWidget* Pages() const { return pages_; }

  // After OK: what the window applies.
  bool ToolbarLarge() const;
  bool ToolbarFlat() const;
  bool ScrollBarChanged() const { return scroll_changed_; }

  void FormShow();
  void btnOKClick();
  void btnClearScoresClick();

 private:
  GameContext& ctx_;
  QTabWidget* pages_ = nullptr;
  QRadioButton* undo_[3] = {};
  std::function<void(int)> help_;
  std::function<void()> clear_statistics_;
  bool scroll_changed_ = false;
};

}  // namespace tw
