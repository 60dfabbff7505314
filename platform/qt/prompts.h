// Message boxes, the hourglass, the beep and the letting-through of pending
// events: the window system's side of sys::UiHooks, plus the OK/Cancel
// question of the close query. Tests pass a scripted double of Prompts.
#pragma once

#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "platform/sys/services.h"

class QWidget;

namespace tw::qt {

class Prompts : public sys::UiHooks {
 public:
  enum class Reply { Yes, No, Cancel };
  // A warning with Yes, No and Cancel (doubles that answer only yes or no
  // give Cancel for no).
  virtual Reply AskYesNoCancel(const std::string& text) {
    return AskYesNo(text) ? Reply::Yes : Reply::Cancel;
  }
  // An error box that names its own caption (fatal start-up errors).
  virtual void ShowError(const std::string& caption, const std::string& text) = 0;
  // The window that shows the drawing sets what a wait does first.
  void SetBeforeWait(std::function<std::chrono::microseconds()> before,
                     std::function<void(int)> started) {
    before_wait_ = std::move(before);
    wait_started_ = std::move(started);
  }
  std::chrono::microseconds BeforeWait() override {
    return before_wait_ ? before_wait_() : std::chrono::microseconds{};
  }
  void WaitStarted(int ms) override {
    if (wait_started_) wait_started_(ms);
  }

 private:
  std::function<std::chrono::microseconds()> before_wait_;
  std::function<void(int)> wait_started_;
};

// Single-byte (Windows-1252) text of the data files to and from the window
// system's strings.
QString FromLatin(const std::string& text);
std::string ToLatin(const QString& text);

class QtPrompts : public Prompts {
 public:
  explicit QtPrompts(QString title) : title_(std::move(title)) {}
  // Boxes are centred on this window (may be null).
  void SetParent(QWidget* parent) { parent_ = parent; }

  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  bool AskOkCancel(const std::string& text) override;
  Reply AskYesNoCancel(const std::string& text) override;
  void ShowError(const std::string& caption, const std::string& text) override;
  void Beep(int type) override;
  // Nests: the cursor returns when every "on" has had its "off".
  void SetHourglass(bool on) override;
  void ProcessMessages() override;
  bool WaitForMessages(int ms) override;
  bool WaitForMessagesUntil(uint64_t tick) override;
  ~QtPrompts() override;

 private:
  QString title_;
  QWidget* parent_ = nullptr;
  int hourglass_ = 0;
  // A timer of the kernel's that wakes the event loop at an exact time
  // (-1 until the first wait, or where there is none).
  int wake_fd_ = -1;
  std::unique_ptr<QSocketNotifier> wake_;
};

}  // namespace tw::qt
