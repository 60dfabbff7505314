// A program directory of its own with fake services, for the tests of the
// results files.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/state.h"
#include "platform/sys/files.h"
#include "platform/sys/services.h"
#include "tests/platform/temp_dir.h"

namespace tw::testing {

class ResultsClock : public sys::Clock {
 public:
  // Every reading moves on, so waits end without real time passing.
  uint64_t TickMs() override { return tick_ += 250; }
  sys::LocalDateTime Now() override { return now; }
  sys::LocalDateTime now{2026, 12, 10, 9, 5, 7};

 private:
  uint64_t tick_ = 0;
};

class ResultsRandom : public sys::RandomSource {
 public:
  int32_t Next(int32_t range) override {
    state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
    return range <= 0 ? 0 : static_cast<int32_t>((state_ >> 33) % static_cast<uint64_t>(range));
  }
  void Seed(uint64_t seed) override { state_ = seed; }

 private:
  uint64_t state_ = 7;
};

class ResultsUi : public sys::UiHooks {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string& text) override {
    questions.push_back(text);
    return answer;
  }
  void Beep(int) override {}
  void SetHourglass(bool) override {}
  void ProcessMessages() override {}
  std::vector<std::string> messages, questions;
  bool answer = true;
};

class ResultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateSharedGlobals(ctx, dir.Dir());
    ctx.Ui = &ui;
    ctx.Clock = &clock;
    ctx.Random = &random;
    sys::MakeDirectory(dir.File("DATA"));
    ctx.SetCfg(cfg::Game, "0012");
    ctx.SetCfg(cfg::UserDefault, "Bob");
    ctx.SetCfg(cfg::Score, "120");
    ctx.SetCfg(cfg::ScoreKind, "01");
    ctx.SetCfg(cfg::DealNumber, "4711");
    ctx.SetCfg(cfg::Game_name, "Klondike");
    ctx.SetCfg(cfg::SessionWon, "0000");
    ctx.SetCfg(cfg::SessionLost, "0000");
  }
  void TearDown() override { sys::SetWriteFailureAfter(-1); }

  std::string Read(const std::string& name) const { return dir.Read("DATA/" + name); }
  void Write(const std::string& name, const std::string& bytes) const {
    dir.Write("DATA/" + name, bytes);
  }
  std::vector<std::string> Lines(const std::string& name) const {
    std::vector<std::string> lines;
    sys::ReadFileLines(dir.File("DATA/" + name), lines);
    return lines;
  }
  bool Exists(const std::string& name) const { return sys::FileExists(dir.File("DATA/" + name)); }

  TempDir dir;
  ResultsClock clock;
  ResultsRandom random;
  ResultsUi ui;
  GameContext ctx;
};

}  // namespace tw::testing
