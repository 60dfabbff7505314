#include "platform/sys/ini.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/platform/temp_dir.h"

namespace tw::sys {
namespace {

using tw::testing::TempDir;

const char kCfg[] =
    "; settings\r\n"
    "[Preference]\r\n"
    "Language = 20000 \r\n"
    "Quoted=\"  spaced  \"\r\n"
    "Empty=\r\n"
    "Speed=fast\r\n"
    "Sound=1\r\n"
    "sound=2\r\n"
    "odd line without equals\r\n"
    "\r\n"
    "[Users]\n"
    "Current=Bob\n"
    "\n"
    "[preference]\r\n"
    "Language=10000\r\n";

class IniTest : public ::testing::Test {
 protected:
  void SetUp() override { dir_.Write("CFG.DAT", kCfg); }
  IniFile Ini() const { return IniFile(dir_.File("CFG.DAT")); }
  TempDir dir_;
};

TEST_F(IniTest, ReadsWithPrivateProfileRules) {
  struct Case {
    const char* section;
    const char* key;
    std::string expected;
  };
  const Case cases[] = {
      {"Preference", "Language", "20000"},  // trimmed; first section wins
      {"PREFERENCE", "language", "20000"},  // case-insensitive
      {"Preference", "Quoted", "  spaced  "},
      {"Preference", "Empty", ""},          // present but empty
      {"Preference", "Missing", "dflt"},    // missing
      {"Preference", "Sound", "1"},         // first match wins
      {"Users", "Current", "Bob"},          // bare LF lines
      {"Nowhere", "Current", "dflt"},
      {"Preference", "odd line without equals", "dflt"},
  };
  IniFile ini = Ini();
  for (const auto& c : cases) {
    EXPECT_EQ(ini.ReadString(c.section, c.key, "dflt"), c.expected)
        << c.section << "/" << c.key;
  }
  EXPECT_EQ(ini.ReadInteger("Preference", "Language", -1), 20000);
  EXPECT_EQ(ini.ReadInteger("Preference", "Speed", -1), -1);
  EXPECT_EQ(ini.ReadInteger("Preference", "Empty", -7), -7);
  EXPECT_EQ(ini.ReadInteger("Preference", "Missing", 42), 42);
  EXPECT_TRUE(ini.KeyExists("preference", "EMPTY"));
  EXPECT_FALSE(ini.KeyExists("Preference", "Missing"));
  EXPECT_TRUE(ini.SectionExists("users"));
  EXPECT_EQ(ini.ReadSectionNames(), (std::vector<std::string>{"Preference", "Users"}));
  EXPECT_EQ(ini.ReadSectionKeys("Users"), std::vector<std::string>{"Current"});

  IniFile missing(dir_.File("NONE.DAT"));
  EXPECT_EQ(missing.ReadString("Preference", "Language", "d"), "d");
  EXPECT_TRUE(missing.ReadSectionNames().empty());
}

TEST_F(IniTest, WritesReplaceInPlaceOrAppendAndKeepOtherLines) {
  IniFile ini = Ini();
  ASSERT_TRUE(ini.WriteString("preference", "SPEED", "slow"));   // in place
  ASSERT_TRUE(ini.WriteInteger("Users", "Count", 3));             // end of its section
  ASSERT_TRUE(ini.WriteString("Window", "Left", "10"));           // new section
  EXPECT_EQ(dir_.Read("CFG.DAT"),
            "; settings\r\n"
            "[Preference]\r\n"
            "Language = 20000 \r\n"
            "Quoted=\"  spaced  \"\r\n"
            "Empty=\r\n"
            "Speed=slow\r\n"
            "Sound=1\r\n"
            "sound=2\r\n"
            "odd line without equals\r\n"
            "\r\n"
            "[Users]\r\n"
            "Current=Bob\r\n"
            "Count=3\r\n"
            "\r\n"
            "[preference]\r\n"
            "Language=10000\r\n"
            "[Window]\r\n"
            "Left=10\r\n");
  EXPECT_EQ(ini.ReadInteger("Users", "Count", 0), 3);
  EXPECT_FALSE(ini.WriteString("Users", "Bad", "two\r\nlines"));
  EXPECT_FALSE(ini.WriteString("Users", "a=b", "x"));
}

TEST_F(IniTest, DeleteKeyAndEraseSection) {
  IniFile ini = Ini();
  ASSERT_TRUE(ini.DeleteKey("Preference", "SOUND"));
  EXPECT_EQ(ini.ReadString("Preference", "Sound", "gone"), "gone");  // no copy comes to light
  ASSERT_TRUE(ini.DeleteKey("Preference", "Missing"));
  ASSERT_TRUE(ini.EraseSection("PREFERENCE"));
  EXPECT_FALSE(ini.SectionExists("Preference"));
  EXPECT_EQ(dir_.Read("CFG.DAT"), "; settings\r\n[Users]\r\nCurrent=Bob\r\n\r\n");
  EXPECT_TRUE(ini.EraseSection("Nowhere"));
}

TEST_F(IniTest, CreatesFileButNotItsFolder) {
  IniFile fresh(dir_.File("NEW.DAT"));
  ASSERT_TRUE(fresh.WriteString("Game_Numbers", "0012", "7"));
  EXPECT_EQ(dir_.Read("NEW.DAT"), "[Game_Numbers]\r\n0012=7\r\n");
  IniFile nowhere(dir_.File("NODIR\\CFG.DAT"));
  EXPECT_FALSE(nowhere.WriteString("A", "B", "C"));
  EXPECT_FALSE(DirectoryExists(dir_.File("NODIR")));
}

// A file that is there but cannot be read is never replaced: reads give the
// defaults, writes are refused, and the user is told once. A failed write is
// told too.
TEST_F(IniTest, AnUnreadableFileIsKeptAndToldOnce) {
  std::vector<std::pair<FileProblem, std::string>> told;
  SetFileProblemReporter(
      [&](FileProblem p, const std::string& path) { told.emplace_back(p, path); });
  dir_.WriteUnreadable("CFG.DAT", kCfg);
  IniFile ini = Ini();
  EXPECT_EQ(ini.ReadString("Preference", "Speed", "dflt"), "dflt");
  EXPECT_FALSE(ini.WriteString("Preference", "Speed", "slow"));
  EXPECT_FALSE(ini.DeleteKey("Preference", "Speed"));
  EXPECT_FALSE(ini.EraseSection("Users"));
  EXPECT_FALSE(ini.Hold());
  EXPECT_TRUE(dir_.Unreadable("CFG.DAT"));
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].first, FileProblem::Unreadable);
  EXPECT_EQ(told[0].second, dir_.File("CFG.DAT"));

  told.clear();
  dir_.Write("OTHER.DAT", kCfg);
  IniFile other(dir_.File("OTHER.DAT"));
  SetFailurePoints({-1, -1, 0});
  EXPECT_FALSE(other.WriteString("Preference", "Speed", "slow"));
  EXPECT_FALSE(other.WriteString("Preference", "Speed", "slower"));
  SetFailurePoints({});
  EXPECT_EQ(dir_.Read("OTHER.DAT"), kCfg);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].first, FileProblem::WriteFailed);
  EXPECT_TRUE(other.WriteString("Preference", "Speed", "slow"));
  SetFileProblemReporter({});
}

// Reads follow every change of the file, however it was made: rewritten in
// place with the same length, replaced by another object, removed.
TEST_F(IniTest, ReadsFollowChangesMadeElsewhere) {
  IniFile ini = Ini();
  ASSERT_EQ(ini.ReadString("Users", "Current", ""), "Bob");
  std::string edited = kCfg;
  edited.replace(edited.find("Current=Bob"), 11, "Current=Ann");
  dir_.Write("CFG.DAT", edited);
  EXPECT_EQ(ini.ReadString("Users", "Current", ""), "Ann");
  IniFile other = Ini();
  ASSERT_TRUE(other.WriteString("Users", "Current", "Cy"));
  EXPECT_EQ(ini.ReadString("Users", "Current", ""), "Cy");
  std::filesystem::remove(dir_.File("CFG.DAT"));
  EXPECT_EQ(ini.ReadString("Users", "Current", "none"), "none");
}

}  // namespace
}  // namespace tw::sys
