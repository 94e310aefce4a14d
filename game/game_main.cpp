// proc.exe, the stand-in for the game that the launcher starts: it reads the
// files the launcher keeps for it, shows what it read, starts OpenGL as a game
// does and leaves Info\Proc.log for the launcher; then it goes back. The test
// hooks of test_hooks.h can end it at once, set the log it leaves or keep it
// longer.
#include <windows.h>

#include "game_files.h"
#include "game_window.h"
#include "opengl_check.h"
#include "proc_log_file.h"
#include "test_hooks.h"

namespace {

// How long the game shows its window when no key is pressed.
constexpr UINT kLifetime = 4000;

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showState) {
  const std::optional<std::string> logHook = game::EnvironmentValue(game::kLogHook);
  const std::optional<std::string> exitHook = game::EnvironmentValue(game::kExitCodeHook);
  const std::optional<std::uint32_t> exitCode = exitHook ? game::ParseExitCode(*exitHook) : std::nullopt;
  if (exitCode) {
    if (logHook) {
      game::WriteProcLog(game::DecodeLogHook(*logHook));
    }
    return static_cast<int>(*exitCode);
  }

  const std::optional<std::string> busyHook = game::EnvironmentValue(game::kBusyHook);
  if (const std::optional<unsigned> busy = busyHook ? game::LifetimeFromHook(*busyHook) : std::nullopt) {
    Sleep(*busy);
  }

  game::GameFiles files;
  game::ReadGameFiles(files);

  game::OpenGlResult result;
  HWND window = game::CreateGameWindow(instance, files);
  if (window == nullptr) {
    result.reason = "the game's window could not be made";
  } else {
    game::ShowGameWindow(window, showState);
    result = game::StartOpenGl(game::GameView(window));
    game::ShowOpenGlResult(window, result);
  }
  game::WriteProcLog(logHook ? game::DecodeLogHook(*logHook) : game::FormatProcLog(result));
  if (window != nullptr) {
    const std::optional<std::string> secondsHook = game::EnvironmentValue(game::kSecondsHook);
    const std::optional<unsigned> lifetime =
        secondsHook ? game::LifetimeFromHook(*secondsHook) : std::nullopt;
    game::RunGameWindow(window, lifetime.value_or(kLifetime));
  }
  return 0;
}
