#include "ui/custom_help.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/customgames.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/qt/prompts.h"

namespace tw {

QString RedealsText(int deals) {
  if (deals == -1) return "Unlimited";
  if (deals == 0) return "0";
  return QString::number(deals - 1);
}

namespace {

QString StartText(int code, bool custom) {
  if (custom) return code == 1 ? "King only" : code == 2 ? "Any card" : code == 3 ? "None" : "-";
  if (code == 13 || code == 91) return "King only";
  if (code == -1) return "Any card";
  if (code == 0) return "None";
  return "-";
}

QLabel* ValuePanel(QWidget* parent) {
  auto* l = new QLabel(parent);
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  l->setAlignment(Qt::AlignCenter);
  l->setMinimumWidth(110);
  return l;
}

}  // namespace

CustomHelpDialog::CustomHelpDialog(GameContext& ctx, int game, const std::string& name,
                                   QWidget* parent)
    : QDialog(parent) {
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  std::string rule;
  FindCustomGame(ctx, game, base_game_, rule);
  rule = PadRight(rule, 7);
  bool cards = false, deals = false, start = false;
  GetCustomizableRules(ctx, game, cards, deals, start);
  const QString own = qt::FromLatin(TrimRightSpaces(name));
  const QString base = qt::FromLatin(GameNameFromNumber(ctx, base_game_));
  setWindowTitle("Help [" + own + "]");
  const std::vector<int16_t> words = ReadGamesDatValues(ctx, base_game_, {17, 13, 98});

  auto* from = new QLabel("This game comes from:", this);
  auto* fromName = new QLabel(base, this);
  QFont bold = fromName->font();
  bold.setBold(true);
  fromName->setFont(bold);
  auto* grid = new QGridLayout;
  auto* name1 = new QLabel(own, this);
  auto* name2 = new QLabel(base, this);
  name1->setFont(bold);
  name2->setFont(bold);
  name1->setAlignment(Qt::AlignCenter);
  name2->setAlignment(Qt::AlignCenter);
  grid->addWidget(name1, 0, 1);
  grid->addWidget(name2, 0, 2);
  const char* captions[] = {"Cards dealt:", "Redeals:", "Tableau spaces:"};
  for (int r = 0; r < 3; ++r) {
    grid->addWidget(new QLabel(captions[r], this), r + 1, 0);
    for (int c = 0; c < 2; ++c) {
      values_[r][c] = ValuePanel(this);
      grid->addWidget(values_[r][c], r + 1, c + 1);
    }
  }
  int64_t n = 0;
  const bool allowed[] = {cards, deals, start};
  const QString custom[] = {
      ParseInt(Trim(rule.substr(0, 3)), n) ? QString::number(n) : QString("-"),
      ParseInt(Trim(rule.substr(3, 3)), n) ? RedealsText(static_cast<int>(n)) : QString("-"),
      StartText(rule[6] - '0', true)};
  const QString standard[] = {QString::number(words[0]), RedealsText(words[1]),
                              StartText(words[2], false)};
  for (int r = 0; r < 3; ++r) {
    values_[r][0]->setText(allowed[r] ? custom[r] : "-");
    values_[r][1]->setText(allowed[r] ? standard[r] : "-");
  }

  auto* ok = new QPushButton("OK", this);
  ok->setDefault(true);
  btn_help_standard_ = new QPushButton("&Rules", this);
  auto* view = new QLabel("Click this button to view " + base + " rules", this);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(btn_help_standard_, &QPushButton::clicked, this, [this] { btnHelpStandardClick(); });

  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* top = new QHBoxLayout;
  top->addWidget(from);
  top->addWidget(fromName, 1);
  layout->addLayout(top);
  layout->addSpacing(8);
  layout->addLayout(grid);
  layout->addSpacing(8);
  auto* rulesRow = new QHBoxLayout;
  rulesRow->addWidget(view, 1);
  rulesRow->addWidget(btn_help_standard_);
  layout->addLayout(rulesRow);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(ok);
  layout->addLayout(buttons);
}

QString CustomHelpDialog::Value(int row, int column) const { return values_[row][column]->text(); }

void CustomHelpDialog::btnHelpStandardClick() {
  if (show_rules_ && base_game_ >= 0) show_rules_(base_game_);
}

}  // namespace tw
