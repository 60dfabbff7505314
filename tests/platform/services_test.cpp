#include "platform/sys/services.h"

#include <gtest/gtest.h>

#include <vector>

namespace tw::sys {
namespace {

TEST(ServicesTest, RandomSourceIsRepeatableAndInRange) {
  StdRandomSource a, b;
  a.Seed(12345);
  b.Seed(12345);
  std::vector<int> counts(6, 0);
  for (int i = 0; i < 6000; ++i) {
    int32_t v = a.Next(6);
    ASSERT_EQ(v, b.Next(6));
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 6);
    ++counts[v];
  }
  for (int c : counts) EXPECT_GT(c, 800);  // every face comes up
  EXPECT_EQ(a.Next(0), 0);
  EXPECT_EQ(a.Next(-5), 0);
  EXPECT_EQ(a.Next(1), 0);
}

TEST(ServicesTest, DateAndTimeTextHaveFixedSeparators) {
  LocalDateTime t{2026, 3, 7, 9, 5, 1};
  EXPECT_EQ(DateText(t), "20260307");
  EXPECT_EQ(TimeText(t), "09:05:01");
  SystemClock clock;
  uint64_t first = clock.TickMs();
  EXPECT_GE(clock.TickMs(), first);
  EXPECT_GE(clock.Now().year, 2000);
}

}  // namespace
}  // namespace tw::sys
