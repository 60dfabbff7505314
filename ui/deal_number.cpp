// The deal-number dialog.
#include "ui/deal_number.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/datafiles.h"
#include "core/util.h"
#include "platform/qt/prompts.h"
#include "platform/sys/ini.h"

namespace tw {

DealNumberCheck CheckDealNumber(const std::string& text, std::string& digits) {
  digits.clear();
  // Blanks around the number are no reason to refuse it.
  const std::string t = Trim(text);
  if (t.size() > 13) return DealNumberCheck::TooLong;
  for (char c : t) {
    if (c < '0' || c > '9') return DealNumberCheck::NotDigits;
  }
  if (t.find_first_not_of('0') == std::string::npos) return DealNumberCheck::Nothing;
  digits = std::string(13 - t.size(), '0') + t;
  return DealNumberCheck::Ok;
}

std::string DealNumberMessage(DealNumberCheck check) {
  switch (check) {
    case DealNumberCheck::TooLong:
      return "From 1 up to 13 ciphers.";
    case DealNumberCheck::NotDigits:
      return "Only numbers required.";
    default:
      return "";
  }
}

DealNumberDialog::DealNumberDialog(GameContext& ctx, qt::Prompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ctx_(ctx),
      prompts_(prompts) {
  setObjectName("frmSeleziona");
  setWindowTitle("Select a game number");
  auto* label1 = new QLabel("&Enter a game number:", this);
  auto* label2 = new QLabel("(from 1 to 9999999999999)", this);
  cbo_number_ = new QComboBox(this);
  cbo_number_->setObjectName("cboNumber");
  cbo_number_->setEditable(true);
  cbo_number_->setInsertPolicy(QComboBox::NoInsert);
  cbo_number_->setMinimumWidth(190);
  label1->setBuddy(cbo_number_);
  btn_ok_ = new QPushButton("OK", this);
  btn_ok_->setObjectName("btnOk");
  btn_ok_->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("btnAnnulla");
  auto* help = new QPushButton("&?", this);
  help->setObjectName("btnAiuto");
  help->setFixedWidth(32);

  auto* grid = new QGridLayout(this);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  grid->setContentsMargins(14, 14, 14, 12);
  grid->setHorizontalSpacing(16);
  grid->addWidget(label1, 0, 0);
  grid->addWidget(cbo_number_, 1, 0);
  grid->addWidget(label2, 2, 0, Qt::AlignTop);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(btn_ok_);
  buttons->addWidget(cancel);
  buttons->addWidget(help, 0, Qt::AlignRight);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 1, 4, 1);
  grid->setRowStretch(3, 1);

  connect(btn_ok_, &QPushButton::clicked, this, [this] { btnOkClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (show_help_) show_help_(kDealNumberHelpContext);
  });
  setProperty("helpContext", kDealNumberHelpContext);
  FormShow();
}

void DealNumberDialog::FormShow() {
  cbo_number_->clear();
  const sys::IniFile ini(CfgFilePath(ctx_));
  for (int i = 1; i <= 20; ++i) {
    const std::string value = ini.ReadString("Game_Numbers", "Game" + IntToStrPad(i, 3), "");
    if (!Trim(value).empty()) cbo_number_->addItem(qt::FromLatin(Trim(value)));
  }
  cbo_number_->setEditText(qt::FromLatin(Trim(ctx_.Cfg(cfg::DealNumber))));
  cbo_number_->lineEdit()->selectAll();
  cbo_number_->setFocus();
}

void DealNumberDialog::btnOkClick() {
  std::string digits;
  const DealNumberCheck check = CheckDealNumber(qt::ToLatin(cbo_number_->currentText()), digits);
  if (check == DealNumberCheck::Ok) {
    number_ = digits;
    accept();
    return;
  }
  if (check != DealNumberCheck::Nothing) {
    prompts_.ShowMessage(DealNumberMessage(check));
  }
  cbo_number_->setFocus();
  cbo_number_->lineEdit()->selectAll();
}

}  // namespace tw
