// Sound playback: names matched without regard to case with ".wav" added,
// missing files silent, the switches of the configuration record obeyed.
#include <QTest>
#include <gtest/gtest.h>

#include "engine/executor.h"
#include "platform/qt/sound_player.h"
#include "tests/ui/ui_fixture.h"

namespace tw::testing {
namespace {

std::string Sounds() { return std::string(TW_DIST_DIR) + "/SOUNDS"; }

TEST(SoundPlayerTest, NamesMatchWithoutRegardToCase) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  qt::SoundPlayer player(Sounds());
  struct Case {
    const char* name;
    const char* file;  // "" when nothing plays
  } cases[] = {
      {"Stock", "Stock.wav"},
      {"Foundation.wav", "Foundation.wav"},
      {"card_up.wav", "card_up.wav"},
      {"FACE_UP", "Face_up.wav"},
      {"Hi-Scor", "Hi-Scor.wav"},
      {"_t1dz", ""},
      {"", ""},
      {"../SOUNDS/Stock", ""},
  };
  for (const Case& c : cases) {
    const std::string file = player.ResolveFile(c.name);
    if (*c.file == '\0') {
      EXPECT_EQ(file, "") << c.name;
    } else {
      EXPECT_EQ(std::filesystem::path(file).filename().string(), c.file) << c.name;
    }
  }
}

TEST(SoundPlayerTest, AMissingNameStopsTheSoundPlaying) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  qt::SoundPlayer player(Sounds());
  player.SetMuted(true);
  player.Play("Redeal", qt::SoundPlayer::Mode::Loop);
  EXPECT_EQ(player.Current(), "Redeal");
  player.Play("_t1dz", qt::SoundPlayer::Mode::Once);
  EXPECT_EQ(player.Current(), "");
  player.Play("Won", qt::SoundPlayer::Mode::Once);
  player.Stop();
  EXPECT_EQ(player.Current(), "");
}

TEST(SoundPlayerTest, PlaysWithoutAnAudioDevice) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  qt::SoundPlayer player(Sounds());
  player.Play("Tableau", qt::SoundPlayer::Mode::Once);
  player.Play("Shuffle", qt::SoundPlayer::Mode::Loop);
  player.Play("", qt::SoundPlayer::Mode::Once);
  EXPECT_EQ(player.Current(), "");
}

TEST(SoundPlayerTest, WaveLengthFromTheHeader) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  const int ms = qt::WaveDurationMs(Sounds() + "/Stock.wav");
  EXPECT_GT(ms, 0);
  EXPECT_LT(ms, 3000);
  EXPECT_EQ(qt::WaveDurationMs(std::string(TW_DIST_DIR) + "/GAMES.DAT"), 0);
  EXPECT_EQ(qt::WaveDurationMs("/no/such/file.wav"), 0);
}

class SoundSwitchTest : public WindowTest {};

TEST_F(SoundSwitchTest, TheMasterSwitchSilencesEveryEvent) {
  qt::SoundPlayer& player = program->Sound();
  ctx().SetCfg(cfg::Sounds_Stock, "Y");
  PlayEventSound(ctx(), "Stock", cfg::Sounds_Stock);
  EXPECT_EQ(player.Current(), "Stock");
  player.Stop();
  ctx().SetCfg(cfg::Sounds_Stock, "N");
  PlayEventSound(ctx(), "Stock", cfg::Sounds_Stock);
  EXPECT_EQ(player.Current(), "");
  ctx().SetCfg(cfg::Sounds_Stock, "Y");
  ctx().SetCfg(cfg::Sounds_Enabled, "N");
  PlayEventSound(ctx(), "Stock", cfg::Sounds_Stock);
  PlayEventSoundAlways(ctx(), "Reorder");
  EXPECT_EQ(player.Current(), "");
}

TEST(SplashSoundTest, PlaysAfterTheFirstFrameUnlessASwitchIsOff) {
  if (!ProgramDir::DistBuilt()) GTEST_SKIP();
  // No current game: the first activation deals nothing and the first frame is the bare table.
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"[Preference]", "Game=-1"}, "Splash"},
      {{"[Preference]", "Game=-1", "Sounds_Splash=N"}, ""},
      {{"[Preference]", "Game=-1", "Sounds_Enabled=N"}, ""},
  };
  for (const auto& [prefs, played] : cases) {
    ProgramDir dir("splash");
    dir.LinkDist();
    dir.WriteCfg(prefs);
    ScriptedPrompts prompts;
    SteppingClock clock;
    ProgramOptions options;
    options.Muted = true;
    options.Splash = false;
    options.Prompts = &prompts;
    options.Clock = &clock;
    options.FixedWidth = 800;
    options.FixedHeight = 600;
    options.FirstDealDirect = true;
    Program program(dir.Path(), options);
    int exitCode = -1;
    ASSERT_TRUE(program.Start(exitCode));
    EXPECT_EQ(program.Sound().Current(), "") << prefs.back();
    program.Show();
    const bool sounded = QTest::qWaitFor([&] { return !program.Sound().Current().empty(); }, 1000);
    EXPECT_EQ(sounded, *played != '\0') << prefs.back();
    EXPECT_EQ(program.Sound().Current(), played) << prefs.back();
  }
}

}  // namespace
}  // namespace tw::testing
