#include "ui/frame_pacer.h"

#include <algorithm>
#include <utility>

#include "platform/sys/services.h"

namespace tw {

namespace {
// A step that ends this much after its time starts a new run of steps: a
// run's steps make up for a late one only while they follow one another.
constexpr std::chrono::milliseconds kRunGap{2};
// Steps run ahead of their times by up to this much before the pacer
// sleeps: a sleep and its waking cost more than the drawing of a step.
constexpr std::chrono::milliseconds kSleepSlice{4};

// The union of the rectangles, made band by band: between each pair of
// neighbouring top and bottom edges, the runs of the rectangles that cross
// it, joined where they meet; a band like the one above it joins it. That is
// the region's own form, so it is taken as it is (adding the rectangles one
// by one to a region costs several times the drawing of them). Past a few
// hundred rectangles the bands cost more than merging regions pairwise.
QRegion Union(const std::vector<QRect>& rects) {
  if (rects.empty()) return QRegion();
  if (rects.size() == 1) return QRegion(rects.front());
  if (rects.size() > 256) {
    std::vector<QRegion> level(rects.begin(), rects.end());
    while (level.size() > 1) {
      size_t out = 0;
      for (size_t i = 0; i < level.size(); i += 2)
        level[out++] = i + 1 < level.size() ? level[i].united(level[i + 1]) : std::move(level[i]);
      level.resize(out);
    }
    return level.front();
  }
  std::vector<int> edges;
  edges.reserve(rects.size() * 2);
  for (const QRect& r : rects) {
    edges.push_back(r.top());
    edges.push_back(r.bottom() + 1);
  }
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  std::vector<QRect> bands;
  std::vector<std::pair<int, int>> runs, above;
  size_t aboveStart = 0;
  for (size_t i = 0; i + 1 < edges.size(); ++i) {
    const int top = edges[i], bottom = edges[i + 1] - 1;
    runs.clear();
    for (const QRect& r : rects)
      if (r.top() <= top && r.bottom() >= bottom) runs.emplace_back(r.left(), r.right());
    std::sort(runs.begin(), runs.end());
    size_t n = 0;
    for (const auto& run : runs) {
      if (n > 0 && run.first <= runs[n - 1].second + 1) {
        runs[n - 1].second = std::max(runs[n - 1].second, run.second);
      } else {
        runs[n++] = run;
      }
    }
    runs.resize(n);
    if (runs.empty()) {
      above.clear();
      continue;
    }
    if (runs == above && bands.back().bottom() == top - 1) {
      for (size_t k = aboveStart; k < bands.size(); ++k) bands[k].setBottom(bottom);
      continue;
    }
    aboveStart = bands.size();
    for (const auto& run : runs) bands.emplace_back(QPoint(run.first, top), QPoint(run.second, bottom));
    above = runs;
  }
  QRegion region;
  region.setRects(bands.data(), static_cast<int>(bands.size()));
  return region;
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

std::chrono::microseconds FramePacer::BeforeWait() {
  const Clock::time_point now = Clock::now();
  if (at_once_ || now >= step_end_) return {};
  return std::chrono::ceil<std::chrono::microseconds>(step_end_ - now);
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
