#include "platform/qt/prompts.h"

#include <QApplication>
#include <QCursor>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#ifdef __linux__
#include <sys/timerfd.h>
#include <unistd.h>
#endif

#include "platform/sys/services.h"

namespace tw::qt {

namespace {

// Windows-1252 in 0x80..0x9F; 0 where the code page leaves a byte undefined.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// A message box at least as wide as its title needs on a title bar (the
// window menu and three buttons beside it), so the caption is not cut.
QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton preferred) {
  QMessageBox box(icon, title, text, buttons, parent);
  box.setDefaultButton(preferred);
  QFont bold = QApplication::font();
  bold.setBold(true);
  const int wanted = QFontMetrics(bold).horizontalAdvance(title) + 140;
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

QString FromLatin(const std::string& text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  for (char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] != 0) {
      out += QChar(kHigh[c - 0x80]);
    } else {
      out += QChar(c);
    }
  }
  return out;
}

std::string ToLatin(const QString& text) {
  std::string out;
  out.reserve(static_cast<size_t>(text.size()));
  for (QChar qc : text) {
    const char16_t u = qc.unicode();
    if (u < 0x80 || (u >= 0xA0 && u < 0x100)) {
      out += static_cast<char>(u);
      continue;
    }
    char mapped = '?';
    for (int i = 0; i < 32; ++i) {
      if (kHigh[i] == u && u != 0) mapped = static_cast<char>(0x80 + i);
    }
    out += mapped;
  }
  return out;
}

void QtPrompts::ShowMessage(const std::string& text) {
  Ask(parent_, QMessageBox::Information, title_, FromLatin(text), QMessageBox::Ok,
      QMessageBox::Ok);
}

bool QtPrompts::AskYesNo(const std::string& text) {
  return Ask(parent_, QMessageBox::Warning, title_, FromLatin(text),
             QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtPrompts::AskOkCancel(const std::string& text) {
  return Ask(parent_, QMessageBox::Question, title_, FromLatin(text),
             QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

Prompts::Reply QtPrompts::AskYesNoCancel(const std::string& text) {
  switch (Ask(parent_, QMessageBox::Warning, title_, FromLatin(text),
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
      return Reply::Yes;
    case QMessageBox::No:
      return Reply::No;
    default:
      return Reply::Cancel;
  }
}

void QtPrompts::ShowError(const std::string& caption, const std::string& text) {
  Ask(parent_, QMessageBox::Critical, caption.empty() ? title_ : FromLatin(caption),
      FromLatin(text), QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompts::Beep(int) { QApplication::beep(); }

void QtPrompts::SetHourglass(bool on) {
  if (on) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++hourglass_;
  } else if (hourglass_ > 0) {
    QApplication::restoreOverrideCursor();
    --hourglass_;
  }
}

void QtPrompts::ProcessMessages() { QApplication::processEvents(); }

QtPrompts::~QtPrompts() {
  wake_.reset();
#ifdef __linux__
  if (wake_fd_ >= 0) close(wake_fd_);
#endif
}

bool QtPrompts::WaitForMessagesUntil(uint64_t tick) {
#ifdef __linux__
  // The event loop's own timers wake up to a millisecond late (their time is
  // rounded up to whole milliseconds); a kernel timer set to the tick wakes
  // the loop on it. The steady clock is the kernel's monotonic one.
  if (QCoreApplication::instance() == nullptr ||
      QThread::currentThread() != QCoreApplication::instance()->thread())
    return false;
  if (wake_fd_ < 0) {
    wake_fd_ = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (wake_fd_ < 0) return false;
    wake_ = std::make_unique<QSocketNotifier>(wake_fd_, QSocketNotifier::Read);
    QObject::connect(wake_.get(), &QSocketNotifier::activated, [fd = wake_fd_] {
      std::uint64_t expirations = 0;
      (void)!read(fd, &expirations, sizeof expirations);
    });
  }
  sys::PreciseTimers();
  itimerspec at{};
  at.it_value.tv_sec = static_cast<time_t>(tick / 1000);
  at.it_value.tv_nsec = static_cast<long>(tick % 1000) * 1000000L;
  if (timerfd_settime(wake_fd_, TFD_TIMER_ABSTIME, &at, nullptr) != 0) return false;
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  const itimerspec off{};
  timerfd_settime(wake_fd_, 0, &off, nullptr);
  return true;
#else
  (void)tick;
  return false;
#endif
}

bool QtPrompts::WaitForMessages(int ms) {
  if (QCoreApplication::instance() == nullptr) return false;
  // The timer's own event ends the wait when nothing else arrives first.
  QTimer wake;
  wake.setSingleShot(true);
  wake.setTimerType(Qt::PreciseTimer);
  wake.start(ms);
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return true;
}

}  // namespace tw::qt
