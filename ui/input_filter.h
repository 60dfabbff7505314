// The application-wide input filters of the main window: while cards fly or
// a move is carried out (busy), while the won animation runs, and during the
// pause. At most one is on at a time. Key presses are swallowed together
// with their ShortcutOverride, or menu shortcuts would still fire; a
// double-click stands for the press it replaces.
#pragma once

#include <QObject>
#include <functional>

class QWidget;
class QEvent;

namespace tw {

class InputFilter : public QObject {
  Q_OBJECT

 public:
  enum class Mode { None, Busy, WonAnimation, Pause };

  // Only input to window (and its children) is filtered; a dialog opened
  // meanwhile keeps its input.
  explicit InputFilter(QWidget* window);
  ~InputFilter() override;

  Mode Current() const { return mode_; }
  // Switching to None first lets the input queued so far through the filter
  // still on, so that nothing pressed meanwhile arrives afterwards.
  void Set(Mode mode);

  // The won animation's "stop" and the pause's "end", run for every input
  // they swallow.
  void SetOnWonInput(std::function<void()> f) { on_won_ = std::move(f); }
  void SetOnPauseInput(std::function<void()> f) { on_pause_ = std::move(f); }

  // Inputs swallowed so far (tests).
  int Swallowed() const { return swallowed_; }

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool ForWindow(QObject* watched) const;

  QWidget* window_;
  Mode mode_ = Mode::None;
  int swallowed_ = 0;
  bool draining_ = false;
  std::function<void()> on_won_, on_pause_;
};

// A key that passes the pause: Alt alone, F10, or any key with Alt.
bool IsSystemKey(int key, int modifiers);

}  // namespace tw
