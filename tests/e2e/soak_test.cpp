// Every screen worked over and over with real input in one launcher run: each
// step goes through every time, the launcher's resident memory stays where
// the first cycles left it, and it still ends cleanly. (The bench runs the
// same walk for 200 cycles.)
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/e2e/driver/soak.h"

namespace {

TEST(Soak, EveryScreenAgainAndAgainKeepsTheLauncherWhereItWas) {
  // QUIL_SOAK_CYCLES runs a longer walk by hand.
  const char* asked = std::getenv("QUIL_SOAK_CYCLES");
  const int cycles = asked != nullptr && std::atoi(asked) > 3 ? std::atoi(asked) : 10;
  const e2e::SoakRun run = e2e::Soak(cycles, 3);
  EXPECT_EQ(run.failure, "");
  for (const e2e::SoakPhase& phase : run.phases) {
    EXPECT_LT(phase.rssAfterAllMiB - phase.rssAfterFewMiB, 1.0)
        << phase.name << ": VmRSS " << phase.rssAfterFewMiB << " MiB after " << run.few << " cycles, "
        << phase.rssAfterAllMiB << " MiB after " << cycles;
  }
}

}  // namespace
