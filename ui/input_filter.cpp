#include "ui/input_filter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tw {

bool IsSystemKey(int key, int modifiers) {
  return key == Qt::Key_Alt || key == Qt::Key_AltGr || key == Qt::Key_F10 ||
         (modifiers & Qt::AltModifier) != 0;
}

InputFilter::InputFilter(QWidget* window) : QObject(window), window_(window) {
  qApp->installEventFilter(this);
}

InputFilter::~InputFilter() {
  if (qApp) qApp->removeEventFilter(this);
}

void InputFilter::Set(Mode mode) {
  if (mode == Mode::None && mode_ != Mode::None && !draining_) {
    // Presses and keys queued while the filter was on are swallowed now,
    // not delivered once it is off.
    draining_ = true;
    QApplication::sendPostedEvents();
    QApplication::processEvents(QEventLoop::AllEvents);
    draining_ = false;
  }
  mode_ = mode;
}

bool InputFilter::ForWindow(QObject* watched) const {
  if (!window_) return false;
  if (watched->isWidgetType()) return static_cast<QWidget*>(watched)->window() == window_;
  if (watched->isWindowType()) return watched == window_->windowHandle();
  return false;
}

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
  if (mode_ == Mode::None) return false;
  const QEvent::Type type = event->type();
  bool key = type == QEvent::KeyPress || type == QEvent::ShortcutOverride;
  bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
  bool nonClient = type == QEvent::NonClientAreaMouseButtonPress ||
                   type == QEvent::NonClientAreaMouseButtonDblClick;
  if (!key && !press && !nonClient) return false;
  if (!ForWindow(watched)) return false;

  Qt::MouseButton button = Qt::NoButton;
  if (press || nonClient) button = static_cast<QMouseEvent*>(event)->button();
  switch (mode_) {
    case Mode::Busy:
      if (nonClient) return false;
      if (press && button != Qt::LeftButton && button != Qt::RightButton) return false;
      break;
    case Mode::WonAnimation:
      if (nonClient && button != Qt::LeftButton) return false;
      if (on_won_) on_won_();
      break;
    case Mode::Pause: {
      if (nonClient && button != Qt::LeftButton) return false;
      if (key) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (IsSystemKey(k->key(), static_cast<int>(k->modifiers()))) return false;
      }
      // The override is only the shortcut's question; the key press ends the
      // pause. A modifier alone does not, so that Ctrl+Q ends it with the Q.
      bool modifierOnly = false;
      if (key) {
        const int k = static_cast<QKeyEvent*>(event)->key();
        modifierOnly = k == Qt::Key_Control || k == Qt::Key_Shift || k == Qt::Key_Meta;
      }
      if (type != QEvent::ShortcutOverride && !modifierOnly && on_pause_) on_pause_();
      break;
    }
    case Mode::None:
      return false;
  }
  if (type == QEvent::ShortcutOverride) event->accept();
  ++swallowed_;
  return true;
}

}  // namespace tw
