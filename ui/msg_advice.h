// The advice box: a message with a picture and a "don't show again" check
// box, shown through ShowAdvice (core/datafiles.h).
#pragma once

#include <QDialog>

#include "core/datafiles.h"

class QCheckBox;
class QLabel;
class QStackedWidget;

namespace tw {

class MsgAdviceDialog : public QDialog {
  Q_OBJECT

 public:
  // Pages of the picture: the colour page and the screen-size page.
  enum Page { kColorPage = 0, kScreenPage = 1 };

  explicit MsgAdviceDialog(QWidget* parent = nullptr);
  // "\r" in the text breaks the line.
  void SetMessage(const std::string& text, int page);
  QString Message() const;
  int Page() const;
  bool DontShowAgain() const;
  QCheckBox* DontShowBox() const { return chk_not_display_; }

 private:
  QLabel* lbl_message_ = nullptr;
  QCheckBox* chk_not_display_ = nullptr;
  QStackedWidget* notebook_ = nullptr;
};

// The dialog ShowAdvice shows: modal over parent; true when the box was ticked.
AdviceDialog QtAdviceDialog(QWidget* parent);

}  // namespace tw
