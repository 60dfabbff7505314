// What the engine asks of its surroundings: the table drawing, the main
// window, sounds, the card counter, dialogs and the drop routine. The
// product's window and table code implement these; tests pass recording
// fakes. Every pointer of EnginePorts may be null, which does nothing.
#pragma once

#include <string>

#include "core/state.h"

namespace tw {

// Drawing of the table.
class ViewPort {
 public:
  virtual ~ViewPort() = default;
  virtual void RedrawPile(const std::string& pileName) = 0;
  virtual void RedrawTable() = 0;
  // Flies the lifted picture from one table position to another.
  virtual void AnimateCardMove(int card, int fromX, int fromY, int toX, int toY) = 0;
  virtual void DrawCard(int card, int x, int y) = 0;
};

// The main window's caption and labels.
class WindowPort {
 public:
  virtual ~WindowPort() = default;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& text) = 0;
  virtual void ShowScore(const std::string& text) = 0;
};

enum class SoundMode { Async, Sync, Loop };

// Plays the named sound; whether a sound is wanted is decided by the engine.
class SoundPort {
 public:
  virtual ~SoundPort() = default;
  virtual void PlaySound(const std::string& name, SoundMode mode) = 0;
  virtual void StopSound() = 0;
};

// The card-counter window; called only while it is shown.
class CardCounterPort {
 public:
  virtual ~CardCounterPort() = default;
  virtual bool Visible() const = 0;
  // card -1 refreshes every card.
  virtual void UpdateCard(int card, int pileKind, int mode, int refresh) = 0;
  virtual void UpdateWasteTop(int oldPileKind) = 0;
};

class DialogPort {
 public:
  virtual ~DialogPort() = default;
  virtual void ShowGameWon() = 0;
};

// The drop routine offered one fixed target: kind 5 foundation, 6 reserve,
// 4 tableau, 2 waste; index 0-based. The card is dropped at the place where
// the pile's next card lies.
class DropPort {
 public:
  virtual ~DropPort() = default;
  virtual bool DropOnPile(GameContext& ctx, int card, int kind, int index, bool autoplay) = 0;
};

struct EnginePorts {
  ViewPort* View = nullptr;
  WindowPort* Window = nullptr;
  SoundPort* Sound = nullptr;
  CardCounterPort* Counter = nullptr;
  DialogPort* Dialogs = nullptr;
  DropPort* Drop = nullptr;
};

// Null-safe access for engine code.
inline ViewPort* ViewOf(const GameContext& ctx) { return ctx.Ports ? ctx.Ports->View : nullptr; }
inline WindowPort* WindowOf(const GameContext& ctx) {
  return ctx.Ports ? ctx.Ports->Window : nullptr;
}
inline SoundPort* SoundOf(const GameContext& ctx) { return ctx.Ports ? ctx.Ports->Sound : nullptr; }
inline CardCounterPort* CounterOf(const GameContext& ctx) {
  return ctx.Ports ? ctx.Ports->Counter : nullptr;
}
inline DialogPort* DialogsOf(const GameContext& ctx) {
  return ctx.Ports ? ctx.Ports->Dialogs : nullptr;
}
inline DropPort* DropOf(const GameContext& ctx) { return ctx.Ports ? ctx.Ports->Drop : nullptr; }

}  // namespace tw
