#include "ui/help_viewer.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QScreen>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>
#include <algorithm>

#include "core/util.h"
#include "platform/qt/prompts.h"
#include "platform/sys/services.h"
#include "ui/custom_help.h"

namespace tw {

namespace {

constexpr const char* kContentsPage = "contents.html";

QString PageOf(int context) { return QString::number(context) + ".html"; }

// What a window manager adds around a window before its own frame is known.
constexpr QMargins kAssumedFrame(4, 30, 4, 8);

QMargins FrameOf(const QWidget* w) {
  const QRect frame = w->frameGeometry(), body = w->geometry();
  return QMargins(body.left() - frame.left(), body.top() - frame.top(),
                  frame.right() - body.right(), frame.bottom() - body.bottom());
}

QMargins Wider(const QMargins& a, const QMargins& b) {
  return QMargins(std::max(a.left(), b.left()), std::max(a.top(), b.top()),
                  std::max(a.right(), b.right()), std::max(a.bottom(), b.bottom()));
}

}  // namespace

// A help window opened for the first time goes over the window it is
// opened from; it is kept, frame and all, inside the available area of that
// window's screen, made smaller where the screen is.
void PlaceInsideScreen(QWidget* w, const QWidget* near) {
  const QWidget* anchor = near ? near->window() : nullptr;
  QScreen* screen = anchor ? anchor->screen() : w->screen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  QMargins frame = kAssumedFrame;
  if (w->isVisible()) frame = Wider(frame, FrameOf(w));
  if (anchor && anchor->isVisible()) frame = Wider(frame, FrameOf(anchor));
  const QSize room(area.width() - frame.left() - frame.right(),
                   area.height() - frame.top() - frame.bottom());
  const QSize size = w->size().boundedTo(room);
  QPoint at = w->geometry().topLeft();
  if (!w->property("twPlaced").toBool()) {
    const QPoint centre = anchor ? anchor->frameGeometry().center() : area.center();
    at = centre - QPoint(size.width() / 2, size.height() / 2);
    w->setProperty("twPlaced", true);
  }
  at.setX(std::clamp(at.x(), area.left() + frame.left(),
                     area.left() + frame.left() + room.width() - size.width()));
  at.setY(std::clamp(at.y(), area.top() + frame.top(),
                     area.top() + frame.top() + room.height() - size.height()));
  w->setGeometry(QRect(at, size));
}

// ---- Window ----

HelpWindow::HelpWindow(const QString& root, QWidget* parent) : QWidget(parent, Qt::Window) {
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(820, 600);
  browser_ = new QTextBrowser(this);
  browser_->setSearchPaths({root});
  browser_->setOpenExternalLinks(true);
  contents_ = new QTreeWidget(this);
  contents_->setHeaderHidden(true);
  contents_->setMinimumWidth(200);
  // Sections from the topic list, topics by title below them.
  std::map<QString, std::map<QString, int>> sections;
  QFile list(root + "/topics.txt");
  if (list.open(QIODevice::ReadOnly)) {
    for (const QByteArray& raw : list.readAll().split('\n')) {
      const QList<QByteArray> f = raw.split('\t');
      if (f.size() < 3) continue;
      const QString name = QString::fromUtf8(f[1]);
      const QString section = name.isEmpty() ? QString("General") : name;
      sections[section][QString::fromUtf8(f[2])] = f[0].toInt();
    }
  }
  for (const auto& [section, topics] : sections) {
    auto* s = new QTreeWidgetItem(contents_, {section});
    for (const auto& [title, context] : topics) {
      auto* t = new QTreeWidgetItem(s, {title});
      t->setData(0, Qt::UserRole, context);
    }
  }
  connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item, int) {
    if (item->parent()) ShowPage(PageOf(item->data(0, Qt::UserRole).toInt()));
  });
  connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
    if (item->parent()) ShowPage(PageOf(item->data(0, Qt::UserRole).toInt()));
  });

  auto* home = new QToolButton(this);
  home->setText("&Contents");
  back_ = new QToolButton(this);
  back_->setText("< &Back");
  forward_ = new QToolButton(this);
  forward_->setText("&Forward >");
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(home, &QToolButton::clicked, this, [this] { ShowPage(kContentsPage); });
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
  // The contents follow the page shown.
  connect(browser_, &QTextBrowser::sourceChanged, this, [this](const QUrl& source) {
    setWindowTitle(browser_->documentTitle() + " - Tarnwell 2000 Help");
    const int context = source.fileName().section('.', 0, 0).toInt();
    for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
      if ((*it)->parent() && (*it)->data(0, Qt::UserRole).toInt() == context) {
        (*it)->parent()->setExpanded(true);
        contents_->setCurrentItem(*it);
        contents_->scrollToItem(*it);
        return;
      }
    }
    contents_->setCurrentItem(nullptr);
  });

  auto* bar = new QHBoxLayout;
  bar->addWidget(home);
  bar->addWidget(back_);
  bar->addWidget(forward_);
  bar->addStretch(1);
  auto* split = new QSplitter(this);
  split->addWidget(contents_);
  split->addWidget(browser_);
  split->setStretchFactor(1, 1);
  split->setSizes({220, 600});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(bar);
  layout->addWidget(split, 1);
}

void HelpWindow::ShowPage(const QString& page) { browser_->setSource(QUrl(page)); }

QString HelpWindow::CurrentPage() const { return browser_->source().fileName(); }

// ---- Service ----

std::string DamagedHelpFileText(const std::string& path) {
  return "The help file " + path +
         " is damaged.\rHelp is not available; reinstall the program to restore the file.";
}

HelpService::HelpService() = default;

HelpService::~HelpService() {
  for (auto& [name, w] : windows_) delete w.data();
  windows_.clear();
}

bool HelpService::Open(const std::string& path) {
  for (auto& [name, w] : windows_) delete w.data();
  windows_.clear();
  const gfx::ResourceFile::Status status = file_.Open(path);
  damaged_ = status == gfx::ResourceFile::Status::Damaged;
  return status == gfx::ResourceFile::Status::Ok;
}

void HelpService::OpenPending() const {
  if (!pending_) return;
  const std::string path = std::move(*pending_);
  pending_.reset();
  HelpService* self = const_cast<HelpService*>(this);
  if (!self->Open(path) && damaged_ && on_damaged_) on_damaged_(path);
}

bool HelpService::IsOpen() const {
  OpenPending();
  return file_.IsOpen();
}

bool HelpService::HasTopic(int context) const {
  OpenPending();
  return file_.Titles().count(context) != 0;
}

QString HelpService::Title(int context) const {
  OpenPending();
  auto it = file_.Titles().find(context);
  return it == file_.Titles().end() ? QString() : it->second;
}

HelpWindow* HelpService::Window(const std::string& name) const {
  auto it = windows_.find(name);
  return it == windows_.end() ? nullptr : it->second.data();
}

HelpWindow* HelpService::Ensure(const std::string& name) {
  QPointer<HelpWindow>& w = windows_[name];
  if (!w) w = new HelpWindow(file_.Root(), nullptr);
  return w.data();
}

void HelpService::Lend(HelpWindow* w, QWidget* owner) {
  if (!owner) owner = home_;
  if (w->parentWidget() == owner) return;
  const bool shown = w->isVisible();
  const QRect frame = w->geometry();
  w->setParent(owner, Qt::Window);
  if (shown) {
    w->setGeometry(frame);
    w->show();
  }
  if (owner && owner != home_) owner->installEventFilter(this);
}

bool HelpService::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Hide && watched->isWidgetType()) {
    // The dialog closes: its help windows go to the dialog under it, if any,
    // else back to the home window.
    QWidget* next = QApplication::activeModalWidget();
    if (next == watched) next = nullptr;
    for (auto& [name, w] : windows_) {
      if (w && w->parentWidget() == watched) Lend(w, next);
    }
    watched->removeEventFilter(this);
  }
  return QObject::eventFilter(watched, event);
}

bool HelpService::ShowTopic(const std::string& window, int context) {
  if (!IsOpen()) return false;
  HelpWindow* w = Ensure(window);
  Lend(w, QApplication::activeModalWidget());
  const bool found = HasTopic(context);
  w->ShowPage(found ? PageOf(context) : QString(kContentsPage));
  PlaceInsideScreen(w, w->parentWidget() ? w->parentWidget() : home_.data());
  w->show();
  w->raise();
  w->activateWindow();
  return found;
}

void HelpService::ShowContents() { ShowTopic("proc", kContentsContext); }

// ---- Rules of a game ----

void ShowGameRules(GameContext& ctx, HelpService& help, int game, const std::string& name,
                   QWidget* parent) {
  if (game < 0) {
    int64_t current = -1;
    if (!ParseInt(Trim(ctx.Cfg(cfg::Game)), current) || current < 0) return;
    game = static_cast<int>(current);
  }
  if (game < 8000) {
    help.ShowTopic("rules", game + kRulesContextBase);
    return;
  }
  const std::string shown = name.empty() ? TrimRightSpaces(ctx.Cfg(cfg::Game_name)) : name;
  if (ctx.Ui) ctx.Ui->SetHourglass(true);
  CustomHelpDialog dialog(ctx, game, shown, parent);
  dialog.SetShowBaseRules([&help](int base) { help.ShowTopic("rules", base + kRulesContextBase); });
  if (ctx.Ui) ctx.Ui->SetHourglass(false);
  dialog.exec();
}

}  // namespace tw
