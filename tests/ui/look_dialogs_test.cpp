// Tools/Options and Tools/Customize in the real main window: every control
// changed, the table and DATA\CFG.DAT checked, the values read back by a
// second start; Cancel changes nothing. Irregular piles picked by the mouse.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdlib>

#include "core/cards.h"
#include "platform/gfx/draw.h"
#include "platform/gfx/picture_file.h"
#include "platform/sys/ini.h"
#include "table/view/table_view.h"
#include "tests/ui/ui_fixture.h"
#include "ui/bitmap_animated.h"
#include "ui/customize_dialog.h"
#include "ui/options_dialog.h"

namespace tw::testing {
namespace {

constexpr int kKlondike = 0;

void SavePages(QDialog& dialog, QTabWidget* pages, const char* prefix) {
  const char* out = std::getenv("TW_SCREENSHOT_DIR");
  if (!out) return;
  for (int i = 0; i < pages->count(); ++i) {
    pages->setCurrentIndex(i);
    QApplication::processEvents();
    EXPECT_TRUE(dialog.grab().save(QString("%1/%2-%3.png").arg(out, prefix).arg(i + 1)));
  }
  pages->setCurrentIndex(0);
}

class LookDialogsTest : public WindowTest {
 protected:
  std::string Ini(const char* key) {
    return sys::IniFile(dir_->Path() + "DATA/CFG.DAT").ReadString("Preference", key, "?");
  }
  std::string Record() { return ctx().CfgRecord.Get(1, 749); }
  QWidget* Panel(const char* name) { return window().findChild<QWidget*>(name); }
  // A pixel of the bare table just below the toolbar, left of every pile.
  QRgb TablePixel(int dy = 3) {
    return view().WindowCanvas().Image().pixel(2, window().ToolbarBottom() + dy);
  }
  TableView& view() { return program->View(); }

  // A second start of the program on the same folder: the preferences as
  // read at start-up, before any deal.
  void Restart() {
    program->Window().hide();
    program.reset();
    program = std::make_unique<Program>(dir_->Path(), TestOptions());
    int exitCode = -1;
    ASSERT_TRUE(program->Start(exitCode));
  }
};

const char* const kOptionChecks[] = {"chkConfermaUscita", "chkConfirmQuitGame",
                                     "chkConfirmEnterHiScores", "chkWinningAnimation",
                                     "chkVertScrollBar", "chkTBLargeIcons", "chkTBFlatBtn",
                                     "chkTempo", "chkShowScore", "chkShowToolTips"};

// Every check box turned over and undo disabled.
void ChangeEveryOption(TfrmOpzioni& d) {
  for (const char* name : kOptionChecks) d.Check(name)->setChecked(!d.Check(name)->isChecked());
  d.UndoItem(2)->setChecked(true);
}

TEST_F(LookDialogsTest, OptionsOkAppliesAndStoresEveryControl) {
  Deal(kKlondike, "7");
  ASSERT_TRUE(window().Action("Generali1")->isEnabled());
  std::vector<bool> initial;
  window().SetOptionsPrepare([&](TfrmOpzioni& dialog) {
    WhenShown(&dialog, [&, d = &dialog] {
      for (const char* name : kOptionChecks) initial.push_back(d->Check(name)->isChecked());
      EXPECT_TRUE(d->UndoItem(0)->isChecked());
      SavePages(*d, d->Pages(), "options-page");
      ChangeEveryOption(*d);
      QTest::mouseClick(d->Button("btnOK"), Qt::LeftButton);
    });
  });
  window().Action("Generali1")->trigger();
  window().SetOptionsPrepare(nullptr);
  // As the quiet preferences give them.
  EXPECT_EQ(initial, std::vector<bool>({false, true, false, false, false, false, true, true, true,
                                        true}));

  // The window at once.
  EXPECT_TRUE(window().ToolbarLarge());
  EXPECT_FALSE(window().LargeToolbar()->isHidden());
  EXPECT_FALSE(window().ToolbarFlat());
  EXPECT_TRUE(Panel("pnlTempo")->isHidden());
  EXPECT_TRUE(Panel("pnlScore")->isHidden());
  EXPECT_FALSE(window().Action("mnuUndo")->isEnabled());
  EXPECT_TRUE(window().LargeButtons()[0]->toolTip().isEmpty());

  const struct {
    const char* key;
    const char* value;
  } stored[] = {{"ConfirmQuit", "Y"},      {"ConfirmQuitGame", "N"},  {"ConfirmEnterHiScores", "Y"},
                {"Winning_Animation", "Y"}, {"VertScrollBar", "Y"},    {"ToolBar_Large", "Y"},
                {"ToolBar_Flat", "N"},      {"Show_Time", "N"},        {"Show_Score", "N"},
                {"Show_ToolTips", "N"},     {"Undo_Enabled", "2"},     {"Language", "20000"}};
  for (const auto& s : stored) EXPECT_EQ(Ini(s.key), s.value) << s.key;

  Restart();
  const struct {
    CfgField field;
    const char* value;
  } record[] = {{cfg::ConfirmQuitGame, "N"},   {cfg::ConfirmEnterHiScores, "Y"},
                {cfg::Winning_Animation, "Y"}, {cfg::VertScrollBar, "Y"},
                {cfg::Show_Time, "N"},         {cfg::Show_Score, "N"},
                {cfg::Show_ToolTips, "N"},     {cfg::Undo_Enabled, "2"}};
  for (const auto& r : record) EXPECT_EQ(ctx().Cfg(r.field), r.value);
  program->Show();
  window().RunFirstActivation();
  EXPECT_TRUE(window().ToolbarLarge());
  EXPECT_FALSE(window().ToolbarFlat());
  EXPECT_TRUE(Panel("pnlTempo")->isHidden());
  // The dialog shows the stored values again.
  window().SetOptionsPrepare([&](TfrmOpzioni& dialog) {
    WhenShown(&dialog, [&, d = &dialog] {
      for (size_t i = 0; i < std::size(kOptionChecks); ++i)
        EXPECT_NE(d->Check(kOptionChecks[i])->isChecked(), initial[i]) << kOptionChecks[i];
      EXPECT_TRUE(d->UndoItem(2)->isChecked());
      d->reject();
    });
  });
  window().Action("Generali1")->trigger();
}

TEST_F(LookDialogsTest, OptionsCancelChangesNothing) {
  Deal(kKlondike, "7");
  const std::string file = dir_->ReadCfg(), record = Record();
  window().SetOptionsPrepare([&](TfrmOpzioni& dialog) {
    WhenShown(&dialog, [d = &dialog] {
      ChangeEveryOption(*d);
      QTest::mouseClick(d->findChild<QPushButton*>("btnAnnulla"), Qt::LeftButton);
    });
  });
  window().Action("Generali1")->trigger();
  EXPECT_EQ(dir_->ReadCfg(), file);
  EXPECT_EQ(Record(), record);
  EXPECT_FALSE(window().ToolbarLarge());
  EXPECT_FALSE(Panel("pnlTempo")->isHidden());
  EXPECT_TRUE(window().Action("mnuUndo")->isEnabled());
}

// Every control of the Customize dialog changed from the quiet preferences
// (big cards of set 1, back 11, default background, no effects, fastest
// speed, sounds on, large arrow).
void ChangeEveryCustomizeControl(TfrmCustomize& d) {
  QTest::mouseClick(d.findChild<QWidget*>("imgCard04"), Qt::LeftButton);
  EXPECT_TRUE(d.SelectBack(27));
  // The custom colour first, then white with a fade.
  ASSERT_TRUE(d.SelectBackground(kCustomColourNode));
  d.SetColourAsker([](QColor& c) {
    c = QColor(10, 20, 30);
    return true;
  });
  QTest::mouseClick(d.Button("btnColore"), Qt::LeftButton);
  ASSERT_TRUE(d.SelectBackground(16777215));
  EXPECT_FALSE(d.Button("btnColore")->isEnabled());
  d.Check("chkFadeBackground")->setChecked(true);
  for (int i = 0; i < 3; ++i) d.Effects()->item(i)->setCheckState(Qt::Checked);
  d.Speed()->setValue(3);
  for (const char* name : {"chkAutomaticFaceUp", "chkRedealAnimation", "chkDealAnimation",
                           "chkRandomCards", "chkRandomDecks", "chkRandomBackground"})
    d.Check(name)->setChecked(!d.Check(name)->isChecked());
  // "About form" off, then every sound.
  d.SoundList()->setCurrentRow(0);
  QTest::mouseClick(d.Button("btnSounds_Delete"), Qt::LeftButton);
  EXPECT_FALSE(d.SoundEnabled(0));
  d.Check("chkSoundsEnabled")->setChecked(true);
  d.CursorList()->setCurrentRow(4);
}

TEST_F(LookDialogsTest, CustomizeOkAppliesAndStoresEveryControl) {
  Deal(kKlondike, "7");
  ASSERT_TRUE(window().Action("mnuCustomize")->isEnabled());
  const QRgb before = TablePixel();
  window().SetCustomizePrepare([&](TfrmCustomize& dialog) {
    WhenShown(&dialog, [&, d = &dialog] {
      EXPECT_EQ(d->PendingType(), 0);
      EXPECT_EQ(d->Speed()->value(), 5);
      EXPECT_EQ(d->CursorList()->currentItem()->text(), "Arrow large");
      // The default background is the "Colors" folder.
      EXPECT_EQ(d->BackgroundTree()->currentItem()->text(0), "Colors");
      ChangeEveryCustomizeControl(*d);
      // The previews follow: faded white at the sample's top.
      EXPECT_GT(qGreen(d->CardSample().pixel(1, 1)), 240);
      d->Pages()->setCurrentIndex(3);
      d->Effects()->setCurrentRow(1);
      EXPECT_TRUE(d->AnimatedYes()->Play());
      EXPECT_FALSE(d->AnimatedNo()->Play());
      SavePages(*d, d->Pages(), "customize-page");
      QTest::mouseClick(d->Button("btnOK"), Qt::LeftButton);
    });
  });
  window().Action("mnuCustomize")->trigger();
  window().SetCustomizePrepare(nullptr);
  EXPECT_TRUE(prompts.questions.empty());

  // The table at once: faded white background, set 4, back 27, shadows.
  EXPECT_NE(TablePixel(), before);
  EXPECT_GT(qRed(TablePixel()), 200);
  EXPECT_EQ(ctx().Cfg(cfg::Card), "004");
  const QImage back =
      gfx::LoadPictureFile(dir_->Path() + "Images/DB027.bmp").Image().convertToFormat(
          QImage::Format_RGB32);
  EXPECT_EQ(view().Pictures().CardBackBmp.Image().convertToFormat(QImage::Format_RGB32), back);
  EXPECT_EQ(ctx().TfrmMain.ShadowOffset, 9);
  EXPECT_EQ(ctx().Cfg(cfg::Piles_TT), "Y");

  const struct {
    const char* key;
    const char* value;
    CfgField field;
    const char* record;
  } stored[] = {
      {"Card", "4", cfg::Card, "004"},
      {"Card_Size", "B", cfg::Card_Size, "B"},
      {"Back_Card", "27", cfg::Back_Card, "027"},
      {"Background_Def", "N", cfg::Background_def, "N"},
      {"Background_bmp", "0", cfg::Background_bmp, "0"},
      {"Background_Fixed_Col", "16777215", cfg::Background_Fixed_Col, "16777215"},
      {"Background_Col", "1971210", cfg::Background_Col, "1971210"},
      {"Fade_Background", "Y", cfg::Fade_Background, "Y"},
      {"Speed_Move_Card", "10", cfg::Speed_Move_Card, "10"},
      {"Cursor", "14", cfg::Cursor, "14"},
      {"Cards_Animate", "Y", cfg::Cards_Animate, "Y"},
      {"Cards_Shadowed", "Y", cfg::Cards_Shadowed, "Y"},
      {"Piles_TT", "Y", cfg::Piles_TT, "Y"},
      {"Automatic_FaceUp", "N", cfg::Automatic_FaceUp, "N"},
      {"Redeal_Animation", "Y", cfg::Redeal_Animation, "Y"},
      {"Deal_Animation", "Y", cfg::Deal_Animation, "Y"},
      {"Random_Card", "Y", cfg::Random_Card, "Y"},
      {"Random_Deck", "Y", cfg::Random_Deck, "Y"},
      {"Random_Background", "Y", cfg::Random_Background, "Y"},
      {"Sounds_Enabled", "N", cfg::Sounds_Enabled, "N"},
      {"Sounds_About", "N", cfg::Sounds_About, "N"},
      {"Sounds_Undo", "Y", cfg::Sounds_Undo, "Y"},
      {"Sounds_Splash", "Y", cfg::Sounds_Splash, "Y"},
  };
  for (const auto& s : stored) EXPECT_EQ(Ini(s.key), s.value) << s.key;
  Restart();
  for (const auto& s : stored) EXPECT_EQ(ctx().Cfg(s.field), s.record) << s.key;
}

TEST_F(LookDialogsTest, CustomizeCancelAfterApplyChangesNothing) {
  Deal(kKlondike, "7");
  const std::string file = dir_->ReadCfg(), record = Record();
  const QRgb before = TablePixel();
  QRgb applied = 0;
  window().SetCustomizePrepare([&](TfrmCustomize& dialog) {
    WhenShown(&dialog, [&, d = &dialog] {
      ChangeEveryCustomizeControl(*d);
      QTest::mouseClick(d->Button("btnApply"), Qt::LeftButton);
      applied = TablePixel();
      EXPECT_EQ(ctx().Cfg(cfg::Card), "004");
      QTest::mouseClick(d->Button("btnCancel"), Qt::LeftButton);
    });
  });
  window().Action("mnuCustomize")->trigger();
  EXPECT_NE(applied, before);
  EXPECT_EQ(TablePixel(), before);
  EXPECT_EQ(dir_->ReadCfg(), file);
  EXPECT_EQ(Record(), record);
  EXPECT_EQ(ctx().CardWidth, 71);
}

TEST_F(LookDialogsTest, MediumCardsAskOnceAndForceTheSmallBack) {
  Deal(kKlondike, "7");
  const std::string file = dir_->ReadCfg();
  bool stayedOpen = false;
  auto chooseMedium = [&](bool answer) {
    window().SetCustomizePrepare([&, answer](TfrmCustomize& dialog) {
      WhenShown(&dialog, [&, answer, d = &dialog] {
        QTest::mouseClick(d->findChild<QWidget*>("imgCard50"), Qt::LeftButton);
        prompts.answer = false;
        QTest::mouseClick(d->Button("btnOK"), Qt::LeftButton);
        stayedOpen = d->isVisible();
        if (!answer) {
          d->reject();
          return;
        }
        prompts.answer = true;
        if (d->isVisible()) QTest::mouseClick(d->Button("btnOK"), Qt::LeftButton);
      });
    });
    window().Action("mnuCustomize")->trigger();
  };
  chooseMedium(false);
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(dir_->ReadCfg(), file);
  chooseMedium(true);
  EXPECT_EQ(ctx().Cfg(cfg::Card_Size), "M");
  EXPECT_EQ(ctx().Cfg(cfg::Back_Card), "006");
  EXPECT_EQ(Ini("Back_Card"), "6");
  EXPECT_EQ(ctx().CardWidth, 59);
  EXPECT_EQ(view().Pictures().CardFaces[0].Width(), 59);
  // Medium cards already in force: no question.
  prompts.questions.clear();
  chooseMedium(true);
  EXPECT_TRUE(prompts.questions.empty());
  EXPECT_FALSE(stayedOpen);
}

class IrregularPilesTest : public LookDialogsTest {
 protected:
  std::vector<std::string> ExtraPreferences() override { return {"Piles_TT=Y"}; }
};

// The pointer on the outer column of a shifted card lifts that card. The
// shifts are random: deals are played until enough top cards were shifted.
TEST_F(IrregularPilesTest, ADragPicksTheShiftedCardUnderThePointer) {
  int tried = 0;
  for (int n = 7; n < 60 && tried < 8; ++n) {
    const std::string deal = std::to_string(n);
    Deal(kKlondike, deal.c_str());
    for (int i = 0; i < ctx().GameRules.TableauCount(); ++i) {
      const std::string name = "Fila" + std::to_string(i + 1);
      const int card = TopCard(ctx().FilaPiles[static_cast<size_t>(i)]);
      const int x = CardLeftX(ctx(), name, i, 0, false), y = CardTopY(ctx(), name, i, 0, false);
      const int shift = x - ctx().TableauX[static_cast<size_t>(i)];
      if (card == 0 || shift == 0) continue;
      ++tried;
      const QPoint at(shift > 0 ? x + ctx().CardWidth - 1 : x, y + 5);
      Press(at);
      MoveTo(at + QPoint(0, 15));
      EXPECT_EQ(ctx().GameState.MovingCard(), card) << "deal " << deal << " " << name;
      Release(at);
    }
  }
  EXPECT_GT(tried, 3);
}

}  // namespace
}  // namespace tw::testing
