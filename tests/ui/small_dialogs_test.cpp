// The deal-number, favourite-games, tip-of-the-day and newsletter dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <cstdlib>

#include "core/datafiles.h"
#include "core/gamesfile.h"
#include "core/util.h"
#include "platform/sys/ini.h"
#include "tests/ui/ui_fixture.h"
#include "ui/about.h"
#include "ui/deal_number.h"
#include "ui/favourites.h"
#include "ui/newsletter.h"
#include "ui/tips.h"

namespace tw::testing {
namespace {

TEST(DealNumberCheckTest, AcceptsOneToThirteenDigitsOnly) {
  struct Case {
    const char* text;
    DealNumberCheck check;
    const char* digits;
  };
  const Case cases[] = {
      {"7", DealNumberCheck::Ok, "0000000000007"},
      {"  7 ", DealNumberCheck::Ok, "0000000000007"},
      {"9999999999999", DealNumberCheck::Ok, "9999999999999"},
      {"0000000000042", DealNumberCheck::Ok, "0000000000042"},
      {"", DealNumberCheck::Nothing, ""},
      {"0", DealNumberCheck::Nothing, ""},
      {"000", DealNumberCheck::Nothing, ""},
      {"12a", DealNumberCheck::NotDigits, ""},
      {"-5", DealNumberCheck::NotDigits, ""},
      {"1 2", DealNumberCheck::NotDigits, ""},
      {"12345678901234", DealNumberCheck::TooLong, ""},
  };
  for (const Case& c : cases) {
    std::string digits = "x";
    EXPECT_EQ(CheckDealNumber(c.text, digits), c.check) << c.text;
    EXPECT_EQ(digits, c.digits) << c.text;
  }
  EXPECT_EQ(DealNumberMessage(DealNumberCheck::TooLong), "From 1 up to 13 ciphers.");
  EXPECT_EQ(DealNumberMessage(DealNumberCheck::NotDigits), "Only numbers required.");
}

TEST(NewsletterTest, DownloadPlaceCannotAddMailFields) {
  const std::string address = NewsletterMailAddress("shop&cc=x@y?body=#1%  ");
  const std::string prefix = std::string(kNewsletterMail) + "?subject=";
  ASSERT_EQ(address.rfind(prefix, 0), 0u) << address;
  const std::string subject = address.substr(prefix.size());
  EXPECT_EQ(subject.find_first_of("&?#= "), std::string::npos) << subject;
  EXPECT_EQ(QUrl::fromPercentEncoding(QByteArray::fromStdString(subject)).toStdString(),
            "News (shop&cc=x@y?body=#1%)");
}

class SmallDialogsTest : public WindowTest {
 protected:
  // Runs act on the next modal dialog once it is on the screen.
  void OnModal(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer(&window());
    QObject::connect(timer, &QTimer::timeout, &window(), [timer, act = std::move(act)] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || !modal->isVisible()) return;
      timer->stop();
      timer->deleteLater();
      act(modal);
    });
    timer->start(0);
  }
  std::vector<std::string> Piles() {
    std::vector<std::string> all(ctx().MazzoPiles.begin(), ctx().MazzoPiles.end());
    all.insert(all.end(), ctx().FilaPiles.begin(), ctx().FilaPiles.end());
    return all;
  }
};

TEST_F(SmallDialogsTest, TypedDealNumberDealsExactlyThatDeal) {
  Deal(0, "21");
  ASSERT_TRUE(window().Action("mnuSelect")->isEnabled());
  bool stayedOpen = false;
  OnModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<DealNumberDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Select a game number");
    // The current deal stands in the edit, the recent ones in the list.
    EXPECT_EQ(dialog->NumberBox()->currentText(), "0000000000021");
    EXPECT_GE(dialog->NumberBox()->findText("0000000000021"), 0);
    for (const char* bad : {"12a", "12345678901234", "0", ""}) {
      dialog->NumberBox()->setEditText(bad);
      dialog->OkButton()->click();
    }
    stayedOpen = dialog->isVisible();
    dialog->NumberBox()->setEditText("7");
    QTest::keyClick(dialog->NumberBox()->lineEdit(), Qt::Key_Return);
  });
  window().Action("mnuSelect")->trigger();
  EXPECT_TRUE(stayedOpen);
  ASSERT_GE(prompts.messages.size(), 2u);
  EXPECT_EQ(prompts.messages[0], "Only numbers required.");
  EXPECT_EQ(prompts.messages[1], "From 1 up to 13 ciphers.");
  EXPECT_EQ(prompts.messages.size(), 2u);
  EXPECT_EQ(Trim(ctx().Cfg(cfg::DealNumber)), "0000000000007");
  EXPECT_EQ(ctx().TfrmMain.GameInProgress, 1);
  const std::vector<std::string> viaDialog = Piles();

  // The same deal as asking for number 7 directly.
  ASSERT_TRUE(window().NewDeal("7"));
  EXPECT_EQ(Piles(), viaDialog);

  // The player keeps the deal in play: nothing is dealt.
  ctx().SetCfg(cfg::ConfirmQuitGame, "Y");
  prompts.answer = false;
  OnModal([](QWidget* modal) {
    auto* dialog = qobject_cast<DealNumberDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->NumberBox()->setEditText("123");
    dialog->OkButton()->click();
  });
  prompts.questions.clear();
  window().Action("mnuSelect")->trigger();
  EXPECT_EQ(prompts.questions.size(), 1u);
  EXPECT_EQ(Trim(ctx().Cfg(cfg::DealNumber)), "0000000000007");
  EXPECT_EQ(Piles(), viaDialog);
}

TEST_F(SmallDialogsTest, FavouritesRoundTrip) {
  const std::string first = TrimRightSpaces(GameNameFromNumber(ctx(), 0));
  const std::string second = TrimRightSpaces(GameNameFromNumber(ctx(), 1));
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  {
    sys::IniFile ini(CfgFilePath(ctx()));
    ini.WriteString("Favourite Games", "Game000", "No such game");
    ini.WriteString("Favourite Games", "Game001", first);
    ini.WriteString("Favourite Games", "Game002", first);
  }
  FavouritesDialog dialog(ctx(), &window());
  QListWidget* all = dialog.AllGames();
  QListWidget* favourites = dialog.Favourites();
  ASSERT_EQ(favourites->count(), 1);
  EXPECT_EQ(favourites->item(0)->text().toStdString(), first);
  const int total = all->count() + 1;
  for (int i = 0; i < all->count(); ++i) EXPECT_NE(all->item(i)->text().toStdString(), first);

  // Add the second game, remove everything, add both back.
  for (int i = 0; i < all->count(); ++i) {
    if (all->item(i)->text().toStdString() == second) all->item(i)->setSelected(true);
  }
  dialog.btnAddClick();
  EXPECT_EQ(favourites->count(), 2);
  dialog.btnRemoveAllClick();
  EXPECT_EQ(favourites->count(), 0);
  EXPECT_EQ(all->count(), total);
  for (int i = 0; i < all->count(); ++i) {
    const std::string name = all->item(i)->text().toStdString();
    all->item(i)->setSelected(name == first || name == second);
  }
  dialog.btnAddClick();
  dialog.btnOKClick();

  // Stored in list order from 000; the unknown name and the repeat are gone.
  const std::vector<std::string> stored = ReadFavouriteGames(ctx());
  ASSERT_EQ(stored.size(), 2u);
  const bool firstFirst = QString::fromStdString(first).compare(QString::fromStdString(second),
                                                                Qt::CaseInsensitive) < 0;
  EXPECT_EQ(stored[0], firstFirst ? first : second);
  EXPECT_EQ(stored[1], firstFirst ? second : first);
  EXPECT_FALSE(sys::IniFile(CfgFilePath(ctx())).KeyExists("Favourite Games", "Game002"));

  FavouritesDialog again(ctx(), &window());
  EXPECT_EQ(again.Favourites()->count(), 2);
  again.btnRemoveAllClick();
  again.btnOKClick();
  EXPECT_TRUE(ReadFavouriteGames(ctx()).empty());
}

TEST_F(SmallDialogsTest, TipsWrapAndRememberThePage) {
  sys::IniFile(CfgFilePath(ctx())).WriteInteger("Preference", "Tips_Num", 18);
  {
    // Beyond the last page: the first.
    TipsDialog tips(ctx(), &window());
    EXPECT_EQ(tips.Page(), 0);
    EXPECT_EQ(tips.ShownText().toStdString(), TipText(0));
    EXPECT_FALSE(tips.StartupBox()->isChecked());
    tips.btnPreviousClick();
    EXPECT_EQ(tips.Page(), kTipCount - 1);
    tips.btnNextClick();
    tips.btnNextClick();
    tips.btnNextClick();
    EXPECT_EQ(tips.Page(), 2);
    tips.StartupBox()->setChecked(true);
  }
  const sys::IniFile ini(CfgFilePath(ctx()));
  EXPECT_EQ(ini.ReadInteger("Preference", "Tips_Num", -1), 2);
  EXPECT_EQ(ini.ReadString("Preference", "Tips_StartUp", ""), "Y");
  TipsDialog next(ctx(), &window());
  EXPECT_EQ(next.Page(), 3);
  EXPECT_TRUE(next.StartupBox()->isChecked());
}

TEST_F(SmallDialogsTest, NewsletterMailNeedsThreeCharacters) {
  std::vector<std::string> opened;
  News2Dialog dialog(
      prompts, [&](const std::string& kind, const std::string& a) { opened.push_back(kind + a); },
      &window());
  dialog.WhereBox()->setText("ab");
  dialog.btnOKClick();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0], "Please enter at least 3 characters.");
  EXPECT_TRUE(opened.empty());
  dialog.WhereBox()->setText("a shop");
  dialog.btnOKClick();
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], "EMAIL" + NewsletterMailAddress("a shop"));
}

TEST_F(SmallDialogsTest, ScreenshotsOfTheDialogs) {
  const char* out = std::getenv("TW_SCREENSHOT_DIR");
  if (!out) GTEST_SKIP() << "TW_SCREENSHOT_DIR not set";
  const QString dir = QString::fromLocal8Bit(out) + "/";
  auto save = [&](QWidget& w, const char* name) {
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(dir + name));
    w.hide();
  };
  Deal(0, "21");
  DealNumberDialog deal(ctx(), prompts, &window());
  save(deal, "deal-number-dialog.png");
  {
    sys::IniFile(CfgFilePath(ctx()))
        .WriteString("Favourite Games", "Game000", GameNameFromNumber(ctx(), 0));
  }
  FavouritesDialog favourites(ctx(), &window());
  save(favourites, "favourites-dialog.png");
  TipsDialog tips(ctx(), &window());
  save(tips, "tip-of-the-day.png");
  AboutDialog about(ctx(), program->Library(), nullptr, &window());
  save(about, "about-box.png");
  NewsDialog news(program->Library(), &window());
  save(news, "newsletter-dialog.png");
  News2Dialog news2(prompts, nullptr, &window());
  save(news2, "newsletter-mail-dialog.png");
}

}  // namespace
}  // namespace tw::testing
