// Runs of the launcher beyond its start-up: how soon the stage follows the end
// of the intro video, how soon the video follows the "Starting AVI" box on the
// NT family, and what the launcher costs while the game runs.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// The program's visible top-level window of its class, if it has one yet.
HWND VisibleWindowOf(DWORD processId, const char* windowClass);

struct IntroRun {
  std::string failure;  // empty when the run was measured
  double frameMs = 0;   // one frame of the video, from its header
  int frames = 0;
  int changesSeen = 0;   // picture changes caught while it played
  double captureMs = 0;  // mean time between two looks at the screen
  // The stage shown after the video's last picture appeared, and after its
  // nominal end (its first picture plus its frames' time).
  double stageAfterLastPictureMs = 0;
  double stageAfterNominalEndMs = 0;
  double peakRssMiB = 0;  // VmHWM of the launcher on the stage after the intro
};

// Starts the launcher in a game copy with its intro and watches the screen
// until the stage shows.
IntroRun MeasureIntroEnd();

struct StartingBoxRun {
  std::string failure;
  // From the release of the pointer on the box's OK until the screen shows
  // the video's first frame where the box was (no lit pixel of the box left:
  // the first frame is black), and until the video's next picture after it.
  double firstFrameMs = 0;
  double nextPictureMs = 0;
  double captureMs = 0;  // mean time between two looks at the screen
};

// Starts the launcher in a game copy with its intro, on the NT family (the
// caller sets Wine's version), answers "Starting AVI" with the pointer and
// watches the screen.
StartingBoxRun MeasureStartingBoxToFirstFrame();

struct GameWaitRun {
  std::string failure;
  double launcherCpuPercent = 0;  // of one core, while the game ran
  double seconds = 0;
};

// Starts the game from the stage, then measures the launcher's Linux process
// over `seconds` while the game's window is up; closes the game and the
// launcher. `clockTicks` is the unit of /proc/<pid>/stat.
GameWaitRun MeasureGameWait(int seconds, int clockTicks);

}  // namespace bench
