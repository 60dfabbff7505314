// Recording fakes of the engine's ports, for tests.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/ports.h"
#include "platform/sys/services.h"

namespace tw::testing {

class FakeView : public ViewPort {
 public:
  std::vector<std::string> calls;
  void RedrawPile(const std::string& pileName) override { calls.push_back("pile " + pileName); }
  void RedrawTable() override { calls.push_back("table"); }
  void AnimateCardMove(int card, int, int, int, int) override {
    calls.push_back("animate " + std::to_string(card));
  }
  void DrawCard(int card, int, int) override { calls.push_back("draw " + std::to_string(card)); }
  // Runs while the animation plays (a close request, say).
  std::function<void()> duringWinAnimation;
  void PlayWinAnimation(int mode) override {
    calls.push_back("win animation " + std::to_string(mode));
    if (duringWinAnimation) duringWinAnimation();
  }
  void DrawFoundationHints() override { calls.push_back("foundation hints"); }
};

class FakeWindow : public WindowPort {
 public:
  std::string caption;
  int captionSets = 0;
  std::vector<std::string> scores;
  std::string Caption() const override { return caption; }
  void SetCaption(const std::string& text) override {
    caption = text;
    ++captionSets;
  }
  void ShowScore(const std::string& text) override { scores.push_back(text); }
  std::vector<bool> dealMenus, wonFilter;
  int closes = 0;
  void EnableDealMenus(bool enabled) override { dealMenus.push_back(enabled); }
  void SetWonAnimationFilter(bool on) override { wonFilter.push_back(on); }
  void CloseMainWindow() override { ++closes; }
  std::vector<std::string> clocks;
  void ShowClock(const std::string& text) override { clocks.push_back(text); }
  std::vector<bool> customize;
  void EnableCustomize(bool enabled) override { customize.push_back(enabled); }
};

class FakeSound : public SoundPort {
 public:
  std::vector<std::string> played;
  int stops = 0;
  std::function<void()> onStop;
  void PlaySound(const std::string& name, SoundMode) override { played.push_back(name); }
  void StopSound() override {
    ++stops;
    if (onStop) onStop();
  }
};

class FakeCounter : public CardCounterPort {
 public:
  bool visible = true;
  std::vector<std::vector<int>> updates;
  std::vector<int> wasteTops;
  bool Visible() const override { return visible; }
  void UpdateCard(int card, int kind, int mode, int refresh) override {
    updates.push_back({card, kind, mode, refresh});
  }
  void UpdateWasteTop(int oldKind) override { wasteTops.push_back(oldKind); }
};

class FakeDialogs : public DialogPort {
 public:
  int gameWonShown = 0;
  void ShowGameWon() override { ++gameWonShown; }
  std::vector<std::pair<int, std::string>> hiScores;
  void ShowHiScores(int place, const std::string& title) override {
    hiScores.emplace_back(place, title);
  }
};

// Records every target offered and answers with the engine's own legality,
// moving nothing; `accept` may override the answer.
class FakeDrop : public DropPort {
 public:
  struct Offer {
    int card, kind, index;
    bool autoplay;
  };
  std::vector<Offer> offers;
  bool (*accept)(GameContext&, int card, int kind, int index) = nullptr;
  bool DropOnPile(GameContext& ctx, int card, int kind, int index, bool autoplay) override {
    offers.push_back({card, kind, index, autoplay});
    return accept ? accept(ctx, card, kind, index) : false;
  }
};

class FakeUi : public sys::UiHooks {
 public:
  std::vector<std::string> messages;
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string&) override { return true; }
  void Beep(int) override {}
  void SetHourglass(bool) override {}
  void ProcessMessages() override {}
};

// A fixed sequence of answers for Random.Next.
class FakeRandom : public sys::RandomSource {
 public:
  std::vector<int32_t> answers;
  std::vector<int32_t> ranges;
  size_t next = 0;
  int32_t Next(int32_t range) override {
    ranges.push_back(range);
    return next < answers.size() ? answers[next++] : 0;
  }
  void Seed(uint64_t) override {}
};

// Every fake wired into one EnginePorts.
struct FakePorts {
  FakeView view;
  FakeWindow window;
  FakeSound sound;
  FakeCounter counter;
  FakeDialogs dialogs;
  FakeDrop drop;
  EnginePorts ports{&view, &window, &sound, &counter, &dialogs, &drop};
};

}  // namespace tw::testing
