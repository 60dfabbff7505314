// The custom-rules dialog and its name dialog.
#include "ui/custom_rules.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/customgames.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/qt/prompts.h"

namespace tw {

namespace {

constexpr int kKingOnlyStartWord = 91;

int CurrentGameNumber(const GameContext& ctx) {
  int64_t game = -1;
  if (!ParseInt(Trim(ctx.Cfg(cfg::Game)), game)) return -1;
  return static_cast<int>(game);
}

}  // namespace

std::string TotalDealsText(int deals) {
  if (deals < 0) return "";
  if (deals == 0) return "(1 deal in all)";
  return "(" + std::to_string(deals) + " deals in all)";
}

std::string CheckCustomName(const GameContext& ctx, const std::string& name) {
  const std::string trimmed = Trim(name);
  if (trimmed.size() < 3) return "Please enter at least 3 characters.";
  for (const std::string& line : ctx.GameList) {
    if (SameText(CatalogueName(line), trimmed)) return "This name already exists.";
  }
  StringList names, numbers, bases, rules;
  if (LoadCustomGameList(ctx, names, numbers, bases, rules)) {
    for (const std::string& n : names) {
      if (SameText(TrimRightSpaces(n), trimmed)) return "This name already exists.";
    }
  }
  return "";
}

// ---- Name dialog ----

CustomNameDialog::CustomNameDialog(GameContext& ctx, qt::Prompts& prompts,
                                   const std::string& gameName, QWidget* parent)
    : QDialog(parent), ctx_(ctx), prompts_(prompts) {
  setWindowTitle("Customize rules");
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* lbl = new QLabel("E&nter a name for the new game:", this);
  edt_name_ = new QLineEdit(QString::fromStdString(gameName), this);
  edt_name_->setMaxLength(50);
  lbl->setBuddy(edt_name_);
  layout->addWidget(lbl);
  layout->addWidget(edt_name_);
  layout->addWidget(new QLabel("This game will be added to the folder 'Customized games'.", this));
  layout->addWidget(new QLabel(
      QString::fromStdString("It is necessary to create a new game so to maintain statistics for " +
                             gameName + "."),
      this));
  auto* buttons = new QHBoxLayout;
  btn_ok_ = new QPushButton("OK", this);
  btn_ok_->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  buttons->addStretch();
  buttons->addWidget(btn_ok_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(btn_ok_, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  edt_name_->setFocus();
  edt_name_->selectAll();
}

void CustomNameDialog::btnOKClick() {
  const std::string error = CheckCustomName(ctx_, edt_name_->text().toStdString());
  if (!error.empty()) {
    prompts_.ShowMessage(error);
    edt_name_->setFocus();
    return;
  }
  accept();
}

// ---- Rules dialog ----

CustomRulesDialog::CustomRulesDialog(GameContext& ctx, qt::Prompts& prompts, QWidget* parent)
    : QDialog(parent), ctx_(ctx), prompts_(prompts) {
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  pages_ = new QTabWidget(this);
  layout->addWidget(pages_);

  auto* stock = new QWidget(pages_);
  auto* stockLayout = new QVBoxLayout(stock);
  auto* cardsRow = new QHBoxLayout;
  lbl_cards_ = new QLabel("&Cards dealt by clicking on the stock:", stock);
  spn_cards_ = new QSpinBox(stock);
  spn_cards_->setRange(1, kMaxCardsPerClick);
  lbl_cards_->setBuddy(spn_cards_);
  cardsRow->addWidget(lbl_cards_);
  cardsRow->addWidget(spn_cards_);
  cardsRow->addStretch();
  stockLayout->addLayout(cardsRow);
  grb_redeals_ = new QGroupBox("&Redeals of the stock: ", stock);
  auto* redeals = new QVBoxLayout(grb_redeals_);
  rbt_unlimited_ = new QRadioButton("&Unlimited", grb_redeals_);
  rbt_specified_ = new QRadioButton("Specified nu&mber:", grb_redeals_);
  spn_redeals_ = new QSpinBox(grb_redeals_);
  spn_redeals_->setRange(0, kMaxRedeals);
  lbl_total_ = new QLabel(grb_redeals_);
  rbt_none_ = new QRadioButton("No redeals (&only 1 deal)", grb_redeals_);
  auto* specifiedRow = new QHBoxLayout;
  specifiedRow->addWidget(rbt_specified_);
  specifiedRow->addWidget(spn_redeals_);
  specifiedRow->addWidget(lbl_total_);
  specifiedRow->addStretch();
  redeals->addWidget(rbt_unlimited_);
  redeals->addLayout(specifiedRow);
  redeals->addWidget(rbt_none_);
  stockLayout->addWidget(grb_redeals_);
  stockLayout->addStretch();
  pages_->addTab(stock, " &Stock ");

  auto* tableau = new QWidget(pages_);
  auto* tableauLayout = new QVBoxLayout(tableau);
  grb_tableau_ = new QGroupBox("Spaces in empty tableau piles can be filled with: ", tableau);
  auto* starts = new QVBoxLayout(grb_tableau_);
  rb_king_ = new QRadioButton("&King only (or pile with a King at the top);", grb_tableau_);
  lbl_king_ = new QLabel("or 1 rank below the base card", grb_tableau_);
  lbl_king_->setIndent(24);
  lbl_king_->installEventFilter(this);
  rb_any_ = new QRadioButton("&Any card (or legal sequence)", grb_tableau_);
  rb_no_ = new QRadioButton("&None (spaces cannot be filled)", grb_tableau_);
  starts->addWidget(rb_king_);
  starts->addWidget(lbl_king_);
  starts->addWidget(rb_any_);
  starts->addWidget(rb_no_);
  tableauLayout->addWidget(grb_tableau_);
  tableauLayout->addStretch();
  pages_->addTab(tableau, "&Tableau");

  auto* buttons = new QHBoxLayout;
  btn_delete_ = new QPushButton("De&lete", this);
  btn_help_ = new QPushButton("&?", this);
  btn_ok_ = new QPushButton("OK", this);
  btn_cancel_ = new QPushButton("Cancel", this);
  buttons->addWidget(btn_delete_);
  buttons->addStretch();
  buttons->addWidget(btn_ok_);
  buttons->addWidget(btn_cancel_);
  buttons->addWidget(btn_help_);
  layout->addLayout(buttons);

  connect(btn_ok_, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(btn_cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(btn_delete_, &QPushButton::clicked, this, [this] { btnDeleteClick(); });
  connect(btn_help_, &QPushButton::clicked, this, [this] {
    if (show_help_) show_help_(kCustomRulesHelpContext);
  });
  for (QRadioButton* b : {rbt_unlimited_, rbt_specified_, rbt_none_, rb_king_, rb_any_, rb_no_}) {
    connect(b, &QRadioButton::toggled, this, [this] { UpdateControls(); });
  }
  connect(spn_cards_, &QSpinBox::valueChanged, this, [this] { UpdateControls(); });
  connect(spn_redeals_, &QSpinBox::valueChanged, this, [this] { UpdateControls(); });
  FormShow();
}

void CustomRulesDialog::FormShow() {
  game_ = CurrentGameNumber(ctx_);
  btn_delete_->setEnabled(game_ >= kFirstCustomGame);
  GetCustomizableRules(ctx_, game_, allow_cards_, allow_deals_, allow_start_);
  int base = game_;
  if (game_ >= kFirstCustomGame) {
    std::string rule;
    if (!FindCustomGame(ctx_, game_, base, rule)) base = -1;
  }

  const GameRulesRecord& rules = ctx_.GameRules;
  spn_cards_->setValue(std::clamp<int>(rules.CardsPerStockTurn(), 1, kMaxCardsPerClick));
  const int deals = rules.Deals();
  if (deals < 0) {
    rbt_unlimited_->setChecked(true);
  } else if (deals == 0) {
    rbt_none_->setChecked(true);
  } else {
    rbt_specified_->setChecked(true);
    spn_redeals_->setValue(std::clamp(deals - 1, 0, kMaxRedeals));
  }
  const int start = rules.TableauStart(0);
  int baseStart = 0;
  if (base >= 0) {
    const std::vector<int16_t> v = ReadGamesDatValues(ctx_, base, {98});
    if (!v.empty()) baseStart = v[0];
  }
  if (start == 13 || baseStart == kKingOnlyStartWord) {
    rb_king_->setChecked(true);
  } else if (start != 0) {
    rb_any_->setChecked(true);
  } else {
    rb_no_->setChecked(true);
  }

  lbl_cards_->setEnabled(allow_cards_);
  spn_cards_->setEnabled(allow_cards_);
  for (QWidget* w : {static_cast<QWidget*>(rbt_unlimited_), static_cast<QWidget*>(rbt_specified_),
                     static_cast<QWidget*>(rbt_none_), static_cast<QWidget*>(lbl_total_)}) {
    w->setEnabled(allow_deals_);
  }
  grb_tableau_->setEnabled(allow_start_);
  if (!allow_start_) {
    for (QRadioButton* b : {rb_king_, rb_any_, rb_no_}) {
      b->setAutoExclusive(false);
      b->setChecked(false);
      b->setAutoExclusive(true);
    }
  }
  setWindowTitle(
      QString::fromStdString("Customize rules [" + TrimRightSpaces(ctx_.Cfg(cfg::Game_name)) + "]"));
  shown_ = Values();
  UpdateControls();
}

CustomRuleValues CustomRulesDialog::Values() const {
  CustomRuleValues v;
  // A rule the game does not allow keeps the value it shows (the game's own).
  v.cards = spn_cards_->value();
  if (rbt_unlimited_->isChecked()) {
    v.deals = -1;
  } else if (rbt_none_->isChecked()) {
    v.deals = 0;
  } else {
    v.deals = spn_redeals_->value() + 1;
  }
  v.start = !allow_start_               ? 0
            : rb_king_->isChecked()     ? 1
            : rb_any_->isChecked()      ? 2
            : rb_no_->isChecked()       ? 3
                                        : 0;
  return v;
}

void CustomRulesDialog::UpdateControls() {
  spn_redeals_->setEnabled(allow_deals_ && rbt_specified_->isChecked());
  const CustomRuleValues v = Values();
  if (rbt_unlimited_->isChecked()) {
    lbl_total_->setVisible(false);
  } else {
    lbl_total_->setText(QString::fromStdString(
        TotalDealsText(rbt_none_->isChecked() ? 0 : spn_redeals_->value() + 1)));
    lbl_total_->setVisible(true);
  }
  btn_ok_->setEnabled(!(v == shown_));
}

bool CustomRulesDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lbl_king_ && event->type() == QEvent::MouseButtonRelease &&
      rb_king_->isEnabled()) {
    rb_king_->setChecked(true);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

bool CustomRulesDialog::AskName(std::string& name) {
  if (ask_name_) return ask_name_(name);
  CustomNameDialog dialog(ctx_, prompts_, name, this);
  if (dialog.exec() != QDialog::Accepted) return false;
  name = dialog.NameBox()->text().toStdString();
  return true;
}

void CustomRulesDialog::btnOKClick() {
  const CustomRuleValues v = Values();
  if (v == shown_) return;
  std::string name = TrimRightSpaces(ctx_.Cfg(cfg::Game_name));
  if (!AskName(name)) return;
  // The name dialog checks its length and uniqueness; the store refuses the
  // rest (control characters, no free number).
  const std::string error = CheckCustomName(ctx_, name);
  if (!error.empty()) {
    prompts_.ShowMessage(error);
    return;
  }
  int start = v.start;
  // An unchanged start rule of a custom game keeps that game's code.
  if (start == shown_.start && game_ >= kFirstCustomGame) {
    int base = -1;
    std::string rule;
    start = FindCustomGame(ctx_, game_, base, rule) && rule.size() > 6 && rule[6] >= '0' &&
                    rule[6] <= '3'
                ? rule[6] - '0'
                : 0;
  } else if (start == shown_.start) {
    start = 0;
  }
  int number = -1;
  std::string failure;
  prompts_.SetHourglass(true);
  const bool added =
      AddCustomGame(ctx_, Trim(name), game_, v.cards, v.deals, start, number, failure);
  prompts_.SetHourglass(false);
  if (!added) {
    prompts_.ShowMessage(failure);
    return;
  }
  created_ = number;
  created_name_ = Trim(name);
  accept();
}

void CustomRulesDialog::btnDeleteClick() {
  if (game_ < kFirstCustomGame) return;
  const std::string name = CustomGameName(ctx_, game_);
  if (!DeleteGame(ctx_, game_, 2, name, delete_hooks_)) return;
  deleted_ = true;
  accept();
}

}  // namespace tw
