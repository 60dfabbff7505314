#include "ui/frame_pacer.h"

#include "platform/sys/services.h"

namespace tw {

namespace {
// A step that ends this much after its time starts a new run of steps: a
// run's steps make up for a late one only while they follow one another.
constexpr std::chrono::milliseconds kRunGap{2};
// Steps run ahead of their times by up to this much before the pacer
// sleeps: a sleep and its waking cost more than the drawing of a step.
constexpr std::chrono::milliseconds kSleepSlice{4};

// The union of the rectangles, merged pairwise: each union then meets
// regions of like size rather than one that grows with every rectangle.
QRegion Union(const std::vector<QRect>& rects) {
  std::vector<QRegion> level(rects.begin(), rects.end());
  while (level.size() > 1) {
    size_t out = 0;
    for (size_t i = 0; i < level.size(); i += 2)
      level[out++] = i + 1 < level.size() ? level[i].united(level[i + 1]) : std::move(level[i]);
    level.resize(out);
  }
  return level.empty() ? QRegion() : level.front();
}
}  // namespace

FramePacer::FramePacer(std::function<void(const QRegion&)> show) : show_(std::move(show)) {
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Flush(); });
}

void FramePacer::Show(const QRect& r) {
  if (r.isEmpty()) return;
  Step();
  pending_.push_back(r);
  if (Clock::now() >= next_show_) {
    Flush();
  } else if (!timer_.isActive()) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(next_show_ - Clock::now());
    timer_.start(static_cast<int>(left.count()));
  }
  FinishStep();
}

void FramePacer::Skip() {
  Step();
  FinishStep();
}

void FramePacer::Step() {
  const Clock::time_point now = Clock::now();
  if (now - step_end_ > kRunGap) step_end_ = now;
  step_end_ += kStepTime;
}

void FramePacer::FinishStep() {
  if (!at_once_ && step_end_ - Clock::now() >= kSleepSlice) sys::SleepUntil(step_end_);
}

void FramePacer::BeforeWait() {
  if (!at_once_ && Clock::now() < step_end_) sys::SleepUntil(step_end_);
}

void FramePacer::WaitStarted(int ms) {
  if (!pending_.empty() && Clock::now() + std::chrono::milliseconds(ms) > next_show_) Flush();
}

void FramePacer::Flush() {
  timer_.stop();
  if (pending_.empty()) return;
  const QRegion region = Union(pending_);
  pending_.clear();
  next_show_ = Clock::now() + frame_;
  show_(region);
}

}  // namespace tw
