// The tip-of-the-day dialog.
#include "ui/tips.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/datafiles.h"
#include "platform/qt/prompts.h"
#include "platform/sys/ini.h"

namespace tw {

namespace {

const char* const kTips[kTipCount] = {
    "You can open one of the last games you played by choosing Open a saved game button in the "
    "Open a game dialog.",
    "You can restart the current game by pressing Ctrl+F2.",
    "You can undo your last move by pressing Ctrl+Z. With unlimited undo levels (Undo/Redo page "
    "of the Options dialog) press the key again to undo more than one move.",
    "You can press Ctrl+Z and Ctrl+Y to move to the previous and next move of the current game.",
    "You can press F4 to display the Statistics dialog.",
    "You can press F9 to display the Hi-Scores dialog.",
    "You can press F8 to display the Card counter.",
    "Tarnwell displays the name of a toolbar button when you point to the button.",
    "You can press Ctrl+U to display the Customize dialog.",
    "You can press Ctrl+O to display the Options dialog box.",
    "You can double clicking a face up card for automatically move it to the first legal pile "
    "available.",
    "You can click the Autoplay button on the toolbar to play automatically cards in the "
    "foundations when possible.",
    "There are over nine trillions starting positions for each game! You can press F3 to select "
    "a game number. ",
    "You can choose from dozen different card back design by using the Customize dialog.",
    "You can choose from dozen different background design by using the Customize dialog.",
    "You can add, edit or delete a player by choosing Players dialog box.",
    "You can turn the sounds on and off on the Sounds page of the Customize dialog.",
    "You can include your favorite games in folder \"Favorite games\" by clicking right mouse "
    "button in the Open a game dialog.",
    "You can click right mouse button on the visible part of a card, in order to see it in full.",
};

// A light bulb for the tip panel.
QPixmap BulbPicture() {
  QPixmap pm(40, 48);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient glow(QPointF(17, 15), 16);
  glow.setColorAt(0, QColor(255, 255, 210));
  glow.setColorAt(1, QColor(250, 210, 40));
  p.setPen(QPen(QColor(120, 90, 10), 1.2));
  p.setBrush(glow);
  QPainterPath glass;
  glass.addEllipse(QRectF(6, 2, 28, 28));
  p.drawPath(glass);
  p.setBrush(QColor(160, 160, 165));
  p.setPen(QPen(QColor(90, 90, 95), 1));
  p.drawRoundedRect(QRectF(13, 30, 14, 11), 2, 2);
  p.drawLine(QPointF(13, 34), QPointF(27, 34));
  p.drawLine(QPointF(13, 37.5), QPointF(27, 37.5));
  p.setBrush(QColor(70, 70, 75));
  p.drawEllipse(QRectF(17, 41, 6, 4));
  return pm;
}

}  // namespace

const char* TipText(int page) { return page >= 0 && page < kTipCount ? kTips[page] : ""; }

TipsDialog::TipsDialog(GameContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), ctx_(ctx) {
  setObjectName("frmTips");
  setWindowTitle("Tip of the Day");
  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::StyledPanel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setAutoFillBackground(true);
  QPalette pal = panel->palette();
  pal.setColor(QPalette::Window, Qt::white);
  panel->setPalette(pal);
  panel->setFixedSize(400, 170);
  auto* bulb = new QLabel(panel);
  bulb->setPixmap(BulbPicture());
  bulb->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  auto* title = new QLabel("Did you know...", panel);
  QFont f = title->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.35);
  title->setFont(f);
  lbl_tip_ = new QLabel(panel);
  lbl_tip_->setObjectName("lblTip");
  lbl_tip_->setWordWrap(true);
  lbl_tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* rule = new QFrame(panel);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);
  auto* text = new QVBoxLayout;
  text->addWidget(title);
  text->addWidget(rule);
  text->addSpacing(4);
  text->addWidget(lbl_tip_, 1);
  auto* inner = new QHBoxLayout(panel);
  inner->setContentsMargins(12, 14, 16, 12);
  inner->setSpacing(12);
  inner->addWidget(bulb, 0, Qt::AlignTop);
  inner->addLayout(text, 1);

  chk_startup_ = new QCheckBox("Show tips at startup", this);
  chk_startup_->setObjectName("chkStartup");
  auto* previous = new QPushButton("&Previous Tip", this);
  auto* next = new QPushButton("&Next Tip", this);
  auto* close = new QPushButton("&Close", this);
  previous->setObjectName("btnPrevious");
  next->setObjectName("btnNext");
  close->setObjectName("btnClose");
  close->setDefault(true);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(chk_startup_);
  bottom->addStretch();
  bottom->addWidget(previous);
  bottom->addWidget(next);
  bottom->addWidget(close);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(12, 12, 12, 10);
  outer->addWidget(panel);
  outer->addLayout(bottom);
  layout()->setSizeConstraint(QLayout::SetFixedSize);

  connect(previous, &QPushButton::clicked, this, [this] { btnPreviousClick(); });
  connect(next, &QPushButton::clicked, this, [this] { btnNextClick(); });
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  const sys::IniFile ini(CfgFilePath(ctx_));
  const int last = ini.ReadInteger("Preference", "Tips_Num", 0);
  // A page out of range (a damaged or older file) starts from the first.
  ShowPage(last >= 0 && last + 1 < kTipCount ? last + 1 : 0);
  chk_startup_->setChecked(ini.ReadString("Preference", "Tips_StartUp", "N") == "Y");
}

TipsDialog::~TipsDialog() {
  sys::IniFile ini(CfgFilePath(ctx_));
  ini.WriteInteger("Preference", "Tips_Num", page_);
  ini.WriteString("Preference", "Tips_StartUp", chk_startup_->isChecked() ? "Y" : "N");
}

void TipsDialog::ShowPage(int page) {
  page_ = page;
  lbl_tip_->setText(qt::FromLatin(kTips[page]));
}

QString TipsDialog::ShownText() const { return lbl_tip_->text(); }

void TipsDialog::btnPreviousClick() { ShowPage(page_ == 0 ? kTipCount - 1 : page_ - 1); }

void TipsDialog::btnNextClick() { ShowPage(page_ + 1 == kTipCount ? 0 : page_ + 1); }

}  // namespace tw
