#include <gtest/gtest.h>

#include "core/cfg.h"
#include "core/state.h"

namespace tw {
namespace {

TEST(CfgRecordTest, WriteThenReadTable) {
  struct Case {
    int pos, len;
    std::string value, stored, read;
  } cases[] = {
      {62, 4, "  12", "12  ", "12"},
      {62, 4, "1234567", "1234", "1234"},
      {62, 4, "", "    ", ""},
      {77, 30, "  Ann Lee  ", "Ann Lee" + std::string(23, ' '), "Ann Lee"},
      {128, 1, "B", "B", "B"},
      {153, 15, "0000000000042", "0000000000042  ", "0000000000042"},
      {251, 3, "abc", "abc", "abc"},
      {749, 1, "Z", "Z", "Z"},
  };
  for (const Case& c : cases) {
    CfgRecordData r;
    r.Set(c.pos, c.len, "xxxxxxxxxxxxxxx");
    r.Set(c.pos, c.len, c.value);
    EXPECT_EQ(r.Get(c.pos, c.len), c.read) << c.pos << " " << c.value;
    // Neighbours are untouched.
    if (c.pos > 1) {
      EXPECT_EQ(r.Get(c.pos - 1, 1), "") << c.pos;
    }
    EXPECT_EQ(r.Get(c.pos + c.len, 1), "") << c.pos;
    // A marker after the field shows its padding.
    if (c.pos + c.len < 750) {
      r.Set(c.pos + c.len, 1, "#");
      EXPECT_EQ(r.Get(c.pos, c.len + 1), c.stored + "#") << c.pos;
    }
  }
}

TEST(CfgRecordTest, LeadingBlanksOfTheRecordAreKeptOnRead) {
  CfgRecordData r;
  r.Set(63, 2, "45");
  EXPECT_EQ(r.Get(62, 4), " 45");
}

TEST(CfgRecordTest, InertPositions) {
  CfgRecordData r;
  for (int pos : {750, 751, 1000, 0, -3, 250, 500}) {
    r.Set(pos, 5, "HELLO");
    EXPECT_EQ(r.Get(pos, 5), "") << pos;
  }
  // Nothing leaked into the three strings.
  for (int pos = 1; pos < 750; ++pos) EXPECT_EQ(r.Get(pos, 1), "") << pos;
}

TEST(CfgRecordTest, FieldPastItsStringIsClamped) {
  CfgRecordData r;
  r.Set(248, 10, "ABCDEFGHIJ");
  EXPECT_EQ(r.Get(248, 10), "AB");
  EXPECT_EQ(r.Get(251, 5), "");
}

TEST(CfgRecordTest, ProgramDirAndIniFileNameAreSeparate) {
  GameContext ctx;
  ASSERT_TRUE(CreateSharedGlobals(ctx, "/opt/tarnwell"));
  EXPECT_EQ(ctx.Cfg(cfg::ProgramDir), "/opt/tarnwell/");
  EXPECT_EQ(ctx.Cfg(cfg::IniFileName), "DATA\\CFG.DAT");
  ctx.SetCfg(cfg::IniFileName, std::string(40, 'Q'));
  EXPECT_EQ(ctx.Cfg(cfg::IniFileName), std::string(20, 'Q'));
  EXPECT_EQ(ctx.Cfg(cfg::ProgramDir), "/opt/tarnwell/");
  EXPECT_EQ(ctx.Cfg(cfg::Back_Card), "");
}

TEST(CfgRecordTest, LongProgramDirIsKeptWholeAndReported) {
  GameContext ctx;
  std::string dir = "/" + std::string(250, 'd');
  EXPECT_FALSE(CreateSharedGlobals(ctx, dir));
  EXPECT_EQ(ctx.ProgramDir, dir + "/");
  EXPECT_EQ(ctx.Cfg(cfg::ProgramDir).size(), 200u);
  EXPECT_EQ(ctx.DataPath("x").rfind(dir + "/", 0), 0u);
}

}  // namespace
}  // namespace tw
