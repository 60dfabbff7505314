// The start-up window shown while the main window is created: a picture
// strip, the product picture on white and a black band with the notice.
#pragma once

#include <QImage>
#include <QWidget>

namespace tw {

class SplashWindow : public QWidget {
  Q_OBJECT

 public:
  // picture: the product picture (may be empty).
  explicit SplashWindow(QImage picture);
  static constexpr int kWidth = 393;
  static constexpr int kHeight = 309;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace tw
