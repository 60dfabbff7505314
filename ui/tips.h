// The tip of the day: one tip a page, stepped through with wrapping
// Previous and Next; the page and the start-up switch are kept in the
// preferences when the dialog goes.
#pragma once

#include <QDialog>
#include <string>

#include "core/state.h"

class QCheckBox;
class QLabel;

namespace tw {

inline constexpr int kTipCount = 19;
// The tip of a page, 0-based.
const char* TipText(int page);

class TipsDialog : public QDialog {
  Q_OBJECT

 public:
  // Shows the page after the one shown last ("Tips_Num").
  TipsDialog(GameContext& ctx, QWidget* parent);
  // Writes "Tips_Num" and "Tips_StartUp".
  ~TipsDialog() override;

  void btnPreviousClick();
  void btnNextClick();
  int Page() const { return page_; }
  QCheckBox* StartupBox() const { return chk_startup_; }
  QString ShownText() const;

 private:
  void ShowPage(int page);

  GameContext& ctx_;
  int page_ = 0;
  QLabel* lbl_tip_ = nullptr;
  QCheckBox* chk_startup_ = nullptr;
};

}  // namespace tw
