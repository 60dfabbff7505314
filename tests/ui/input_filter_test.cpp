// The three input filters: what each swallows, what passes, what each
// swallowed input does; and the pile lookups of the main window.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMouseEvent>

#include "core/cards.h"
#include "tests/ui/ui_fixture.h"

namespace tw::testing {
namespace {

class InputFilterTest : public WindowTest {
 protected:
  // Sends the event to the table surface; true when it was swallowed.
  bool Swallowed(QEvent* event) {
    const int before = window().Filter().Swallowed();
    QApplication::sendEvent(window().Surface(), event);
    delete event;
    return window().Filter().Swallowed() > before;
  }
  static QEvent* Press(Qt::MouseButton b) {
    return new QMouseEvent(QEvent::MouseButtonPress, QPointF(300, 300), QPointF(300, 300), b, b,
                           Qt::NoModifier);
  }
  static QEvent* DoubleClick() {
    return new QMouseEvent(QEvent::MouseButtonDblClick, QPointF(300, 300), QPointF(300, 300),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  }
  static QEvent* Release() {
    return new QMouseEvent(QEvent::MouseButtonRelease, QPointF(300, 300), QPointF(300, 300),
                           Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  }
  static QEvent* Key(int key, Qt::KeyboardModifiers m = Qt::NoModifier) {
    return new QKeyEvent(QEvent::KeyPress, key, m);
  }
  static QEvent* Override(int key) { return new QKeyEvent(QEvent::ShortcutOverride, key, {}); }
};

TEST_F(InputFilterTest, EachFilterSwallowsItsInputs) {
  using M = InputFilter::Mode;
  int wonStops = 0, pauseEnds = 0;
  window().Filter().SetOnWonInput([&] { ++wonStops; });
  window().Filter().SetOnPauseInput([&] { ++pauseEnds; });
  struct Case {
    M mode;
    std::function<QEvent*()> make;
    bool swallowed;
  } cases[] = {
      {M::None, [] { return Press(Qt::LeftButton); }, false},
      {M::None, [] { return Key(Qt::Key_F2); }, false},
      {M::Busy, [] { return Press(Qt::LeftButton); }, true},
      {M::Busy, [] { return Press(Qt::RightButton); }, true},
      {M::Busy, [] { return Press(Qt::MiddleButton); }, false},
      {M::Busy, [] { return DoubleClick(); }, true},
      {M::Busy, [] { return Release(); }, false},
      {M::Busy, [] { return Key(Qt::Key_F2); }, true},
      {M::Busy, [] { return Override(Qt::Key_F2); }, true},
      {M::WonAnimation, [] { return Press(Qt::MiddleButton); }, true},
      {M::WonAnimation, [] { return Key(Qt::Key_Alt); }, true},
      {M::WonAnimation, [] { return Override(Qt::Key_F2); }, true},
      {M::Pause, [] { return Press(Qt::LeftButton); }, true},
      {M::Pause, [] { return Key(Qt::Key_F2); }, true},
      {M::Pause, [] { return Key(Qt::Key_Alt); }, false},
      {M::Pause, [] { return Key(Qt::Key_F4, Qt::AltModifier); }, false},
      {M::Pause, [] { return Release(); }, false},
  };
  for (const Case& c : cases) {
    window().Filter().Set(c.mode);
    EXPECT_EQ(Swallowed(c.make()), c.swallowed) << "case " << (&c - cases);
  }
  window().Filter().Set(M::None);
  // A key sent by a program is first offered to the shortcuts as well.
  EXPECT_GE(wonStops, 3);
  EXPECT_EQ(pauseEnds, 2);  // the key and the press; a shortcut question ends nothing
}

TEST_F(InputFilterTest, DialogsKeepTheirInputWhileTheTableIsBusy) {
  QWidget dialog;
  dialog.show();
  window().Filter().Set(InputFilter::Mode::Busy);
  const int before = window().Filter().Swallowed();
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(&dialog, &key);
  EXPECT_EQ(window().Filter().Swallowed(), before);
  window().Filter().Set(InputFilter::Mode::None);
}

TEST_F(InputFilterTest, TheWonAnimationFilterStopsTheAnimation) {
  ctx().TfrmMain.WinAnimationRunning = 1;
  window().SetWonAnimationFilter(true);
  EXPECT_TRUE(Swallowed(Key(Qt::Key_Space)));
  EXPECT_EQ(ctx().TfrmMain.WinAnimationRunning, 0);
  EXPECT_FALSE(window().StopWonAnimation());
  window().SetWonAnimationFilter(false);
  EXPECT_FALSE(Swallowed(Key(Qt::Key_Space)));
}

TEST_F(InputFilterTest, PileTopCardsByName) {
  ctx().MazzoPiles[0] = "012040";
  ctx().MazzoPiles[1] = "";
  ctx().DestPiles[0] = "001";
  ctx().FilaPiles[11] = "104052";
  ctx().AppoggPiles[7] = "033";
  const std::pair<const char*, int> cases[] = {{"Mazzo", 40},  {"Mazzo_Vis", 0}, {"Dest1", 1},
                                               {"Fila12", 52}, {"Appogg8", 33},  {"Nothing", 0},
                                               {"Fila27", 0}};
  for (const auto& [name, card] : cases) EXPECT_EQ(window().GetPileTopCard(name), card) << name;
}

TEST_F(InputFilterTest, TableauPileByTopCardFindsTheFirstInUse) {
  Deal(1, "2");
  const int top = TopCard(ctx().FilaPiles[3]);
  ctx().FilaPiles[20] = CardCodeText(top);  // beyond the game's eight piles
  int index = -1;
  ASSERT_TRUE(window().FindTableauPileByTopCard(top, index));
  EXPECT_EQ(index, 3);
  EXPECT_FALSE(window().FindTableauPileByTopCard(0, index));
}

}  // namespace
}  // namespace tw::testing
