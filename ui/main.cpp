// Tarnwell 2000: the program entry. No command-line arguments are read.
//
// TARNWELL_STARTUP_PROBE=1 in the environment makes the program print the
// milliseconds from the process start to the first dealt table and quit
// (start-up timing, bench/startup_time.sh); it deals the preferences' game
// without the open-game dialog. TARNWELL_STARTUP_PROBE=2 deals the same way
// and plays on (measured from outside, bench/startup_peers.sh).
//
// TARNWELL_BENCH_PROBE deals the same way, then runs one load and quits,
// printing a line as each step begins and ends, so that a script reading
// them can take the process's times from outside (bench/animation_cpu.sh,
// bench/log_dialog.sh): "animations" runs an animated deal, card flights, a
// drag of 400 frames and both won animations; "log" opens the log statistics and changes its lists.
#include <QAbstractItemView>
#include <QTableView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "platform/sys/paths.h"
#include "core/cards.h"
#include "table/geometry.h"
#include "table/view/animate.h"
#include "table/view/mouse.h"
#include "table/view/play_drawing.h"
#include "ui/after_paint.h"
#include "ui/main_window.h"
#include "ui/program.h"
#include "ui/statistics_dialog.h"

namespace {

void Mark(const char* what) {
  std::printf("%s\n", what);
  std::fflush(stdout);
}

// Each step after a quiet moment, so that the reader's figures of one step
// do not take in the one before, and once no move of the first deal (an
// automatic one) is under way.
void After(int ms, std::function<void()> step, const tw::MainWindow* window = nullptr) {
  QTimer::singleShot(ms, qApp, [ms, step = std::move(step), window]() mutable {
    if (window && window->Busy()) {
      After(ms, std::move(step), window);
    } else {
      step();
    }
  });
}

// Frames of the drag step.
constexpr int kDragFrames = 400;

void RunAnimations(tw::Program& program) {
  tw::PlayView& play = program.Play();
  tw::GameContext& ctx = program.Context();
  After(500, [&] {
    Mark("begin deal");
    play.Drawing().DrawTable(true);
    Mark("end deal");
    After(500, [&] {
      const int w = program.View().WindowCanvas().Width();
      const int h = program.View().WindowCanvas().Height();
      Mark("begin flight");
      for (int i = 0; i < 10; ++i) {
        const bool out = i % 2 == 0;
        play.AnimateCard(40, out ? 20 : w - 120, out ? 20 : h - 150, out ? w - 120 : 20,
                         out ? h - 150 : 20, true, false, false, true);
      }
      Mark("end flight");
      play.RedrawTable();
      After(500, [&] {
        // A card dragged through the table's own mouse handlers, frame by
        // frame, and put back where it was.
        tw::Rect r;
        const int card = tw::TopCard(ctx.FilaPiles.empty() ? std::string() : ctx.FilaPiles[0]);
        if (card > 0 && tw::FindCardRect(ctx, card, r)) {
          const int x = r.Left + 20, y = r.Top + 20;
          Mark("begin drag");
          tw::TableMouseDown(ctx, play, tw::MouseButton::Left, 0, x, y);
          for (int i = 1; i <= kDragFrames; ++i)
            tw::TableMouseMove(ctx, play, x + (i % 100) * 6, y + (i % 50) * 5);
          tw::TableMouseMove(ctx, play, x, y);
          tw::TableMouseUp(ctx, play);
          Mark("end drag");
        }
        for (int mode : {1, 2}) {
          Mark(mode == 1 ? "begin win1" : "begin win2");
          play.PlayWinAnimation(mode);
          Mark(mode == 1 ? "end win1" : "end win2");
        }
        ctx.TfrmMain.GameInProgress = 0;
        After(300, [] { QApplication::exit(0); });
      });
    });
  }, &program.Window());
}

void RunLogDialog(tw::Program& program) {
  tw::MainWindow& window = program.Window();
  window.SetStatisticsPrepare([](QDialog& dialog) {
    auto* log = qobject_cast<tw::LogStatisticsDialog*>(&dialog);
    if (!log) return;
    auto* drawn = new tw::AfterFirstPaint(log->Grid()->viewport(), [log] {
      Mark("log drawn");
      for (QComboBox* list : {log->Players(), log->Games(), log->Players(), log->Games()}) {
        Mark("begin filter");
        list->setCurrentIndex(list->currentIndex() == 0 ? 1 : 0);
        log->Grid()->viewport()->repaint();
        Mark("end filter");
      }
      log->reject();
    });
    drawn->setParent(log);
  });
  After(500, [&window] {
    Mark("begin log");
    window.StatisticsCommand(3, -1, "", nullptr);
    Mark("end log");
    After(300, [] { QApplication::exit(0); });
  }, &window);
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer started;
  started.start();
  QApplication app(argc, argv);
  const char* probe = std::getenv("TARNWELL_STARTUP_PROBE");
  const bool timing = probe && std::strcmp(probe, "1") == 0;
  const char* bench = std::getenv("TARNWELL_BENCH_PROBE");
  const bool direct = timing || (probe && std::strcmp(probe, "2") == 0) || bench;

  tw::ProgramOptions options;
  // The timing run cannot answer the open-game dialog: it deals the
  // preferences' game at once.
  options.FirstDealDirect = direct;
  tw::Program program(tw::sys::ExecutableDirectory(), options);
  int exitCode = 0;
  if (!program.Start(exitCode)) return exitCode;
  if (timing) {
    program.Window().SetOnFirstTable([&] {
      std::printf("first table after %lld ms\n", static_cast<long long>(started.elapsed()));
      std::fflush(stdout);
      QTimer::singleShot(0, &app, [] { QApplication::exit(0); });
    });
  }
  if (bench) {
    const std::string load = bench;
    program.Window().SetOnFirstTable([&program, load] {
      if (load == "log") {
        RunLogDialog(program);
      } else {
        RunAnimations(program);
      }
    });
  }
  program.Show();
  return app.exec();
}
