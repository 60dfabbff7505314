// What the engine asks of its surroundings: the table drawing, the main
// window, sounds, the card counter, dialogs and the drop routine. The
// product's window and table code implement these; tests pass recording
// fakes. Every pointer of EnginePorts may be null, which does nothing.
#pragma once

#include <array>
#include <optional>
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
  // The window rectangle of a card that lies on the table; false when the
  // card is not found.
  virtual bool FindCardRect(int /*card*/, Rect& /*r*/) const { return false; }
  // A tableau top card just turned face up (0-based pile) shown at its place;
  // with shadows on it drops there from the lifted position.
  virtual void ShowFaceUpTurn(int /*card*/, int pile) {
    RedrawPile("Fila" + std::to_string(pile + 1));
  }
  // Flies a card from where it lies to the place of the next card of a pile
  // ("Fila"n ...), its old place drawn without it; the move itself follows.
  virtual void FlyCardToPile(int /*card*/, const std::string& /*pileName*/) {}
  // The won animation, mode 1 or 2; returns when it has ended (a key or
  // mouse button, or a close request, ends it early).
  virtual void PlayWinAnimation(int mode) = 0;
  // The foundation hint boxes of kind 10.
  virtual void DrawFoundationHints() = 0;
  // The batch counter box of kind 23.
  virtual void DrawBatchCounter() {}
  // The marker on the empty stock that announces a redeal on the next click.
  virtual void ShowRedealMarker() {}
  // The bare table (background only) painted and shown.
  virtual void ShowBareTable() {}
  // Poker squares score panel: two lines for the hand just made (an absent
  // line stays as it was) and the total line, label in bold then the value.
  virtual void DrawPokerPanelText(const std::optional<std::string>& /*line1*/,
                                  const std::optional<std::string>& /*line2*/,
                                  const std::string& /*label*/, const std::string& /*value*/) {}
  // Inverts the cards of five tableau piles (0-based); a second call with
  // the same piles shows them as they were.
  virtual void HighlightPokerHand(const std::array<int, 5>& /*piles*/) {}
};

// The main window's caption and labels.
class WindowPort {
 public:
  virtual ~WindowPort() = default;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& text) = 0;
  virtual void ShowScore(const std::string& text) = 0;
  // The Pause and Quit game menu items.
  virtual void EnableDealMenus(bool enabled) = 0;
  // While on, any key or mouse button ends the won animation.
  virtual void SetWonAnimationFilter(bool on) = 0;
  // Closes the main window (and so the program).
  virtual void CloseMainWindow() = 0;
  // The clock label ("h:nn:ss").
  virtual void ShowClock(const std::string&) {}
  // The Customize and Autoplay menu commands.
  virtual void EnableCustomize(bool) {}
  virtual void EnableAutoPlay(bool) {}
  // While on, the main window swallows keys (menu shortcuts included) and
  // mouse buttons: cards are in flight or a move is being carried out. Other
  // windows (a modal dialog opened meanwhile) keep their input.
  virtual void SetBusyFilter(bool) {}
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
  // The hi-score table after a deal entered it at place (0-based).
  virtual void ShowHiScores(int place, const std::string& title) = 0;
};

// The drop routine offered one fixed target: kind 5 foundation, 6 reserve,
// 4 tableau, 2 waste; index 0-based. The card is dropped at the place where
// the pile's next card lies.
class DropPort {
 public:
  virtual ~DropPort() = default;
  virtual bool DropOnPile(GameContext& ctx, int card, int kind, int index, bool autoplay) = 0;
};

// Steps of play carried out outside the engine: the program wires GameOver
// to the game-over routine (results, dialogs, the won animation).
class GameFlowPort {
 public:
  virtual ~GameFlowPort() = default;
  // The deal has ended; TfrmMain.GameWon holds the verdict.
  virtual void GameOver(GameContext& ctx) = 0;
};

struct EnginePorts {
  ViewPort* View = nullptr;
  WindowPort* Window = nullptr;
  SoundPort* Sound = nullptr;
  CardCounterPort* Counter = nullptr;
  DialogPort* Dialogs = nullptr;
  DropPort* Drop = nullptr;
  GameFlowPort* Flow = nullptr;
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
inline GameFlowPort* FlowOf(const GameContext& ctx) {
  return ctx.Ports ? ctx.Ports->Flow : nullptr;
}

}  // namespace tw
