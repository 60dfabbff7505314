// Tarnwell 2000: the program entry. No command-line arguments are read.
//
// TARNWELL_STARTUP_PROBE=1 in the environment makes the program print the
// milliseconds from the process start to the first dealt table and quit
// (start-up timing, bench/startup_time.sh); it deals the preferences' game
// without the open-game dialog. TARNWELL_STARTUP_PROBE=2 deals the same way
// and plays on (measured from outside, bench/startup_peers.sh).
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/sys/paths.h"
#include "ui/main_window.h"
#include "ui/program.h"

int main(int argc, char** argv) {
  QElapsedTimer started;
  started.start();
  QApplication app(argc, argv);
  const char* probe = std::getenv("TARNWELL_STARTUP_PROBE");
  const bool timing = probe && std::strcmp(probe, "1") == 0;
  const bool direct = timing || (probe && std::strcmp(probe, "2") == 0);

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
  program.Show();
  return app.exec();
}
