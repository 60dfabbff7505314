// What the data and engine code asks of its surroundings: time, chance and
// the few things it shows. Real implementations come from the program entry;
// tests pass fakes.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace tw::sys {

struct LocalDateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint64_t TickMs() = 0;  // monotonic milliseconds
  virtual LocalDateTime Now() = 0;
  // Blocks until TickMs would read at least tick. Clocks that tests step by
  // hand return at once: their time moves only when it is read.
  virtual void SleepUntil(uint64_t /*tick*/) {}
  // What TickMs will read d from now; clocks whose time moves only when it is
  // read give what it reads now.
  virtual uint64_t TickIn(std::chrono::microseconds /*d*/) { return TickMs(); }
};

// Steady clock and local time of the machine.
class SystemClock : public Clock {
 public:
  uint64_t TickMs() override;
  LocalDateTime Now() override;
  void SleepUntil(uint64_t tick) override;
  uint64_t TickIn(std::chrono::microseconds d) override;
};

// Sleeps until the steady clock reads t, without waking late by more than
// the kernel's timer resolution.
void SleepUntil(std::chrono::steady_clock::time_point t);
// Asks that the calling thread's timed waits end as close to their time as
// the kernel can (SleepUntil asks it itself).
void PreciseTimers();

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Uniform in 0 .. range-1; 0 when range <= 0.
  virtual int32_t Next(int32_t range) = 0;
  virtual void Seed(uint64_t seed) = 0;
};

// xoshiro256** seeded from the machine at construction; Seed makes it
// repeatable.
class StdRandomSource : public RandomSource {
 public:
  StdRandomSource();
  int32_t Next(int32_t range) override;
  void Seed(uint64_t seed) override;

 private:
  uint64_t state_[4];
};

// Dialog-level services of the window system.
class UiHooks {
 public:
  virtual ~UiHooks() = default;
  virtual void ShowMessage(const std::string& text) = 0;  // one OK button
  virtual bool AskYesNo(const std::string& text) = 0;     // warning question
  // A confirmation with OK and Cancel; true for OK. Hooks that answer every
  // question alike need not tell it from the warning.
  virtual bool AskOkCancel(const std::string& text) { return AskYesNo(text); }
  virtual void Beep(int type) = 0;
  virtual void SetHourglass(bool on) = 0;
  virtual void ProcessMessages() = 0;  // let pending input and painting through
  // Sleeps until a message arrives or ms milliseconds pass, letting through
  // what arrives. False when these hooks cannot wait for messages: the
  // caller then sleeps in short steps between ProcessMessages calls.
  virtual bool WaitForMessages(int /*ms*/) { return false; }
  // The same until the steady clock's millisecond tick (SystemClock's ticks)
  // begins, ending on that tick rather than up to a millisecond past it.
  // False when these hooks cannot wait that exactly.
  virtual bool WaitForMessagesUntil(uint64_t /*tick*/) { return false; }
  // Called before a wait: how much of its own time drawing that keeps one
  // still has to run. The wait begins once that is over, and waits it out
  // with its own time, in one sleep (a sleep and its waking cost more than
  // the drawing).
  virtual std::chrono::microseconds BeforeWait() { return {}; }
  // Called as a wait of ms milliseconds has begun: what has been drawn and
  // not yet shown is shown now when it would otherwise stay unseen past the
  // screen's next frame. The showing is part of the wait.
  virtual void WaitStarted(int /*ms*/) {}
};

// Prints messages to standard error and answers questions with yes; used by
// the headless entry point.
class ConsoleUiHooks : public UiHooks {
 public:
  void ShowMessage(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
  void Beep(int) override {}
  void SetHourglass(bool) override {}
  void ProcessMessages() override {}
};

// "yyyymmdd" and "hh:nn:ss": fixed separators, whatever the locale.
std::string DateText(const LocalDateTime& t);
std::string TimeText(const LocalDateTime& t);

}  // namespace tw::sys
