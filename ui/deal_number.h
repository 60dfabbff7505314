// The deal-number dialog: the player types (or picks from the recent ones)
// the number of the deal to play.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "core/state.h"

class QComboBox;
class QPushButton;

namespace tw {

namespace qt {
class Prompts;
}

inline constexpr int kDealNumberHelpContext = 1001;

enum class DealNumberCheck { Ok, Nothing, TooLong, NotDigits };

// The typed text with blanks on either side removed: more than 13
// characters or anything but digits is refused; an empty text or the value 0
// asks for nothing. When Ok, digits holds the number padded to 13 digits.
DealNumberCheck CheckDealNumber(const std::string& text, std::string& digits);
// The message for a refused text ("" for Ok and Nothing).
std::string DealNumberMessage(DealNumberCheck check);

class DealNumberDialog : public QDialog {
  Q_OBJECT

 public:
  DealNumberDialog(GameContext& ctx, qt::Prompts& prompts, QWidget* parent);

  // The recent numbers in the list and the current one in the edit.
  void FormShow();
  // Accepts when the text names a deal; a refused text is explained and
  // the dialog stays.
  void btnOkClick();
  // The 13 digits of the accepted number.
  const std::string& Number() const { return number_; }

  QComboBox* NumberBox() const { return cbo_number_; }
  QPushButton* OkButton() const { return btn_ok_; }
  void SetShowHelp(std::function<void(int)> f) { show_help_ = std::move(f); }

 private:
  GameContext& ctx_;
  qt::Prompts& prompts_;
  QComboBox* cbo_number_ = nullptr;
  QPushButton* btn_ok_ = nullptr;
  std::string number_;
  std::function<void(int)> show_help_;
};

}  // namespace tw
