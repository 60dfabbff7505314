// The newsletter dialogs.
#include "ui/newsletter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/datafiles.h"
#include "core/util.h"
#include "platform/gfx/reslib.h"
#include "platform/qt/prompts.h"

namespace tw {

namespace {

QLabel* Wrapped(const QString& text, QWidget* parent) {
  auto* l = new QLabel(text, parent);
  l->setWordWrap(true);
  return l;
}

QLabel* Picture(const gfx::ResourceLibrary& library, QWidget* parent) {
  auto* l = new QLabel(parent);
  const QImage logo = library.LoadBitmap("LOGO").Image();
  if (!logo.isNull()) {
    l->setPixmap(QPixmap::fromImage(logo.scaledToWidth(150, Qt::SmoothTransformation)));
  }
  l->setObjectName("imgNewsletter");
  l->setFrameShape(QFrame::Panel);
  l->setFrameShadow(QFrame::Sunken);
  return l;
}

}  // namespace

std::string NewsletterMailAddress(const std::string& where) {
  const std::string subject = "News (" + TrimRightSpaces(where) + ")";
  const QByteArray encoded = QUrl::toPercentEncoding(qt::FromLatin(subject));
  return std::string(kNewsletterMail) + "?subject=" + encoded.toStdString();
}

NewsDialog::NewsDialog(const gfx::ResourceLibrary& library, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("frmNews");
  setWindowTitle("Newsletter");
  setProperty("helpContext", kNewsHelpContext);
  auto* desc = Wrapped(qt::FromLatin(ExpandProductPlaceholders(
                           "If you'd like to be informed of [Program] updates and new releases "
                           "via E-Mail, please sign up for the Tarnwell NewsLetter. ")),
                       this);
  desc->setObjectName("lblDesc1");
  auto* simply = new QLabel("Simply click the OK button.", this);
  chk_not_display_ = new QCheckBox("Don't show this message box again", this);
  chk_not_display_->setObjectName("chkNotDisplay");
  auto* send = new QPushButton("OK", this);
  send->setObjectName("btnSend");
  send->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("btnCancel");
  connect(send, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* text = new QVBoxLayout;
  desc->setFixedWidth(260);
  text->addWidget(desc);
  text->addSpacing(8);
  text->addWidget(simply);
  text->addStretch();
  auto* top = new QHBoxLayout;
  top->setSpacing(14);
  top->addWidget(Picture(library, this), 0, Qt::AlignTop);
  top->addLayout(text);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(chk_not_display_);
  bottom->addStretch();
  bottom->addWidget(send);
  bottom->addWidget(cancel);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(14, 14, 14, 12);
  outer->addLayout(top);
  outer->addSpacing(6);
  outer->addLayout(bottom);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

News2Dialog::News2Dialog(qt::Prompts& prompts, AddressOpener open, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      prompts_(prompts),
      open_(std::move(open)) {
  setObjectName("frmNews2");
  setWindowTitle("Newsletter");
  setProperty("helpContext", kNewsHelpContext);
  auto* opening = new QLabel("Opening your E-Mail program...", this);
  QFont bold = opening->font();
  bold.setBold(true);
  opening->setFont(bold);
  edt_where_ = new QLineEdit(this);
  edt_where_->setObjectName("edtWhere");
  edt_where_->setMaxLength(60);
  auto* where = new QLabel("Downloaded from:", this);
  where->setBuddy(edt_where_);
  auto* mail = new QLabel(kNewsletterMail, this);
  mail->setObjectName("lblEmail");
  mail->setFont(bold);
  auto* www = new QLabel(QString("<a href=\"x\">%1</a>").arg(kNewsletterPage), this);
  www->setObjectName("lblWWW");
  www->setCursor(Qt::PointingHandCursor);
  connect(www, &QLabel::linkActivated, this, [this] { lblWWWClick(); });
  auto* ok = new QPushButton("Send E-Mail", this);
  ok->setObjectName("btnOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("btnCancel");
  connect(ok, &QPushButton::clicked, this, [this] { btnOKClick(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(14, 14, 14, 12);
  outer->addWidget(opening);
  auto* row = new QHBoxLayout;
  row->addWidget(where);
  row->addWidget(edt_where_, 1);
  outer->addLayout(row);
  outer->addSpacing(6);
  outer->addWidget(new QLabel("Please send an E-Mail containing your E-Mail address at", this));
  outer->addWidget(mail);
  outer->addWidget(
      new QLabel("and make sure the word \"News\" shows up in \"Subject\". Thank you.", this));
  outer->addSpacing(6);
  outer->addWidget(
      new QLabel("You can also sign up for Tarnwell NewsLetter linking at this Web page: ", this));
  outer->addWidget(www);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  outer->addSpacing(6);
  outer->addLayout(buttons);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void News2Dialog::btnOKClick() {
  const std::string where = qt::ToLatin(edt_where_->text());
  if (where.size() < 3) {
    prompts_.ShowMessage("Please enter at least 3 characters.");
    edt_where_->setFocus();
    return;
  }
  hide();
  if (open_) open_("EMAIL", NewsletterMailAddress(where));
  accept();
}

void News2Dialog::lblWWWClick() {
  if (open_) open_("HTTP", kNewsletterPage);
}

bool RunNewsletter(const gfx::ResourceLibrary& library, qt::Prompts& prompts, AddressOpener open,
                   bool offerNotAgain, QWidget* parent) {
  NewsDialog news(library, parent);
  news.NotDisplayBox()->setVisible(offerNotAgain);
  const bool agreed = news.exec() == QDialog::Accepted;
  const bool notAgain = offerNotAgain && news.NotDisplayBox()->isChecked();
  news.hide();
  if (agreed) {
    News2Dialog mail(prompts, std::move(open), parent);
    mail.exec();
  }
  return notAgain;
}

}  // namespace tw
