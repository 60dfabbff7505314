#include "core/datafiles.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>

#include "core/hiscores.h"
#include "core/util.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "tests/core/results_fixture.h"

namespace tw {
namespace {

using DataFilesTest = testing::ResultsTest;

TEST(PlayerNameTest, NamesThatWouldBreakAFileAreRefused) {
  const struct {
    std::string name;
    bool ok;
  } cases[] = {
      {"Bob", true},
      {"Anna Maria", true},
      {std::string("J\xFCrgen"), true},
      {std::string(30, 'x'), true},
      {"Bob  ", true},  // trailing blanks are dropped everywhere
      {"", false},
      {"   ", false},
      {" Bob", false},
      {std::string(31, 'x'), false},
      {"a=b", false},
      {"[Bob]", false},
      {"Bob]", false},
      {"Bob\r\n", false},
      {"Bo\tb", false},
      {std::string("Bo\x81"
                   "b"),
       false},
  };
  for (const auto& c : cases) {
    std::string message;
    EXPECT_EQ(IsValidPlayerName(c.name, &message), c.ok) << c.name;
    EXPECT_EQ(message.empty(), c.ok) << c.name;
  }
  std::string message;
  IsValidPlayerName("", &message);
  EXPECT_EQ(message, "Please enter at least 1 character.");
}

TEST(PlayerNameTest, Utf8NamesBecomeSingleByte) {
  std::string out, message;
  ASSERT_TRUE(IsValidPlayerNameUtf8("J\xC3\xBCrgen \xE2\x82\xAC", &out, &message));
  EXPECT_EQ(out, "J\xFCrgen \x80");
  for (const char* bad : {"\xE6\x97\xA5\xE6\x9C\xAC", "ab\xC3", "\xC2\x81", "x\xFFy", "a[b"}) {
    EXPECT_FALSE(IsValidPlayerNameUtf8(bad, &out, &message)) << bad;
    EXPECT_FALSE(message.empty());
  }
}

TEST_F(DataFilesTest, StatFilesStartWithTheirVersion) {
  sys::DeleteFile(dir.File("DATA"));
  std::filesystem::remove_all(dir.File("DATA"));
  EXPECT_TRUE(EnsureStatFile(ctx));
  EXPECT_FALSE(EnsureStatFile(ctx));
  EXPECT_TRUE(EnsureStatScrFile(ctx));
  EXPECT_EQ(Read("STAT.DAT"), "[Version]\r\nVersion=0300\r\n");
  EXPECT_EQ(Read("STAT_SCR.DAT"), "[Version]\r\nVersion=0300\r\n");
}

TEST_F(DataFilesTest, UpgradeOfAnOlderHiScoreFile) {
  std::string shortLine = "01-01=000100 000050 19990101 10:00:00 Bob";
  std::string longLine = "01-02=" + std::string(100, '9');
  Write("STAT_SCR.DAT", "[0012]\r\n" + shortLine + "\r\n" + longLine + "\r\n[Other]\nKey=1\n");
  sys::IniFile ini(dir.File("DATA/CFG.DAT"));
  ini.WriteString("Preference", "Cards_Animate", "S");
  ini.WriteString("Preference", "ConfirmQuit", "N");
  UpgradeDataFiles(ctx);
  auto lines = Lines("STAT_SCR.DAT");
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(lines[0], "[Version]");
  EXPECT_EQ(lines[1], "Version=0300");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "[0012]");
  EXPECT_EQ(lines[4], PadRight(shortLine, 89) + " x");
  EXPECT_EQ(lines[5], longLine.substr(0, 89) + " x");
  EXPECT_EQ(lines[6], "[Other]");
  StringList places;
  LoadHiScores(ctx, 12, "01", places);
  EXPECT_EQ(places[0].size(), 85u);
  EXPECT_EQ(HiScoreOf(places[0]), 100);
  EXPECT_EQ(ini.ReadString("Preference", "Cards_Animate", ""), "Y");
  EXPECT_EQ(ini.ReadString("Preference", "ConfirmQuit", ""), "N");

  // Current file: untouched byte for byte; the preference upgrade still runs.
  std::string current = Read("STAT_SCR.DAT");
  ini.WriteString("Preference", "ConfirmQuit", "S");
  UpgradeDataFiles(ctx);
  EXPECT_EQ(Read("STAT_SCR.DAT"), current);
  EXPECT_EQ(ini.ReadString("Preference", "ConfirmQuit", ""), "Y");
}

TEST_F(DataFilesTest, RecentDealNumbersMoveToTheFront) {
  sys::IniFile ini(dir.File("DATA/CFG.DAT"));
  auto list = [&] {
    StringList l;
    for (int i = 1; i <= 20; ++i)
      l.push_back(ini.ReadString("Game_Numbers", "Game0" + IntToStrPad(i, 2), "?"));
    return l;
  };
  for (int n = 1; n <= 21; ++n) AddRecentDealNumber(ctx, std::to_string(n));
  StringList l = list();
  EXPECT_EQ(l.front(), "21");
  EXPECT_EQ(l.back(), "2");  // 1 pushed out
  AddRecentDealNumber(ctx, "15");
  l = list();
  EXPECT_EQ((StringList{l[0], l[1], l[6], l[7], l[19]}), (StringList{"15", "21", "16", "14", "2"}));
  ini.WriteString("Game_Numbers", "Game003", "7");  // a duplicate
  AddRecentDealNumber(ctx, "7");
  l = list();
  EXPECT_EQ(std::count(l.begin(), l.end(), "7"), 1);
  EXPECT_EQ(l[0], "7");
  EXPECT_EQ(l[18], "2");
  EXPECT_EQ(l[19], "");
}

TEST_F(DataFilesTest, SmallListsOfThePreferencesFile) {
  sys::IniFile ini(dir.File("DATA/CFG.DAT"));
  ini.WriteString("Users", "User001", "walter");
  ini.WriteString("Users", "User002", "");
  ini.WriteString("Users", "User005", "Anna");
  ini.WriteString("Users", "User020", "bob");
  ini.WriteString("Users", "User021", "Zed");
  StringList users;
  LoadUserList(ctx, users);
  EXPECT_EQ(users, (StringList{"Anna", "bob", "walter"}));

  int shown = 0;
  AdviceDialog tick = [&](const std::string&, int) { return ++shown > 0; };
  EXPECT_TRUE(ShowAdvice(ctx, "text", "Screen_Under_256_Colors", 2, tick));
  EXPECT_EQ(ini.ReadString("Show_Messages", "Screen_Under_256_Colors", ""), "N");
  EXPECT_FALSE(ShowAdvice(ctx, "text", "Screen_Under_256_Colors", 2, tick));
  EXPECT_EQ(shown, 1);

  EXPECT_EQ(ReadRunExeParameter(ctx), 0);
  ini.WriteInteger("Parameters", "Run_Exe", 7);
  EXPECT_EQ(ReadRunExeParameter(ctx), 7);
}

TEST_F(DataFilesTest, RequiredFilesAndPlaceholders) {
  std::string caption, text;
  FatalError fatal = [&](const std::string& c, const std::string& t) { caption = c, text = t; };
  EXPECT_FALSE(CheckRequiredFile(ctx, dir.File("GAMES.DAT"), fatal));
  EXPECT_EQ(caption, "Error");
  EXPECT_EQ(text.substr(0, 17), "Cannot find file:");
  EXPECT_NE(text.find(dir.File("GAMES.DAT")), std::string::npos);
  EXPECT_FALSE(CheckImagesFile(ctx, dir.File("QEX.RGF"), fatal));
  EXPECT_NE(text.find("Some program components cannot be shown correctly."), std::string::npos);
  dir.Write("GAMES.DAT", "x");
  text.clear();
  EXPECT_TRUE(CheckRequiredFile(ctx, dir.File("GAMES.DAT"), fatal));
  EXPECT_TRUE(text.empty());

  EXPECT_EQ(ExpandProductPlaceholders("About [Program] - [Program] ([Program_sw])"),
            "About Tarnwell 2000 - [Program] (Tarnwell 2000)");
}

// The start-up pass: a change cut short before its record was complete is
// undone and told, once; temporary files of our naming go, silently, and
// nothing else in DATA is touched.
TEST_F(DataFilesTest, StartUpUndoesAChangeCutShortAndTellsItOnce) {
  Write("STAT.DAT", "old stat\r\n");
  Write("STAT_LOG.DAT", "old log\r\n");
  Write("notes.tmp", "the user's own\r\n");
  Write("STAT_SCR.DAT.tmpAb12Cd", "left by a kill\r\n");
  Write("rplX9y8Z7", "left by a kill\r\n");
  Write("CHANGES.JNL.tmpQwErTy", "half a record");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Staged, then gone without a word: the batch never reaches its commit.
    sys::FileBatch batch;
    batch.Stage(dir.File("DATA/STAT.DAT"), {"new stat"});
    batch.StageAppend(dir.File("DATA/STAT_LOG.DAT"), "new line\r\n");
    batch.Stage(dir.File("DATA/STAT_GLO.DAT"), {"new glo"});
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(sys::FileExists(dir.File("DATA/CHANGES.JNL")));

  RecoverDataFiles(ctx);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find("was undone"), std::string::npos) << ui.messages[0];
  // Named too: a file staged after the record was written (its temporary
  // file was left by the same kill).
  for (const char* name : {"STAT.DAT", "STAT_SCR.DAT", "STAT_GLO.DAT"}) {
    EXPECT_NE(ui.messages[0].find(std::string("DATA/") + name), std::string::npos)
        << ui.messages[0];
  }
  std::vector<std::string> left;
  for (const auto& e : std::filesystem::directory_iterator(dir.File("DATA"))) {
    left.push_back(e.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"STAT.DAT", "STAT_LOG.DAT", "notes.tmp"}));
  EXPECT_EQ(Read("STAT.DAT"), "old stat\r\n");
  EXPECT_EQ(Read("STAT_LOG.DAT"), "old log\r\n");

  RecoverDataFiles(ctx);
  EXPECT_EQ(ui.messages.size(), 1u) << "told once";
  sys::SetBatchJournalFolder("");
}

// A record that cannot be read is kept for the next start, and told.
TEST_F(DataFilesTest, ADamagedChangeRecordIsKeptAndTold) {
  Write("CHANGES.JNL", "TWBATCH1\nstate commit\nR\tonly half");
  Write("STAT.DAT.tmpAb12Cd", "perhaps needed\r\n");
  RecoverDataFiles(ctx);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find("CHANGES.JNL"), std::string::npos) << ui.messages[0];
  EXPECT_TRUE(sys::FileExists(dir.File("DATA/CHANGES.JNL")));
  EXPECT_TRUE(sys::FileExists(dir.File("DATA/STAT.DAT.tmpAb12Cd")));
  sys::SetBatchJournalFolder("");
}

}  // namespace
}  // namespace tw
