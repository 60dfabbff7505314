// Start-up and shutdown: the preferences read into the configuration
// record, players, the run counter, the current game, the version marker,
// fatal start-up errors, the saved geometry and the close query.
#include "ui/startup.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <filesystem>
#include <string>
#include <vector>

#include "core/gamesfile.h"
#include "platform/sys/files.h"
#include "platform/sys/ini.h"
#include "tests/ui/ui_fixture.h"
#include "ui/help_viewer.h"

namespace tw::testing {
namespace {

struct PrefCase {
  CfgField field;
  const char* value;
};

TEST(StartupPreferencesTest, AMissingFileGivesTheDefaults) {
  ProgramDir dir("defaults");
  GameContext ctx;
  CreateSharedGlobals(ctx, dir.Path());
  sys::IniFile ini(dir.Path() + "DATA/CFG.DAT");
  const WindowPreferences win = ReadPreferences(ctx, ini, 1 << 24);
  const PrefCase cases[] = {
      {cfg::Show_ToolTips, "Y"},
      {cfg::Back_Card, "011"},
      {cfg::Card, "001"},
      {cfg::Card_Size, "B"},
      {cfg::Background_bmp, "0"},
      {cfg::Background_Fixed_Col, "32768"},
      {cfg::Background_Col, "-2147483633"},
      {cfg::Background_def, "N"},
      {cfg::Fade_Background, "Y"},
      {cfg::Game, "0001"},
      {cfg::Game_name, "FreeCell"},
      {cfg::Show_Time, "Y"},
      {cfg::Show_Score, "Y"},
      {cfg::Cards_Animate, "Y"},
      {cfg::Cards_Shadowed, "Y"},
      {cfg::Piles_TT, "N"},
      {cfg::Automatic_FaceUp, "Y"},
      {cfg::Deal_Animation, "Y"},
      {cfg::Redeal_Animation, "Y"},
      {cfg::Language, "20000"},
      {cfg::Speed_Move_Card, "10"},
      {cfg::StatusBar, "N"},
      {cfg::UserDefault, ""},
      {cfg::Undo_Enabled, "0"},
      {cfg::Winning_Animation, "Y"},
      {cfg::ConfirmQuitGame, "Y"},
      {cfg::ConfirmEnterHiScores, "Y"},
      {cfg::Sounds_Enabled, "Y"},
      {cfg::Sounds_About, "Y"},
      {cfg::Sounds_Undo, "Y"},
      {cfg::Sounds_Splash, "Y"},
      {cfg::Sounds_Foundation, "Y"},
      {cfg::Random_Background, "N"},
      {cfg::Random_Card, "N"},
      {cfg::Random_Deck, "N"},
      {cfg::VertScrollBar, "N"},
      {cfg::Cursor, "11"},
      {cfg::ScoreKind, "01"},
  };
  for (const PrefCase& c : cases) {
    EXPECT_EQ(ctx.Cfg(c.field), c.value) << "field at " << c.field.pos;
  }
  EXPECT_FALSE(win.ToolbarLarge);
  EXPECT_TRUE(win.ToolbarFlat);
  EXPECT_TRUE(win.AutoPlay);
}

TEST(StartupPreferencesTest, CorrectionsAndDependentDefaults) {
  ProgramDir dir("corrections");
  dir.WriteCfg({"[Preference]", "Card_Size=M", "Back_Card=17", "Background_Col=0",
                "Cards_Animate=N", "Background_bmp=", "AutoPlay=N", "game=12"});
  GameContext ctx;
  CreateSharedGlobals(ctx, dir.Path());
  sys::IniFile ini(dir.Path() + "DATA/CFG.DAT");
  const WindowPreferences win = ReadPreferences(ctx, ini, 256);
  EXPECT_EQ(ctx.Cfg(cfg::Back_Card), "006");  // medium cards take the medium back
  EXPECT_EQ(ctx.Cfg(cfg::Card), "003");       // 256 colours: card set 3
  EXPECT_EQ(ctx.Cfg(cfg::Background_Col), "-2147483633");
  EXPECT_EQ(ctx.Cfg(cfg::Cards_Shadowed), "N");  // follows the animation switch
  EXPECT_EQ(ctx.Cfg(cfg::Background_bmp), "0");
  EXPECT_EQ(ctx.Cfg(cfg::Game), "0012");  // keys match without regard to case
  EXPECT_FALSE(win.AutoPlay);

  dir.WriteCfg({"[Preference]", "Back_Card=0", "Card_Size=Q"});
  ReadPreferences(ctx, ini, 1 << 24);
  EXPECT_EQ(ctx.Cfg(cfg::Back_Card), "001");
  EXPECT_EQ(ctx.Cfg(cfg::Card_Size), "B");
}

TEST(StartupPlayersTest, DefaultPlayersOnlyWhenThereAreNone) {
  ProgramDir dir("players");
  dir.WriteCfg({});
  GameContext ctx;
  CreateSharedGlobals(ctx, dir.Path());
  sys::IniFile ini(dir.Path() + "DATA/CFG.DAT");
  ReadPreferences(ctx, ini, 1 << 24);
  EnsureCurrentPlayer(ctx, ini);
  EXPECT_EQ(ctx.Cfg(cfg::UserDefault), "Player 1");
  EXPECT_EQ(ini.ReadString("Users", "User003", ""), "Player 3");
  EXPECT_EQ(ini.ReadString("Preference", "UserDefault", ""), "Player 1");

  // A lost current player does not overwrite the players who exist.
  dir.WriteCfg({"[Users]", "User001=Ann", "User002=Bob"});
  ctx.SetCfg(cfg::UserDefault, "");
  EnsureCurrentPlayer(ctx, ini);
  EXPECT_EQ(ctx.Cfg(cfg::UserDefault), "Ann");
  EXPECT_EQ(ini.ReadString("Users", "User001", ""), "Ann");
  EXPECT_EQ(ini.ReadString("Users", "User003", ""), "");
}

TEST(StartupRunCounterTest, CountsUpToNine) {
  ProgramDir dir("runs");
  sys::IniFile ini(dir.Path() + "DATA/CFG.DAT");
  dir.WriteCfg({"[Parameters]", "Run_Exe=8"});
  CountProgramRun(ini);
  EXPECT_EQ(ini.ReadInteger("Parameters", "Run_Exe", 0), 9);
  CountProgramRun(ini);
  EXPECT_EQ(ini.ReadInteger("Parameters", "Run_Exe", 0), 9);
}

TEST(StartupWindowStateTest, ReadsDefaultsAndSavesTheGeometry) {
  ProgramDir dir("geometry");
  sys::IniFile ini(dir.Path() + "DATA/CFG.DAT");
  dir.WriteCfg({"[Preference]"});
  MainWindowState s = ReadMainWindowState(ini, 1280, 800);
  EXPECT_EQ(s.Left, 50);
  EXPECT_EQ(s.Width, 1130);
  EXPECT_EQ(s.Height, 650);
  EXPECT_TRUE(s.Maximized);
  s = {10, 20, 900, 600, false};
  SaveMainWindowState(ini, s);
  const MainWindowState back = ReadMainWindowState(ini, 1280, 800);
  EXPECT_EQ(back.Left, 10);
  EXPECT_EQ(back.Top, 20);
  EXPECT_EQ(back.Width, 900);
  EXPECT_EQ(back.Height, 600);
  EXPECT_FALSE(back.Maximized);
  // Maximized keeps the last normal geometry.
  SaveMainWindowState(ini, {0, 0, 1, 1, true});
  EXPECT_EQ(ReadMainWindowState(ini, 1280, 800).Width, 900);
}

ProgramOptions Quiet(ScriptedPrompts& prompts, SteppingClock& clock) {
  ProgramOptions o;
  o.Muted = true;
  o.Splash = false;
  o.Prompts = &prompts;
  o.Clock = &clock;
  o.FixedWidth = 900;
  o.FixedHeight = 700;
  o.FirstDealDirect = true;
  return o;
}

// The shipped file with four bytes changed a third of the way in.
std::string DamagedCopy(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(sys::ReadFileBytes(std::string(TW_DIST_DIR) + "/" + name, bytes));
  for (size_t i = 0; i < 4; ++i) bytes[bytes.size() / 3 + i] ^= 0x5a;
  return bytes;
}

// A required file missing from the program folder, or a damaged picture
// library, stops the start with one message naming it.
TEST(ProgramStartTest, AMissingRequiredFileStopsWithAMessage) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  const struct {
    const char* dir;
    const char* present;
    const char* damaged;  // written damaged, or none
    std::vector<std::string> inMessage;
  } cases[] = {
      {"nolibrary", "GAMES.DAT", nullptr, {"Can't find/load ", "qex.rgf"}},
      {"nogames", "QEX.RGF", nullptr, {"GAMES.DAT"}},
      {"damagedlibrary", "GAMES.DAT", "QEX.RGF", {"Can't find/load ", "damagedlibrary/qex.rgf"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dir);
    ProgramDir dir(c.dir);
    dir.LinkDist({c.present});
    if (c.damaged) ASSERT_TRUE(sys::ReplaceFileBytes(dir.Path() + c.damaged, DamagedCopy(c.damaged)));
    ScriptedPrompts prompts;
    SteppingClock clock;
    Program program(dir.Path(), Quiet(prompts, clock));
    int exitCode = 0;
    EXPECT_FALSE(program.Start(exitCode));
    EXPECT_NE(exitCode, 0);
    ASSERT_EQ(prompts.messages.size(), 1u);
    for (const std::string& text : c.inMessage) {
      EXPECT_NE(prompts.messages[0].find(text), std::string::npos) << text;
    }
  }
}

// A damaged help file is told once, when help is first asked for, and the
// program runs without help.
TEST(ProgramStartTest, DamagedHelpIsToldOnce) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  ProgramDir dir("damagedhelp");
  dir.LinkDist({"GAMES.DAT", "QEX.RGF", "Images", "SOUNDS"});
  const std::string help = dir.Path() + kHelpFileName;
  ASSERT_TRUE(sys::ReplaceFileBytes(help, DamagedCopy(kHelpFileName)));
  ScriptedPrompts prompts;
  SteppingClock clock;
  Program program(dir.Path(), Quiet(prompts, clock));
  int exitCode = -1;
  ASSERT_TRUE(program.Start(exitCode));
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_FALSE(program.Help().ShowTopic("proc", 1000));
  EXPECT_FALSE(program.Help().IsOpen());
  EXPECT_EQ(prompts.messages, std::vector<std::string>{DamagedHelpFileText(help)});
}

// A kill that cut a change short after its record was complete: the start
// finishes it before the preferences are read, silently, and leaves nothing.
TEST(ProgramStartTest, AChangeCutShortByAKillIsFinishedBeforeThePreferencesAreRead) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  ProgramDir dir("killedchange");
  dir.LinkDist();
  dir.WriteCfg({"[Preference]", "Game=1"});
  const std::string cfgPath = dir.Path() + "DATA/CFG.DAT";
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    sys::FileBatch batch;
    batch.Stage(cfgPath, {"[Preference]", "Game=2"});
    // The record's write (fsync, rename, folder fsync) and the backup link
    // pass; the rename of the new preferences is where the kill falls.
    sys::SetFailurePoints({-1, -1, -1, 4});
    batch.Commit();
    ::_exit(0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  ASSERT_NE(dir.ReadCfg().find("Game=1"), std::string::npos);

  ScriptedPrompts prompts;
  SteppingClock clock;
  Program program(dir.Path(), Quiet(prompts, clock));
  int exitCode = -1;
  ASSERT_TRUE(program.Start(exitCode));
  EXPECT_EQ(program.Context().Cfg(cfg::Game), "0002");
  EXPECT_TRUE(prompts.messages.empty());
  for (const auto& e : std::filesystem::directory_iterator(dir.Path() + "DATA")) {
    const std::string name = e.path().filename().string();
    EXPECT_TRUE(name.find(".tmp") == std::string::npos && name.find(".bak") == std::string::npos &&
                name != "CHANGES.JNL")
        << name;
  }
}

TEST(ProgramStartTest, FirstRunMakesTheDataFolderAndDealsTheCurrentGame) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  ProgramDir dir("firstrun");
  dir.LinkDist();
  ScriptedPrompts prompts;
  SteppingClock clock;
  ProgramOptions options = Quiet(prompts, clock);
  Program program(dir.Path(), options);
  int exitCode = -1;
  ASSERT_TRUE(program.Start(exitCode));
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() + "DATA"));
  EXPECT_EQ(program.Context().TfrmMain.GameInProgress, 0);  // nothing before the first activation
  // The run counter and the version marker wait for the first frame.
  EXPECT_EQ(dir.ReadCfg().find("Run_Exe"), std::string::npos);
  EXPECT_FALSE(sys::FileExists(dir.Path() + kVersionMarkerFile));
  bool drawn = false;
  program.Window().SetOnFirstTable([&] { drawn = true; });
  program.Show();
  QApplication::processEvents();
  program.Window().RunFirstActivation();  // a second call does nothing
  EXPECT_TRUE(drawn);
  GameContext& ctx = program.Context();
  EXPECT_EQ(ctx.TfrmMain.FirstActivation, 0);
  EXPECT_EQ(ctx.TfrmMain.GameInProgress, 1);
  EXPECT_EQ(ctx.Cfg(cfg::Game), "0001");
  EXPECT_EQ(ctx.Cfg(cfg::UserDefault), "Player 1");
  const std::string caption = program.Window().Caption();
  EXPECT_EQ(caption.rfind("Tarnwell 2000 [FreeCell]  [Player 1]  [", 0), 0u) << caption;
  EXPECT_NE(dir.ReadCfg().find("Run_Exe=1"), std::string::npos);
  std::string marker;
  ASSERT_TRUE(sys::ReadFileBytes(dir.Path() + kVersionMarkerFile, marker));
  EXPECT_EQ(marker, std::string(kVersionMarkerText) + "\r\n");
  program.Window().hide();
}

TEST(ProgramStartTest, AnUnknownCurrentGameMeansNoGame) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  ProgramDir dir("unknowngame");
  dir.LinkDist();
  dir.WriteCfg({"[Preference]", "Game=7777", "Game_name=Gone"});
  ScriptedPrompts prompts;
  SteppingClock clock;
  Program program(dir.Path(), Quiet(prompts, clock));
  int exitCode = -1;
  ASSERT_TRUE(program.Start(exitCode));
  EXPECT_EQ(program.Context().Cfg(cfg::Game), "-001");
  EXPECT_EQ(program.Context().Cfg(cfg::Game_name), "");
  program.Show();
  program.Window().RunFirstActivation();
  EXPECT_EQ(program.Context().TfrmMain.GameInProgress, 0);
  program.Window().hide();
}

class CloseTest : public WindowTest {};

TEST_F(CloseTest, ConfirmQuitAbsentClosesWithoutAQuestionAndRecordsTheDeal) {
  Deal(1, "5");
  window().close();
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_FALSE(window().isVisible());
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 0);
  const std::string cfg = dir_->ReadCfg();
  EXPECT_NE(cfg.find("AutoPlay=N"), std::string::npos);
  EXPECT_NE(cfg.find("MainWindowState_Maximized=N"), std::string::npos);
  EXPECT_NE(cfg.find("MainWindowState_Width=1000"), std::string::npos);
}

TEST_F(CloseTest, ConfirmQuitAsksAndCancelKeepsTheWindow) {
  sys::IniFile(dir_->Path() + "DATA/CFG.DAT").WriteString("Preference", "ConfirmQuit", "Y");
  Deal(1, "5");
  prompts.answer = false;
  window().close();
  ASSERT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(prompts.questions[0], "Exit Tarnwell 2000?");
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  EXPECT_EQ(ctx().GameState.ClosePending(), 0);
  prompts.answer = true;
  window().close();
  EXPECT_FALSE(window().isVisible());
}

TEST_F(CloseTest, ClosingDuringTheWonAnimationWaitsForItsEnd) {
  Deal(1, "5");
  ctx().TfrmMain.WinAnimationRunning = 1;
  window().SetWonAnimationFilter(true);
  window().close();
  EXPECT_TRUE(window().isVisible());
  EXPECT_EQ(ctx().TfrmMain.WinAnimationRunning, 0);  // the animation is told to stop
  EXPECT_EQ(ctx().GameState.ClosePending(), 1);
  EXPECT_EQ(window().Filter().Current(), InputFilter::Mode::None);
}

}  // namespace
}  // namespace tw::testing
