// The about box.
#include "ui/about.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/ports.h"
#include "platform/gfx/reslib.h"
#include "ui/startup.h"

namespace tw {

namespace {

// A label that looks and acts as a link; the click goes to run.
QLabel* LinkLabel(const QString& text, QWidget* parent, std::function<void()> run) {
  auto* label = new QLabel(QString("<a href=\"x\">%1</a>").arg(text.toHtmlEscaped()), parent);
  label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  label->setCursor(Qt::PointingHandCursor);
  QObject::connect(label, &QLabel::linkActivated, parent, [run = std::move(run)] { run(); });
  return label;
}

}  // namespace

AboutDialog::AboutDialog(GameContext& ctx, const gfx::ResourceLibrary& library, AddressOpener open,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ctx_(ctx),
      open_(std::move(open)) {
  setObjectName("frmAbout");
  setWindowTitle(QString("About ") + kProductName);
  setProperty("helpContext", kAboutHelpContext);

  auto* logo = new QLabel(this);
  const QImage picture = library.LoadBitmap("LOGO").Image();
  if (!picture.isNull()) logo->setPixmap(QPixmap::fromImage(picture));
  logo->setFrameShape(QFrame::Panel);
  logo->setFrameShadow(QFrame::Sunken);
  logo->setAlignment(Qt::AlignCenter);

  auto* name = new QLabel(kProductName, this);
  QFont big = name->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.5);
  name->setFont(big);
  auto* version = new QLabel(kVersionText, this);
  version->setObjectName("lblVersion");
  auto* blurb =
      new QLabel(QString("A collection of patience games.\nCopyright %1 2026 The Tarnwell team.")
                     .arg(QChar(0xA9)),
                 this);
  auto* rule = new QFrame(this);
  rule->setFrameShape(QFrame::HLine);
  rule->setFrameShadow(QFrame::Sunken);

  auto* web = LinkLabel(kWebSite, this, [this] { lblWebClick(); });
  web->setObjectName("lblWeb");
  auto* mail = LinkLabel(kInfoMail, this, [this] { lblMailClick(); });
  mail->setObjectName("lblMail");
  auto* mark = LinkLabel(kSalesMail, this, [this] { lblMailMarkClick(); });
  mark->setObjectName("lblMailMark");
  auto* support = LinkLabel(kSupportMail, this, [this] { lblMailSupportClick(); });
  support->setObjectName("lblMailSupport");

  auto* addresses = new QGridLayout;
  addresses->setHorizontalSpacing(12);
  addresses->addWidget(new QLabel("Web site:", this), 0, 0);
  addresses->addWidget(web, 0, 1);
  addresses->addWidget(new QLabel("For general information:", this), 1, 0);
  addresses->addWidget(mail, 1, 1);
  addresses->addWidget(new QLabel("For sales/marketing:", this), 2, 0);
  addresses->addWidget(mark, 2, 1);
  addresses->addWidget(new QLabel("For technical information:", this), 3, 0);
  addresses->addWidget(support, 3, 1);

  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("btnOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* text = new QVBoxLayout;
  text->addWidget(name);
  text->addWidget(version);
  text->addSpacing(6);
  text->addWidget(blurb);
  text->addSpacing(8);
  text->addWidget(rule);
  text->addSpacing(4);
  text->addLayout(addresses);
  text->addStretch();
  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addWidget(logo, 0, Qt::AlignTop);
  top->addLayout(text, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(14, 14, 14, 12);
  outer->addLayout(top);
  outer->addLayout(buttons);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Once per opening, not on every return to the window.
  if (sound_played_) return;
  sound_played_ = true;
  if (ctx_.CfgIs(cfg::Sounds_Enabled, "Y") && ctx_.CfgIs(cfg::Sounds_About, "Y")) {
    if (SoundPort* sound = SoundOf(ctx_)) sound->PlaySound("About", SoundMode::Async);
  }
}

void AboutDialog::lblWebClick() {
  if (open_) open_("HTTP", kWebSite);
}
void AboutDialog::lblMailClick() {
  if (open_) open_("EMAIL", kInfoMail);
}
void AboutDialog::lblMailMarkClick() {
  if (open_) open_("EMAIL", kSalesMail);
}
void AboutDialog::lblMailSupportClick() {
  if (open_) open_("EMAIL", kSupportMail);
}

}  // namespace tw
