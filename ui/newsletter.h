// The newsletter sign-up: the invitation, then the mail to the mailing list
// with where the program was downloaded from.
#pragma once

#include <QDialog>
#include <string>

#include "core/state.h"
#include "ui/about.h"

class QCheckBox;
class QLineEdit;

namespace tw {

namespace qt {
class Prompts;
}

inline constexpr int kNewsHelpContext = 4017;

// The mail address with its subject: "News (where)", percent-encoded so
// that the typed text cannot add fields to the address.
std::string NewsletterMailAddress(const std::string& where);

class NewsDialog : public QDialog {
  Q_OBJECT

 public:
  NewsDialog(const gfx::ResourceLibrary& library, QWidget* parent);
  QCheckBox* NotDisplayBox() const { return chk_not_display_; }

 private:
  QCheckBox* chk_not_display_ = nullptr;
};

class News2Dialog : public QDialog {
  Q_OBJECT

 public:
  News2Dialog(qt::Prompts& prompts, AddressOpener open, QWidget* parent);
  // At least 3 characters in the "Downloaded from" box, then the mail.
  void btnOKClick();
  void lblWWWClick();
  QLineEdit* WhereBox() const { return edt_where_; }

 private:
  qt::Prompts& prompts_;
  AddressOpener open_;
  QLineEdit* edt_where_ = nullptr;
};

// The invitation and, when the player agrees, the mail dialog. With
// offerNotAgain the "don't show again" box shows; returns whether it was
// ticked.
bool RunNewsletter(const gfx::ResourceLibrary& library, qt::Prompts& prompts, AddressOpener open,
                   bool offerNotAgain, QWidget* parent);

}  // namespace tw
