// Headless entry point until the window exists: creates the shared state,
// reads the preferences and reports what a first deal would use.
#include <cstdio>

#include "core/state.h"
#include "platform/sys/paths.h"

int main() {
  tw::GameContext ctx;
  tw::CreateSharedGlobals(ctx, tw::sys::ExecutableDirectory());
  tw::InitCardsAndPiles(ctx);
  std::printf("Tarnwell 2000 program directory: %s\n", ctx.ProgramDir.c_str());
  return 0;
}
