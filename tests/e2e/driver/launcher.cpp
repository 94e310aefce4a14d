#include "tests/e2e/driver/driver.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "tests/support/owners.h"

namespace e2e {

Launcher::Launcher(const GameCopy& game, LaunchOptions options)
    : Launcher(game.Folder(), std::move(options)) {}

Launcher::Launcher(const std::string& folder, LaunchOptions options)
    : answerStartingBox_(options.answerStartingBox) {
  SoundCapture::Clear();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  win::UniqueKernelHandle outputWrite;
  if (options.captureOutput) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (CreatePipe(&read, &write, &inherit, 1 << 16)) {
      outputRead_.reset(read);
      outputWrite.reset(write);
    }
    SetHandleInformation(outputRead_.get(), HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdOutput = outputWrite.get();
    startup.hStdError = outputWrite.get();
  }
  const std::string exe = options.program.empty() ? folder + "\\Quil3D.exe" : options.program;
  std::string commandLine = "\"" + exe + "\"";
  if (!options.arguments.empty()) {
    commandLine += " " + options.arguments;
  }
  PROCESS_INFORMATION created = {};
  if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, options.captureOutput, 0, nullptr,
                     folder.c_str(), &startup, &created)) {
    process_.reset(created.hProcess);
    processId_ = created.dwProcessId;
    const win::UniqueKernelHandle thread(created.hThread);
  } else {
    std::printf("driver: cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
  }
}

Launcher::~Launcher() {
  Kill();
}

bool Launcher::Running() const {
  return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Launcher::WaitForExit(milliseconds timeout) {
  if (!process_ ||
      WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

void Launcher::Kill() {
  if (Running()) {
    TerminateProcess(process_.get(), 0xDEAD);
    WaitForSingleObject(process_.get(), 5000);
  }
}

std::optional<WindowFacts> Launcher::FindTopWindow(
    const std::function<bool(const WindowFacts&)>& match) const {
  for (const WindowFacts& facts : TopLevelWindows(processId_)) {
    if (facts.visible && match(facts)) {
      return facts;
    }
  }
  return std::nullopt;
}

std::optional<WindowFacts> Launcher::WaitForWindow(const std::function<bool(const WindowFacts&)>& match,
                                                   milliseconds timeout) const {
  std::optional<WindowFacts> found;
  WaitUntil(
      [&] {
        AnswerStartingBox();
        // The box may come up between the answer and the look: it is never
        // what is awaited while boxes are answered.
        found = FindTopWindow(
            [&](const WindowFacts& w) { return match(w) && !(answerStartingBox_ && IsStartingBox(w)); });
        return found.has_value() || !Running();
      },
      timeout);
  DWORD code = 0;
  if (!found && process_ && GetExitCodeProcess(process_.get(), &code) && code != STILL_ACTIVE) {
    std::printf("driver: the program ended with exit code 0x%lx while a window was awaited\n", code);
  }
  return found;
}

bool IsMessageBox(const WindowFacts& w) {
  return w.className == "#32770" && w.title == "Message";
}

bool IsStartingBox(const WindowFacts& w) {
  return IsMessageBox(w) && MessageBoxText(w.handle) == "Starting AVI";
}

void Launcher::AnswerStartingBox() const {
  if (const auto box = answerStartingBox_ ? FindTopWindow(IsStartingBox) : std::nullopt) {
    AnswerMessageBox(*box);
  }
}

std::optional<WindowFacts> Launcher::WaitForFrame(milliseconds timeout) const {
  return WaitForWindow([](const WindowFacts& w) { return w.className == "Quil3D"; }, timeout);
}

std::optional<WindowFacts> Launcher::WaitForStage(milliseconds timeout) const {
  return WaitForWindow([](const WindowFacts& w) { return w.className == "Quil3D Child"; }, timeout);
}

std::optional<WindowFacts> Launcher::Stage() const {
  return FindTopWindow([](const WindowFacts& w) { return w.className == "Quil3D Child"; });
}

std::optional<WindowFacts> Launcher::WaitForDialog(milliseconds timeout) const {
  return WaitForWindow([](const WindowFacts& w) { return w.className == "#32770"; }, timeout);
}

std::optional<WindowFacts> Launcher::WaitForDialogWith(int id, milliseconds timeout) const {
  return WaitForWindow(
      // Shown: a dialog is placed before it shows, so its controls are where clicks aim.
      [id](const WindowFacts& w) {
        return w.className == "#32770" && w.visible && GetDlgItem(w.handle, id) != nullptr;
      },
      timeout);
}

std::string Launcher::Output() {
  if (outputRead_) {
    DWORD available = 0;
    while (PeekNamedPipe(outputRead_.get(), nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      char buffer[4096];
      DWORD got = 0;
      if (!ReadFile(outputRead_.get(), buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) ||
          got == 0) {
        break;
      }
      output_.append(buffer, got);
    }
  }
  return output_;
}

std::optional<WindowFacts> WaitForMessageBox(const Launcher& launcher, milliseconds timeout) {
  return launcher.WaitForWindow(IsMessageBox, timeout);
}

std::string AnswerMessageBox(const WindowFacts& box) {
  const std::string text = MessageBoxText(box.handle);
  BringToFront(box.handle);
  LeftClickControl(box.handle, IDOK);
  WaitUntil([&] { return !IsWindow(box.handle) || !IsWindowVisible(box.handle); }, milliseconds(5000));
  return text;
}

std::optional<WindowFacts> AnswerMessageBoxesUntil(const Launcher& launcher,
                                                   const std::function<bool(const WindowFacts&)>& awaited,
                                                   std::vector<std::string>* texts, milliseconds patience) {
  // The awaited window may show while the launcher is still between two of
  // its boxes: it counts once no box has come for a moment since.
  constexpr milliseconds kQuiet{300};
  std::optional<std::chrono::steady_clock::time_point> quietSince;
  std::optional<WindowFacts> found;
  const bool quiet = WaitUntil(
      [&] {
        if (const auto box = launcher.FindTopWindow(IsMessageBox)) {
          const std::string text = AnswerMessageBox(*box);
          if (texts != nullptr) {
            texts->push_back(text);
          }
          found.reset();
        } else {
          found = launcher.FindTopWindow(awaited);
        }
        if (!found) {
          quietSince.reset();
        } else if (!quietSince) {
          quietSince = std::chrono::steady_clock::now();
        }
        return found && std::chrono::steady_clock::now() - *quietSince >= kQuiet;
      },
      patience);
  return quiet ? found : std::nullopt;
}

WineVersionFor::WineVersionFor(const char* program, const char* version)
    : key_(std::string("Software\\Wine\\AppDefaults\\") + program) {
  HKEY created = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &created,
                      nullptr) == ERROR_SUCCESS) {
    const support::UniqueKey key(created);
    RegSetValueExA(key.get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>(std::strlen(version) + 1));
  }
}

WineVersionFor::~WineVersionFor() {
  RegDeleteKeyA(HKEY_CURRENT_USER, key_.c_str());
}

void CloseWithAltF4(HWND window, const std::function<bool()>& answered) {
  // The keyboard focus follows the activation a moment later; a press that
  // arrives before it is lost, so try again while the window stays.
  for (int attempt = 0; attempt < 3 && IsWindow(window); ++attempt) {
    BringToFront(window);
    HasKeyboardFocus(window, milliseconds(500));
    PressChord({VK_MENU, VK_F4});
    if (WaitUntil([&] { return !IsWindow(window) || (answered && answered()); }, milliseconds(2000))) {
      return;
    }
  }
}

}  // namespace e2e
