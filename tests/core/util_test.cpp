#include "core/util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/sys/files.h"
#include "platform/sys/services.h"
#include "tests/platform/temp_dir.h"

namespace tw {
namespace {

// Every reading moves time on by step milliseconds.
class SteppingClock : public sys::Clock {
 public:
  explicit SteppingClock(uint64_t step) : step_(step) {}
  uint64_t TickMs() override {
    ++reads;
    return now_ += step_;
  }
  sys::LocalDateTime Now() override { return {}; }
  int reads = 0;

 private:
  uint64_t step_;
  uint64_t now_ = 1000;
};

class RecordingUi : public sys::UiHooks {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string&) override { return true; }
  void Beep(int type) override { beeps.push_back(type); }
  void SetHourglass(bool) override {}
  void ProcessMessages() override { ++pumps; }
  std::vector<std::string> messages;
  std::vector<int> beeps;
  int pumps = 0;
};

TEST(UtilTest, FixedWidthNumbersAndText) {
  struct IntCase {
    int64_t value;
    int width;
    const char* text;
  };
  const IntCase ints[] = {
      {7, 4, "0007"},   {-1, 4, "-001"}, {12345, 4, "****"}, {-999, 4, "-999"},
      {-1000, 4, "****"}, {0, 3, "000"}, {1234, 4, "1234"},  {5, 0, ""},
  };
  for (const auto& c : ints) {
    EXPECT_EQ(IntToStrPad(c.value, c.width), c.text) << c.value << " width " << c.width;
  }
  struct FloatCase {
    int width, decimals;
    double value;
    const char* text;
  };
  const FloatCase floats[] = {
      {6, 2, 3.14159, "003.14"}, {6, 2, -3.5, "-03.50"}, {4, 2, 123.4, "****"},
      {4, 0, 2.0, "0002"},       {5, 1, -0.01, "000.0"}, {3, 0, 1.0 / 0.0, "***"},
  };
  for (const auto& c : floats) {
    EXPECT_EQ(FloatToStrPad(c.width, c.decimals, c.value), c.text) << c.value;
  }
  struct PadCase {
    const char* text;
    int width;
    const char* padded;
  };
  const PadCase pads[] = {{"ab", 4, "ab  "}, {"abcdef", 3, "abc"}, {"", 2, "  "}, {"x", 0, ""}};
  for (const auto& c : pads) EXPECT_EQ(PadRight(c.text, c.width), c.padded);

  EXPECT_EQ(TrimRightSpaces("  a b  "), "  a b");
  EXPECT_EQ(TrimLeftSpaces("  a b  "), "a b  ");
  EXPECT_EQ(Trim(" \t a b \r"), "a b");
  EXPECT_EQ(ReplaceAt("abcdef", 2, 3, "XY"), "aXYef");
  EXPECT_EQ(ReplaceAt("abc", 3, 10, "Z"), "abZ");
  EXPECT_EQ(RightStr("abcdef", 2), "ef");
  EXPECT_EQ(RightStr("abc", 9), "abc");
  EXPECT_EQ(RightStr("abc", 0), "");
  EXPECT_EQ(RepeatChar('*', 3), "***");
  EXPECT_EQ(Spaces(-1), "");
  EXPECT_EQ(ReplaceChars(' ', "_-", "a b c"), "a_-b_-c");
  EXPECT_EQ(FormatSeconds(3725, 2), "01:02:05");
  EXPECT_EQ(FormatSeconds(59, 1), "0:00:59");
  EXPECT_EQ(FormatSeconds(360000, 2), "100:00:00");
  EXPECT_EQ(IntPower(3, 4), 81);
  EXPECT_EQ(IntPower(3, 0), 1);
  EXPECT_TRUE(IsAllDigits(""));
  EXPECT_FALSE(IsAllDigits("12a"));
  EXPECT_EQ(Max(-3, 2), 2);
  EXPECT_EQ(GetColorCount(), 999999999);
}

TEST(UtilTest, TextTransforms) {
  std::string printable;
  for (int c = 32; c < 128; ++c) printable += static_cast<char>(c);
  EXPECT_EQ(ShiftText(ShiftText(printable)), printable);
  EXPECT_EQ(ShiftText("0A"), "`q");
  EXPECT_EQ(ShiftText("\xff"), "\xcf");  // high bytes count as unsigned
  EXPECT_EQ(ShiftText(""), "");

  std::string text = "The quick brown fox \x01\x7f\x80\xfe\xff";
  for (const std::string key : {"12345", "\xff\x80", "k"}) {
    std::string scrambled = AddKeyChars(text, key);
    EXPECT_NE(scrambled, text);
    EXPECT_EQ(SubKeyChars(scrambled, key), text);
  }
  EXPECT_EQ(AddKeyChars("\xff" "a", "\x02\x01"), "\x01" "b");  // wraps mod 256, key cycles
  EXPECT_EQ(AddKeyChars("abc", ""), "abc");

  EXPECT_EQ(StringCheckValue("abc"), 597);
  EXPECT_EQ(StringCheckValue(""), 0);

  const std::string s = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  EXPECT_EQ(PickChars(s, 1), "BCEFHI");
  EXPECT_EQ(PickChars(s, 2), "CDFGIJ");
  EXPECT_EQ(PickChars(s, 3), "CEGIKMOQSUWY");
  EXPECT_EQ(PickChars(s, 4), "BDFHJLNPRTVX");
  EXPECT_EQ(PickChars(s, 5), "");
  EXPECT_EQ(PickChars("ABC", 1), "BC");
}

TEST(UtilTest, ParseIntAndSameText) {
  struct Case {
    const char* text;
    bool ok;
    int64_t value;
  };
  const Case cases[] = {
      {"0012", true, 12},  {" -01 ", true, -1}, {"+5", true, 5},  {"", false, 0},
      {"-", false, 0},     {"1 2", false, 0},   {"12a", false, 0},
      {"9223372036854775807", true, INT64_MAX}, {"-9223372036854775808", true, INT64_MIN},
      {"9223372036854775808", false, 0},
  };
  for (const auto& c : cases) {
    int64_t v = -42;
    EXPECT_EQ(ParseInt(c.text, v), c.ok) << c.text;
    EXPECT_EQ(v, c.ok ? c.value : -42) << c.text;
  }
  EXPECT_TRUE(SameText("Preference", "PREFERENCE"));
  EXPECT_FALSE(SameText("Bob", "Bobby"));
}

TEST(UtilTest, GetSectionLinesTakesEveryOccurrence) {
  const StringList source = {"[0001]", "a", "", "[0002]", "b", "[0001]", "c", "x[0001]", "d"};
  StringList dest = {"stale"};
  GetSectionLines(dest, source, "[0001]");
  EXPECT_EQ(dest, (StringList{"a", "", "c", "x[0001]", "d"}));
  GetSectionLines(dest, source, "[0009]");
  EXPECT_TRUE(dest.empty());
}

TEST(UtilTest, DelaysWaitOnTheInjectedClock) {
  GameContext ctx;
  SteppingClock clock(10);
  RecordingUi ui;
  ctx.Clock = &clock;
  ctx.Ui = &ui;
  Delay(ctx, 100);
  EXPECT_GE(clock.reads, 10);
  EXPECT_LE(clock.reads, 12);
  Delay2(ctx, 0);
  DelayWithMessages(ctx, 50);
  EXPECT_EQ(ui.pumps, 5);

  ShowMsg(ctx, "hello");
  ShowMsgInt(ctx, -12);
  Beep(ctx, 48);
  EXPECT_EQ(ui.messages, (std::vector<std::string>{"hello", "-12"}));
  EXPECT_EQ(ui.beeps, std::vector<int>{48});

  GameContext bare;  // no services: nothing happens, nothing hangs
  Delay(bare, 100);
  ShowMsg(bare, "x");
}

// Time moves only when the waits sleep or wait for messages: a wait that
// spun on the tick counter would never end here.
class SleepingClock : public sys::Clock {
 public:
  uint64_t TickMs() override { return now; }
  sys::LocalDateTime Now() override { return {}; }
  void SleepUntil(uint64_t tick) override {
    sleeps.push_back(tick);
    now = std::max(now, tick);
  }
  uint64_t TickIn(std::chrono::microseconds d) override {
    return now + static_cast<uint64_t>(d.count() / 1000);
  }
  uint64_t now = 5000;
  std::vector<uint64_t> sleeps;
};

// A message arrives every `every` milliseconds; canWait false are hooks
// without a message wait.
class WaitingUi : public RecordingUi {
 public:
  WaitingUi(SleepingClock& clock, uint64_t every, bool canWait,
            std::chrono::microseconds owed = {})
      : clock_(clock), every_(every), can_wait_(canWait), owed_(owed) {}
  // Drawing before the wait still has owed_ of its own time.
  std::chrono::microseconds BeforeWait() override { return owed_; }
  // Hooks that wait to the tick.
  bool to_tick = false;
  bool WaitForMessagesUntil(uint64_t tick) override {
    if (!to_tick) return false;
    untils.push_back(tick);
    clock_.now = std::min(clock_.now + every_, std::max(clock_.now, tick));
    return true;
  }
  std::vector<uint64_t> untils;
  void WaitStarted(int ms) override { started.push_back(ms); }
  bool WaitForMessages(int ms) override {
    if (!can_wait_) return false;
    waits.push_back(ms);
    clock_.now += std::min<uint64_t>(every_, static_cast<uint64_t>(ms));
    return true;
  }
  std::vector<int> waits, started;

 private:
  SleepingClock& clock_;
  uint64_t every_;
  bool can_wait_;
  std::chrono::microseconds owed_;
};

TEST(UtilTest, DelaysSleepUntilTheirLastTick) {
  struct Case {
    const char* what;
    bool messages, canWait;
    uint64_t every;
    std::vector<int> waits;
    std::vector<uint64_t> sleeps;
    int pumps;
    std::chrono::microseconds owed{};
    bool toTick = false;
    std::vector<uint64_t> untils{};
  };
  const Case cases[] = {
      // No messages: one sleep to the end.
      {"Delay", false, true, 10, {}, {5050}, 0},
      // Messages wake the wait; the last two milliseconds are one sleep on
      // the clock, with messages let through after it.
      {"a message every 20 ms", true, true, 20, {48, 28, 8}, {5050}, 5},
      {"no message", true, true, 1000, {48}, {5050}, 3},
      // Hooks that cannot wait: a tick at a time, messages let through after
      // each, then the last two milliseconds.
      {"no message wait", true, false, 0, {}, {}, 50},
      // Drawing before the wait still has 7.5 ms of its own time: the wait
      // begins after it, and both are one message wait and one sleep.
      {"Delay after drawing", false, true, 10, {}, {5057}, 0, std::chrono::microseconds(7500)},
      {"after drawing", true, true, 1000, {55}, {5057}, 3, std::chrono::microseconds(7500)},
      // Hooks that wait to the tick: no sleep, each message wait to the end.
      {"to the tick", true, true, 20, {}, {}, 4, {}, true, {5050, 5050, 5050}},
      {"to the tick, no message", true, true, 1000, {}, {}, 2, {}, true, {5050}},
  };
  for (const Case& c : cases) {
    SleepingClock clock;
    WaitingUi ui(clock, c.every, c.canWait, c.owed);
    ui.to_tick = c.toTick;
    GameContext ctx;
    ctx.Clock = &clock;
    ctx.Ui = &ui;
    if (c.messages) {
      DelayWithMessages(ctx, 50);
    } else {
      Delay(ctx, 50);
    }
    const uint64_t end = 5050u + static_cast<uint64_t>(c.owed.count() / 1000);
    EXPECT_EQ(clock.now, end) << c.what << ": the pacing is unchanged";
    EXPECT_EQ(ui.started, std::vector<int>{static_cast<int>(end - 5000)}) << c.what;
    EXPECT_EQ(ui.waits, c.waits) << c.what;
    if (c.canWait) {
      EXPECT_EQ(clock.sleeps, c.sleeps) << c.what;
    } else {
      EXPECT_EQ(clock.sleeps.size(), 49u) << c.what;
    }
    EXPECT_EQ(ui.pumps, c.pumps) << c.what;
    EXPECT_EQ(ui.untils, c.untils) << c.what;
  }
}

TEST(UtilTest, TempFileAndDeleteReportRealResults) {
  tw::testing::TempDir dir;
  std::string name;
  ASSERT_TRUE(MakeTempFileName(dir.Dir(), "rpl", name));
  EXPECT_TRUE(sys::FileExists(name));
  EXPECT_TRUE(DeleteFileByName(name));
  EXPECT_FALSE(DeleteFileByName(name));
  EXPECT_FALSE(MakeTempFileName(dir.File("nodir"), "rpl", name));
}

}  // namespace
}  // namespace tw
