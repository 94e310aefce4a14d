// The start-game sequence, run for the main menu's START GAME: the game-mode
// file, the driver check before a first start, the game run to its end with
// the launcher minimized, the launcher restored, then the after-game report.
// The launcher's windows are the shell's: it hands the sequence what to do
// with them before and after the game.
#pragma once

#include <windows.h>

#include <cstdint>

class WindowsAroundTheGame {
 public:
  // Before the game starts: the launcher minimized.
  virtual void Minimize() = 0;
  // The game is ready for input, or the launcher has waited for it as long
  // as it does: the game's window, if it shows one, is put in front.
  virtual void GameReady() = 0;
  // After the game (or a start that failed): the launcher restored and the
  // stage re-centred on the screen as it is then.
  virtual void Restore() = 0;

 protected:
  ~WindowsAroundTheGame() = default;
};

// `firstRunFlag`, the launcher's for its run, becomes 1 as the game starts.
void StartGameSequence(HWND stage, HINSTANCE instance, WindowsAroundTheGame& windows,
                       std::int32_t& firstRunFlag);

// Starts .\proc.exe and waits until it has ended, telling `windows` when it
// is ready. True after the game has run; false when it could not be started.
bool GameLaunch(WindowsAroundTheGame& windows);
