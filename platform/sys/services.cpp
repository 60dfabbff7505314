#include "platform/sys/services.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <iostream>
#include <random>
#include <thread>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace tw::sys {

uint64_t SystemClock::TickMs() {
  auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void PreciseTimers() {
  // The kernel may let a sleeping thread run late by its timer slack (50 us
  // by default, and coalesced with other timers). The threads that wait here
  // pace animations: each asks for a slack of one microsecond once, so that a
  // paced animation keeps its length without waiting out the last moment on
  // a busy clock.
  thread_local const bool precise = [] {
#ifdef __linux__
    prctl(PR_SET_TIMERSLACK, 1000UL, 0UL, 0UL, 0UL);
#endif
    return true;
  }();
  (void)precise;
}

void SleepUntil(std::chrono::steady_clock::time_point t) {
  PreciseTimers();
  std::this_thread::sleep_until(t);
}

uint64_t SystemClock::TickIn(std::chrono::microseconds d) {
  auto then = (std::chrono::steady_clock::now() + d).time_since_epoch();
  return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(then).count());
}

void SystemClock::SleepUntil(uint64_t tick) {
  // The same clock as TickMs, so the sleep ends on the tick it is asked for.
  sys::SleepUntil(std::chrono::steady_clock::time_point{std::chrono::milliseconds(tick)});
}

LocalDateTime SystemClock::Now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  LocalDateTime r;
  r.year = tm.tm_year + 1900;
  r.month = tm.tm_mon + 1;
  r.day = tm.tm_mday;
  r.hour = tm.tm_hour;
  r.minute = tm.tm_min;
  r.second = tm.tm_sec;
  return r;
}

namespace {

uint64_t SplitMix64(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

}  // namespace

StdRandomSource::StdRandomSource() {
  std::random_device rd;
  uint64_t seed = (static_cast<uint64_t>(rd()) << 32) ^ rd();
  Seed(seed);
}

void StdRandomSource::Seed(uint64_t seed) {
  uint64_t x = seed;
  for (auto& s : state_) s = SplitMix64(x);
}

int32_t StdRandomSource::Next(int32_t range) {
  if (range <= 0) return 0;
  // xoshiro256**, with rejection so that every value is equally likely.
  const uint64_t bound = static_cast<uint64_t>(range);
  const uint64_t limit = UINT64_MAX - UINT64_MAX % bound;
  for (;;) {
    uint64_t result = Rotl(state_[1] * 5, 7) * 9;
    uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = Rotl(state_[3], 45);
    if (result < limit) return static_cast<int32_t>(result % bound);
  }
}

void ConsoleUiHooks::ShowMessage(const std::string& text) { std::cerr << text << '\n'; }

bool ConsoleUiHooks::AskYesNo(const std::string& text) {
  std::cerr << text << " [yes]\n";
  return true;
}

std::string DateText(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d%02d%02d", t.year, t.month, t.day);
  return buf;
}

std::string TimeText(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

}  // namespace tw::sys
