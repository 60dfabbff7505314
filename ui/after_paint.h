// Runs a function once, after the first paint of a widget: work that need
// not keep the first frame waiting, or that measures when it is drawn.
#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tw {

class AfterFirstPaint : public QObject {
 public:
  AfterFirstPaint(QWidget* widget, std::function<void()> then) : then_(std::move(then)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && then_) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, this, std::move(then_));
      then_ = nullptr;
    }
    return false;
  }

 private:
  std::function<void()> then_;
};

}  // namespace tw
