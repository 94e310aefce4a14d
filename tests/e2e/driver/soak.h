// Every screen worked over and over with real input in one launcher run,
// with the launcher's resident memory taken along the way.
#pragma once

#include <string>
#include <vector>

namespace e2e {

struct SoakPhase {
  std::string name;
  int cycles = 0;             // cycles done
  double rssAfterFewMiB = 0;  // VmRSS after the first `few` cycles
  double rssAfterAllMiB = 0;  // and after all of them
  double secondsPerCycle = 0;
};

struct SoakRun {
  std::string failure;  // empty when every cycle went through
  int few = 0;
  std::vector<SoakPhase> phases;
};

// Two phases of `cycles` cycles in one run of the launcher:
//  1. the driver question (answered "after setting"), the options menu, the
//     input dialog (CANCEL), the audio dialog (DONE), how-to-play, back;
//  2. the options menu, the video dialog with both driver guides (DONE),
//     back, and a start of the game that ends at once and is reported.
// VmRSS is read after `few` cycles and after all of them in each phase.
SoakRun Soak(int cycles, int few);

}  // namespace e2e
