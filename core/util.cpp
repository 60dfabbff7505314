#include "core/util.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/sys/files.h"
#include "platform/sys/services.h"

namespace tw {

namespace {

bool IsBlank(unsigned char c) { return c <= ' '; }

// Zero fill after the sign; a field of '*' when the text does not fit.
std::string PadNumberText(std::string text, int width) {
  if (width < 0) width = 0;
  bool negative = !text.empty() && text[0] == '-';
  std::string digits = negative ? text.substr(1) : text;
  // "-0" and "-0.00" carry no sign worth showing.
  if (negative && digits.find_first_not_of("0.") == std::string::npos) negative = false;
  std::string body = (negative ? "-" : "") + digits;
  if (static_cast<int>(body.size()) > width) return std::string(width, '*');
  std::string zeros(width - body.size(), '0');
  return negative ? "-" + zeros + digits : zeros + digits;
}

}  // namespace

void NoOp() {}

bool MakeTempFileName(const std::string& dir, const std::string& prefix, std::string& name) {
  name = sys::MakeTempFile(dir, prefix);
  return !name.empty();
}

bool DeleteFileByName(const std::string& name) { return sys::DeleteFile(name); }

std::string ReplaceAt(const std::string& text, int position, int length,
                      const std::string& with) {
  if (position < 1) position = 1;
  if (length < 0) length = 0;
  size_t head = std::min(text.size(), static_cast<size_t>(position - 1));
  size_t tailStart = static_cast<size_t>(position - 1) + static_cast<size_t>(length);
  std::string result = text.substr(0, head) + with;
  if (tailStart < text.size()) result += text.substr(tailStart);
  return result;
}

std::string RightStr(const std::string& text, int n) {
  if (n <= 0) return std::string();
  if (static_cast<size_t>(n) >= text.size()) return text;
  return text.substr(text.size() - n);
}

std::string RepeatChar(char c, int n) { return n <= 0 ? std::string() : std::string(n, c); }

std::string Spaces(int n) { return RepeatChar(' ', n); }

std::string ReplaceChars(char c, const std::string& with, const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (char ch : text) {
    if (ch == c) {
      result += with;
    } else {
      result += ch;
    }
  }
  return result;
}

std::string PadRight(const std::string& text, int width) {
  if (width <= 0) return std::string();
  std::string result = text.substr(0, std::min(text.size(), static_cast<size_t>(width)));
  result.resize(width, ' ');
  return result;
}

std::string FloatToStrPad(int width, int decimals, double value) {
  if (decimals < 0) decimals = 0;
  if (decimals > 30) decimals = 30;
  if (!std::isfinite(value)) return std::string(width < 0 ? 0 : width, '*');
  char buf[400];
  int n = std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
  if (n < 0 || n >= static_cast<int>(sizeof buf)) return std::string(width < 0 ? 0 : width, '*');
  return PadNumberText(buf, width);
}

std::string IntToStrPad(int64_t value, int width) {
  return PadNumberText(std::to_string(value), width);
}

std::string TrimRightSpaces(const std::string& text) {
  size_t end = text.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string TrimLeftSpaces(const std::string& text) {
  size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start);
}

std::string Trim(const std::string& text) {
  size_t start = 0, end = text.size();
  while (start < end && IsBlank(static_cast<unsigned char>(text[start]))) ++start;
  while (end > start && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(start, end - start);
}

namespace {

void Wait(GameContext& ctx, int ms, bool pump) {
  if (ms <= 0 || ctx.Clock == nullptr) return;
  sys::UiHooks* ui = pump ? ctx.Ui : nullptr;
  const uint64_t first = ctx.Clock->TickMs();
  // The wait begins once the drawing before it has had its own time, and
  // that time is waited with it.
  const std::chrono::microseconds owed = ctx.Ui != nullptr ? ctx.Ui->BeforeWait()
                                                           : std::chrono::microseconds{};
  const uint64_t start = owed.count() > 0 ? std::max(first, ctx.Clock->TickIn(owed)) : first;
  const uint64_t end = start + static_cast<uint64_t>(ms);
  // What was drawn before the wait is on the screen while it lasts.
  if (ctx.Ui != nullptr) ctx.Ui->WaitStarted(static_cast<int>(end - first));
  for (;;) {
    if (ui != nullptr) ui->ProcessMessages();
    uint64_t now = ctx.Clock->TickMs();
    // A clock that went backwards ends the wait rather than hanging it.
    if (now < first || now >= end) break;
    // The wait sleeps instead of spinning: an animation must not keep a core
    // busy. It still ends on the same tick, and messages are let through as
    // soon as they arrive. Hooks that wait to the tick wait out the rest in
    // one. With others a message wait may overrun its time by up to a
    // millisecond (event loops round their timeouts up), so the last two
    // milliseconds are slept on the clock, which wakes on the tick, in one
    // sleep: waking each tick to look for messages cost more than the
    // animation's drawing, and what arrives then waits two milliseconds at
    // most.
    if (ui != nullptr && ui->WaitForMessagesUntil(end)) continue;
    if (ui != nullptr && end - now > 2) {
      // Hooks that cannot wait for messages sleep a tick at a time.
      if (!ui->WaitForMessages(static_cast<int>(end - now - 2))) ctx.Clock->SleepUntil(now + 1);
      continue;
    }
    ctx.Clock->SleepUntil(end);
  }
}

}  // namespace

void Delay(GameContext& ctx, int ms) { Wait(ctx, ms, false); }
void Delay2(GameContext& ctx, int ms) { Wait(ctx, ms, false); }
void DelayWithMessages(GameContext& ctx, int ms) { Wait(ctx, ms, true); }

std::string ShiftText(const std::string& text) {
  std::string result = text;
  for (char& ch : result) {
    unsigned char c = static_cast<unsigned char>(ch);
    ch = static_cast<char>(c < 80 ? c + 48 : c - 48);
  }
  return result;
}

std::string AddKeyChars(const std::string& text, const std::string& key) {
  if (key.empty()) return text;
  std::string result = text;
  for (size_t i = 0; i < result.size(); ++i) {
    unsigned c = static_cast<unsigned char>(text[i]);
    unsigned k = static_cast<unsigned char>(key[i % key.size()]);
    result[i] = static_cast<char>((c + k) & 0xFF);
  }
  return result;
}

std::string SubKeyChars(const std::string& text, const std::string& key) {
  if (key.empty()) return text;
  std::string result = text;
  for (size_t i = 0; i < result.size(); ++i) {
    unsigned c = static_cast<unsigned char>(text[i]);
    unsigned k = static_cast<unsigned char>(key[i % key.size()]);
    result[i] = static_cast<char>((c + 256 - k) & 0xFF);
  }
  return result;
}

int StringCheckValue(const std::string& text) {
  int64_t sum = 0;
  for (size_t idx = 0; idx < text.size(); ++idx) {
    int64_t i = static_cast<int64_t>(idx) + 1;
    int64_t c = static_cast<unsigned char>(text[idx]);
    sum += (c * i) / 2 + c + (i + c) % 3 + i;
  }
  return static_cast<int>(sum);
}

void ShowMsg(GameContext& ctx, const std::string& text) {
  if (ctx.Ui != nullptr) ctx.Ui->ShowMessage(text);
}

void ShowMsgInt(GameContext& ctx, int value) { ShowMsg(ctx, std::to_string(value)); }

void Beep(GameContext& ctx, int type) {
  if (ctx.Ui != nullptr) ctx.Ui->Beep(type);
}

void GetSectionLines(StringList& dest, const StringList& source, const std::string& header) {
  dest.clear();
  if (header.empty()) return;
  for (size_t i = 0; i < source.size(); ++i) {
    if (source[i].compare(0, header.size(), header) != 0) continue;
    size_t j = i + 1;
    for (; j < source.size(); ++j) {
      if (!source[j].empty() && source[j][0] == '[') break;
      dest.push_back(source[j]);
    }
    i = j - 1;
  }
}

int IntPower(int base, int exponent) {
  int result = 1;
  for (int i = 0; i < exponent; ++i) result *= base;
  return result;
}

int GetColorCount() { return 999999999; }

std::string GetWindowsDir() { return std::string(); }

bool IsAllDigits(const std::string& text) {
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int Max(int a, int b) { return a > b ? a : b; }

std::string PickChars(const std::string& text, int mode) {
  // 1-based positions of each mode.
  static const int kMode1[] = {2, 3, 5, 6, 8, 9};
  static const int kMode2[] = {3, 4, 6, 7, 9, 10};
  std::string result;
  auto take = [&](int pos) {
    if (pos >= 1 && static_cast<size_t>(pos) <= text.size()) result += text[pos - 1];
  };
  switch (mode) {
    case 1:
      for (int p : kMode1) take(p);
      break;
    case 2:
      for (int p : kMode2) take(p);
      break;
    case 3:
      for (int p = 3; p <= 25; p += 2) take(p);
      break;
    case 4:
      for (int p = 2; p <= 24; p += 2) take(p);
      break;
    default:
      break;
  }
  return result;
}

std::string FormatSeconds(int64_t seconds, int hourDigits) {
  if (seconds < 0) seconds = 0;
  std::string hours = std::to_string(seconds / 3600);
  if (static_cast<int>(hours.size()) < hourDigits) {
    hours.insert(0, static_cast<size_t>(hourDigits) - hours.size(), '0');
  }
  char tail[16];
  std::snprintf(tail, sizeof tail, ":%02d:%02d", static_cast<int>(seconds % 3600 / 60),
                static_cast<int>(seconds % 60));
  return hours + tail;
}

bool ParseInt(const std::string& text, int64_t& value) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  size_t pos = 0;
  bool negative = false;
  if (t[0] == '-' || t[0] == '+') {
    negative = t[0] == '-';
    pos = 1;
  }
  if (pos >= t.size()) return false;
  // Accumulate negatively so that the lowest value parses too.
  int64_t acc = 0;
  const int64_t lowest = std::numeric_limits<int64_t>::min();
  for (; pos < t.size(); ++pos) {
    char c = t[pos];
    if (c < '0' || c > '9') return false;
    int d = c - '0';
    if (acc < (lowest + d) / 10) return false;
    acc = acc * 10 - d;
  }
  if (!negative) {
    if (acc == lowest) return false;
    acc = -acc;
  }
  value = acc;
  return true;
}

bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
    if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
    if (x != y) return false;
  }
  return true;
}

long long ClampTo(long long value, long long lo, long long hi) {
  return value < lo ? lo : (value > hi ? hi : value);
}

std::string SaturatedField(long long value, int width) {
  long long hi = 1;
  for (int i = 0; i < width && hi <= 100000000000000000LL; ++i) hi *= 10;
  long long lo = -(hi / 10 - 1);
  return IntToStrPad(ClampTo(value, lo, hi - 1), width);
}

long long FieldNumber(const std::string& text, long long def) {
  int64_t v = 0;
  if (Trim(text).empty() || !ParseInt(text, v)) return def;
  return v;
}

}  // namespace tw
