#include "ui/msg_advice.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "platform/qt/prompts.h"

namespace tw {

namespace {

constexpr int kPicture = 64;

// A palette of colour swatches.
QPixmap ColourPicture() {
  QPixmap pm(kPicture, kPicture);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor colours[] = {QColor(220, 40, 40),  QColor(240, 180, 30), QColor(60, 170, 60),
                            QColor(40, 110, 210), QColor(140, 60, 180), QColor(30, 30, 30)};
  for (int i = 0; i < 6; ++i) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(colours[i]);
    p.drawRoundedRect(QRectF(4 + (i % 3) * 19, 14 + (i / 3) * 19, 17, 17), 3, 3);
  }
  return pm;
}

// A screen with its size written on it.
QPixmap ScreenPicture() {
  QPixmap pm(kPicture, kPicture);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(50, 50, 50), 2));
  p.setBrush(QColor(0, 96, 0));
  p.drawRoundedRect(QRectF(4, 8, 56, 38), 3, 3);
  p.setBrush(QColor(120, 120, 120));
  p.drawRect(QRectF(26, 46, 12, 6));
  p.drawRect(QRectF(18, 52, 28, 4));
  QFont f = p.font();
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRectF(4, 8, 56, 38), Qt::AlignCenter, "640x480");
  return pm;
}

}  // namespace

MsgAdviceDialog::MsgAdviceDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Information");
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
  notebook_ = new QStackedWidget(this);
  for (const QPixmap& pm : {ColourPicture(), ScreenPicture()}) {
    auto* page = new QLabel;
    page->setPixmap(pm);
    page->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    notebook_->addWidget(page);
  }
  notebook_->setFixedWidth(kPicture + 8);
  lbl_message_ = new QLabel(this);
  lbl_message_->setWordWrap(true);
  lbl_message_->setMinimumWidth(340);
  lbl_message_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  chk_not_display_ = new QCheckBox("&Don't show this message box again", this);
  auto* ok = new QPushButton("OK", this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* top = new QHBoxLayout;
  top->addWidget(notebook_);
  top->addWidget(lbl_message_, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(chk_not_display_, 1);
  bottom->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addSpacing(8);
  layout->addLayout(bottom);
}

void MsgAdviceDialog::SetMessage(const std::string& text, int page) {
  QString shown = qt::FromLatin(text);
  shown.replace('\r', '\n');
  lbl_message_->setText(shown);
  notebook_->setCurrentIndex(page == kScreenPage ? kScreenPage : kColorPage);
  adjustSize();
}

QString MsgAdviceDialog::Message() const { return lbl_message_->text(); }
int MsgAdviceDialog::Page() const { return notebook_->currentIndex(); }
bool MsgAdviceDialog::DontShowAgain() const { return chk_not_display_->isChecked(); }

AdviceDialog QtAdviceDialog(QWidget* parent) {
  return [parent](const std::string& text, int page) {
    MsgAdviceDialog dialog(parent);
    dialog.SetMessage(text, page);
    dialog.exec();
    return dialog.DontShowAgain();
  };
}

}  // namespace tw
