// What is drawn on the window reaches the screen at most once a screen
// frame. Drawing code asks for a part of the window to be shown after every
// step it draws, often far more often than the screen can show them (a card
// flight's steps, the won shower's cards). Showing each one at once costs a
// paint and a round trip to the window system for a picture no one sees.
//
// The pacer gathers the parts asked for and shows them together once a
// frame's time has passed since the last showing, when a wait would leave
// them unseen past that time, or from the event loop when drawing stops.
//
// Each part asked for still takes a time of its own (kStepTime, what
// showing one took at once), so that animations drawn without waits between
// their steps keep their length; the time is slept, not spent, or waited
// with the wait that follows the steps.
#pragma once

#include <QRegion>
#include <QTimer>
#include <chrono>
#include <functional>
#include <vector>

namespace tw {

class FramePacer {
 public:
  using Clock = std::chrono::steady_clock;
  // The time each part shown takes at least.
  static constexpr std::chrono::microseconds kStepTime{125};

  // show paints the region on the screen at once.
  explicit FramePacer(std::function<void(const QRegion&)> show);

  // Asks for r to be shown; returns once its step's time has passed.
  void Show(const QRect& r);
  // Whether a part asked for now would be shown at once.
  bool FrameDue() const { return at_once_ || Clock::now() >= next_show_; }
  // A step with nothing to show: it takes its time all the same.
  void Skip();
  // A wait is about to begin: how much of the steps' time before it is still
  // to run. The wait takes it (the steps are over).
  std::chrono::microseconds BeforeWait();
  // A wait of ms milliseconds has begun.
  void WaitStarted(int ms);
  // Shows whatever is gathered now.
  void Flush();
  // The screen's frame time (from its refresh rate).
  void SetFrameTime(std::chrono::microseconds t) {
    if (!at_once_) frame_ = t;
  }
  // Every part is shown as it is asked for, and takes no time of its own:
  // for a clock whose waits take no real time (tests step theirs by hand),
  // where parts cannot be gathered by the time between them.
  void ShowAtOnce() {
    at_once_ = true;
    frame_ = {};
  }
  bool Pending() const { return !pending_.empty(); }

 private:
  // Starts a step's time; returns once it has passed.
  void Step();
  void FinishStep();

  std::function<void(const QRegion&)> show_;
  // The parts asked for since the last showing, made one region when shown:
  // adding each to a growing region costs far more than the drawing of it.
  std::vector<QRect> pending_;
  QTimer timer_;
  std::chrono::microseconds frame_{16667};
  bool at_once_ = false;
  Clock::time_point next_show_{};
  Clock::time_point step_end_{};
};

}  // namespace tw
