// What the tests that work the launcher's screens share: a fresh game folder,
// the launcher started in it with its stage in front, a clean close, and the
// steps and readings that several screens' tests take.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/support/canvas.h"
#include "tests/support/owners.h"
#include "tests/e2e/driver/driver.h"
#include "tests/e2e/driver/places.h"
#include "tests/e2e/driver/waits.h"

// Readings of a dialog's standard controls, from outside.
inline int ScrollPosition(HWND dialog, int barId) {
  return static_cast<int>(SendMessageA(GetDlgItem(dialog, barId), SBM_GETPOS, 0, 0));
}
inline int ComboSelection(HWND dialog, int comboId) {
  return static_cast<int>(SendMessageA(GetDlgItem(dialog, comboId), CB_GETCURSEL, 0, 0));
}
inline int ComboCount(HWND dialog, int comboId) {
  return static_cast<int>(SendMessageA(GetDlgItem(dialog, comboId), CB_GETCOUNT, 0, 0));
}

// Whether the display shows more than 256 colours.
inline bool TrueColourDisplay() {
  const win::WindowDc screen(nullptr);
  return GetDeviceCaps(screen.get(), BITSPIXEL) > 8;
}

// The recording stand-in browser put in the game folder as `name`.
inline bool InstallRecordingBrowser(const e2e::GameCopy& game, const char* name) {
  const char* browser = std::getenv("QUIL_RECORD_BROWSER");
  return browser != nullptr &&
         CopyFileA(e2e::WindowsPath(browser).c_str(), game.PathOf(name).c_str(), FALSE) != FALSE;
}

inline void CloseAndExpectACleanExit(e2e::Launcher& launcher, HWND window) {
  e2e::CloseWithAltF4(window);
  EXPECT_EQ(launcher.WaitForExit(), 0u);
}

// The keys of keyvalue.cfg in their order, and the names of the built-in set.
constexpr const char* kKeyFileKeys[] = {"#1p-Up",     "#1p-Left",   "#1p-Right",  "#1p-Down",
                                        "#1p-Fire01", "#1p-Fire02", "#2p-Up",     "#2p-Left",
                                        "#2p-Right",  "#2p-Down",   "#2p-Fire01", "#2p-Fire02"};
constexpr const char* kBuiltInKeyNames[] = {"Up", "Left", "Right", "Down", "[",     "]",
                                            "W",  "A",    "D",     "S",    "Shift", "Ctrl"};
inline std::string KeysFile(const std::vector<std::string>& codes, const char* custom, const char* joystick) {
  std::string file = std::string(custom) + "\r\n";
  for (int slot = 0; slot < 12; ++slot) {
    file += std::string(kKeyFileKeys[slot]) + " " + codes[slot] + "\r\n";
  }
  return file + "#JoyStick " + joystick + "\r\n";
}

// The centre of a button's faces, as e2e::ShowsFace takes it.
inline POINT FaceCentre(const e2e::place::Button& button) {
  const e2e::Face face(button.faces);
  return {button.corner.x + face.width() / 2, button.corner.y + face.height() / 2};
}

// Whether `window` shows the face `shown` of `button` within 3 s: the closest
// of its three, exactly the face in true colour; on the 256-colour display
// Wine maps device bitmaps to its own colour cube, so there the faces are told
// apart by nearness. Only rows above `clipBottom` count.
inline testing::AssertionResult ShowsButtonFace(HWND window, const e2e::place::Button& button,
                                                e2e::place::Shown shown, int clipBottom = 1 << 30) {
  double distance[3] = {};
  const auto showing = [&] {
    for (int f = 0; f < 3; ++f) {
      distance[f] = e2e::FaceDistance(window, button.corner.x, button.corner.y, e2e::Face(button.faces + f),
                                      clipBottom);
    }
    // Clearly nearer to the wanted face than to either other one.
    const double nearestOther = std::min(distance[(shown + 1) % 3], distance[(shown + 2) % 3]);
    return distance[shown] < 40 && distance[shown] < 0.75 * nearestOther;
  };
  if (e2e::WaitUntil(showing, std::chrono::milliseconds(3000))) {
    return testing::AssertionSuccess();
  }
  return testing::AssertionFailure() << "face " << button.faces + shown << ": distances pressed "
                                     << distance[0] << ", normal " << distance[1] << ", lit " << distance[2];
}

// The sounds played so far, once `count` whole plays of `wave` (a file of the
// game folder) have come, or it is clear they will not, and nothing more has
// followed.
inline std::vector<std::string> SoundsOnceSettled(const e2e::GameCopy& game, const char* wave,
                                                  std::size_t count) {
  const auto samples = e2e::SoundCapture::WaveSamples(game.PathOf(wave));
  return e2e::SoundCapture::PlayedOnceSettled(
      [&](const std::vector<std::string>& sounds) {
        return e2e::SoundCapture::WholePlaysOf(sounds, samples) >= count;
      },
      std::chrono::milliseconds(10000));
}

// The file-error dialog (the launcher's dialog with the path text 1069), once
// shown; it may stand over the settings dialog whose file failed.
inline std::optional<e2e::WindowFacts> WaitForFileErrorDialog(
    const e2e::Launcher& launcher, std::chrono::milliseconds timeout = e2e::kPatience) {
  return launcher.WaitForWindow(
      [](const e2e::WindowFacts& w) {
        return w.className == "#32770" && GetDlgItem(w.handle, IDC_FILE_ERROR_PATH) != nullptr;
      },
      timeout);
}

// The file-error dialog for `expectedPath`: its controls, Escape and Enter
// doing nothing, and OK ending the launcher with exit code 1.
inline void ExpectFileErrorDialogEndsTheLauncher(e2e::Launcher& launcher, const std::string& expectedPath) {
  const std::optional<e2e::WindowFacts> dialog = WaitForFileErrorDialog(launcher);
  ASSERT_TRUE(dialog) << "no file-error dialog";
  EXPECT_EQ(dialog->title, "");
  // The template's style; the system adds WS_CLIPSIBLINGS and DS_3DLOOK.
  EXPECT_EQ(dialog->style & ~(WS_CLIPSIBLINGS | DS_3DLOOK), 0x900008C2u) << std::hex << dialog->style;
  EXPECT_NE(dialog->exStyle & WS_EX_CLIENTEDGE, 0u);
  EXPECT_EQ(e2e::ControlText(dialog->handle, IDC_FILE_ERROR_PATH), expectedPath);
  EXPECT_EQ(e2e::ControlText(dialog->handle, IDC_FILE_ERROR_OK), "OK");
  EXPECT_NE(GetDlgItem(dialog->handle, IDC_FILE_ERROR_TEXT), nullptr);

  ASSERT_TRUE(e2e::BringToFront(dialog->handle));
  e2e::PressKey(VK_ESCAPE);
  e2e::PressKey(VK_RETURN);
  EXPECT_TRUE(e2e::PushedDown(GetDlgItem(dialog->handle, IDC_FILE_ERROR_OK)));
  EXPECT_TRUE(launcher.Running()) << "Escape or Enter closed the file-error dialog";
  EXPECT_TRUE(IsWindowVisible(dialog->handle));
  e2e::LeftButton(false);  // OK clicked
  EXPECT_EQ(launcher.WaitForExit(), 1u);
}

// Another program's window (Wine's notepad), what a player switches to: in the
// screen's bottom-left corner, clear of the stage.
struct OtherProgram {
  explicit OtherProgram(const e2e::GameCopy& game) : process(game, NotepadOptions()) {
    const auto found =
        process.WaitForWindow([](const e2e::WindowFacts& w) { return w.className == "Notepad"; });
    window = found ? found->handle : nullptr;
    SetWindowPos(window, nullptr, 0, e2e::ScreenHeight() - 120, 180, 120, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  static e2e::LaunchOptions NotepadOptions() {
    e2e::LaunchOptions options;
    options.program = "C:\\windows\\notepad.exe";
    return options;
  }
  e2e::Launcher process;
  HWND window = nullptr;
};

// Whether the screen shows the dialog or box `window` where it stands, not
// a window over it: at least half of its client area in the dialogs' face
// colour (near enough for the fixed colours of a 256-colour display), which
// neither the stage's nor the picture dialogs' art comes near.
inline bool ShownOnScreen(HWND window) {
  RECT at = {};
  GetClientRect(window, &at);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&at), 2);
  support::Canvas screen(at.right - at.left, at.bottom - at.top);
  const win::WindowDc desktop(nullptr);
  if (!screen || !screen.CopyFrom(desktop.get(), at.left, at.top)) {
    return false;
  }
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  int faceLike = 0;
  for (int i = 0; i < screen.width() * screen.height(); ++i) {
    const std::uint32_t shown = screen.bits()[i];
    faceLike += std::abs(static_cast<int>((shown >> 16) & 0xFF) - GetRValue(face)) +
                    std::abs(static_cast<int>((shown >> 8) & 0xFF) - GetGValue(face)) +
                    std::abs(static_cast<int>(shown & 0xFF) - GetBValue(face)) <
                48;
  }
  return faceLike * 2 >= screen.width() * screen.height();
}

// The settings dialogs, as the options menu opens them.
enum class Settings { kAudio, kInput, kVideo };

class OnTheStage : public testing::Test {
 protected:
  // Starts the launcher with the pointer parked away from every button.
  void StartLauncher() {
    e2e::MoveMouseTo(2, 2);
    launcher_ = std::make_unique<e2e::Launcher>(game_);
    stage_ = launcher_->WaitForStage();
    ASSERT_TRUE(stage_);
    ASSERT_TRUE(e2e::BringToFront(stage_->handle));
    ASSERT_TRUE(e2e::MainMenuShows(stage_->handle)) << "the main menu is not drawn";
  }
  void TearDown() override {
    if (launcher_ && launcher_->Running() && stage_) {
      e2e::CloseWithAltF4(stage_->handle);
      EXPECT_EQ(launcher_->WaitForExit(), 0u);
    }
  }
  void ClickOnStage(POINT client) { e2e::LeftClickInClient(stage_->handle, client); }
  void CloseCleanly() { CloseAndExpectACleanExit(*launcher_, stage_->handle); }
  // A dialog of the launcher that holds the control `id`.
  std::optional<e2e::WindowFacts> WaitForDialogWith(
      int id, std::chrono::milliseconds timeout = std::chrono::milliseconds(15000)) {
    return launcher_->WaitForDialogWith(id, timeout);
  }
  // The driver question of a first start answered "by current driver".
  void StartWithCurrentDriver() {
    const auto question = WaitForDialogWith(IDC_START_WITH_CURRENT_DRIVER);
    ASSERT_TRUE(question);
    e2e::LeftClickControl(question->handle, IDC_START_WITH_CURRENT_DRIVER);
  }
  // A settings dialog opened from the options menu, once a face of its own
  // is drawn (the input dialog's DONE reaches below its client area, so a
  // joystick's); `previews` gets the messages of the audio dialog's preview
  // of the level read, which speaks first. Null when it did not open.
  HWND OpenSettings(Settings which, std::vector<std::string>* previews = nullptr) {
    using namespace e2e::place;
    static constexpr struct {
      POINT button;
      int control;
      POINT face;
      int faces, heightUnits;
    } kSettings[] = {{kAudioButton, IDC_MUSIC_BAR, kSmallDone, kAudioDoneFace, 176},
                     {kInputButton, IDC_FIRST_KEY_BOX, kPlayer1Place, kJoystick1Face, 0},
                     {kVideoButton, IDC_DRIVER_LIST, kSmallDone, kVideoDoneFace, 172}};
    const auto& settings = kSettings[static_cast<int>(which)];
    ClickOnStage(settings.button);
    const auto dialog = e2e::AnswerMessageBoxesUntil(
        *launcher_,
        [&](const e2e::WindowFacts& w) {
          return w.className == "#32770" && GetDlgItem(w.handle, settings.control);
        },
        previews, std::chrono::milliseconds(15000));
    EXPECT_TRUE(dialog) << "the dialog did not open";
    if (!dialog) {
      return nullptr;
    }
    // Told its place again where Wine lost it.
    e2e::MoveMouseTo(2, 2);
    const bool shown = which == Settings::kInput
                           ? e2e::ShowsFace(dialog->handle, settings.face, {kJoystick1Face, kJoystick2Face})
                           : e2e::DialogInPlace(dialog->handle, settings.face, {settings.faces},
                                                e2e::SettingsDialogPlace(stage_->handle, dialog->handle,
                                                                         settings.heightUnits));
    EXPECT_TRUE(shown) << "the dialog is not on the screen";
    return dialog->handle;
  }
  // Once the game has been seen running (or its report showing): the
  // launcher back from it, with its 3D-card report answered where it shows
  // one (over the stage, once it is restored). Whether there was a report.
  bool BackFromTheGame(std::chrono::milliseconds patience = std::chrono::milliseconds(30000)) {
    std::optional<e2e::WindowFacts> shown;
    EXPECT_TRUE(MainMenuAnswers(patience, [&] {
      return (shown = launcher_->FindTopWindow(IsCardReport)).has_value();
    })) << "the launcher did not come back";
    if (shown) {
      // OK clicked again where a click was lost (the report just shown
      // may not take input yet).
      for (int attempt = 0; attempt < 5 && IsWindowVisible(shown->handle); ++attempt) {
        e2e::LeftClickControl(shown->handle, IDC_REPORT_OK);
        e2e::WaitUntil([&] { return !IsWindowVisible(shown->handle); }, std::chrono::milliseconds(2000));
      }
      EXPECT_TRUE(MainMenuAnswers(patience)) << "the launcher did not come back";
    }
    return shown.has_value();
  }
  // Whether the main menu answers the pointer again (START GAME lights up
  // under it): the launcher is back in its message loop, past anything it
  // does after the game. Input that comes while the game runs is dropped, so
  // the pointer is moved onto the button until it lights, or until `instead`
  // holds.
  bool MainMenuAnswers(std::chrono::milliseconds patience = std::chrono::milliseconds(30000),
                       const std::function<bool()>& instead = nullptr) {
    const POINT away = e2e::ClientToScreenPoint(stage_->handle, 20, 20);
    const POINT on =
        e2e::ClientToScreenPoint(stage_->handle, e2e::place::kStartGame.x, e2e::place::kStartGame.y);
    const bool lit = e2e::WaitUntil(
        [&] {
          if (instead && instead()) {
            return true;
          }
          e2e::MoveMouseTo(away.x, away.y);
          e2e::MoveMouseTo(on.x, on.y);
          return e2e::ShowsFace(stage_->handle, e2e::place::kStartGame, {IDB_START_GAME + e2e::place::kLit},
                                std::chrono::milliseconds(500));
        },
        patience);
    e2e::MoveMouseTo(away.x, away.y);
    return lit;
  }
  // `box` stays the foreground window and on the screen while the player
  // clicks the window beneath it (if any) and the stage beside it, and
  // switches to `other` and back with a click on the stage. A click a window
  // manager acts on raises what it hits: each state is read once it has held
  // a moment.
  void ExpectStaysAbove(HWND box, HWND beneath, HWND other) {
    const auto above = [&](const char* after) {
      EXPECT_TRUE(e2e::Settled<bool>([&] { return GetForegroundWindow() == box && ShownOnScreen(box); }, 10,
                                     std::chrono::milliseconds(5000), std::chrono::milliseconds(30),
                                     [](bool up) { return up; }))
          << after << ": in front " << e2e::Describe(GetForegroundWindow()).className << ", shown "
          << ShownOnScreen(box);
    };
    const auto clickBeside = [&](HWND window) {
      RECT in = {}, covered = {};
      GetWindowRect(window, &in);
      GetWindowRect(box, &covered);
      for (const POINT at : {POINT{in.left + 8, in.top + 8}, POINT{in.right - 8, in.top + 8},
                             POINT{in.left + 8, in.bottom - 8}, POINT{in.right - 8, in.bottom - 8}}) {
        if (!PtInRect(&covered, at)) {
          return e2e::LeftClickAt(at.x, at.y);
        }
      }
    };
    above("as it came");
    if (beneath != nullptr) {
      clickBeside(beneath);
      above("after a click on the window beneath");
    }
    clickBeside(stage_->handle);
    above("after a click on the stage");
    ASSERT_TRUE(e2e::BringToFront(other));
    clickBeside(stage_->handle);
    above("after another program and back");
  }
  // Whether `window` is in front again with the keyboard, and stays so a
  // moment (a window manager answers a closing window late).
  static bool KeyboardBackTo(HWND window) {
    return e2e::Settled<bool>([&] { return GetForegroundWindow() == window; }, 10,
                              std::chrono::milliseconds(3000), std::chrono::milliseconds(30),
                              [](bool back) { return back; }) &&
           e2e::HasKeyboardFocus(window);
  }
  static bool IsCardReport(const e2e::WindowFacts& w) {
    return w.className == "#32770" && GetDlgItem(w.handle, IDC_REPORT_TEXT) != nullptr;
  }

  // On this machine's sound set-up every preview of the music level says
  // " Mixer Open Error2" and " Mixer Open Error3": answers the messages of
  // `previews` previews as they come, then any that follow within `more`;
  // how many messages there were. They come in their order, one box at a
  // time: no preview starts under another one's box.
  std::size_t AnswerMixerMessages(std::size_t previews = 1,
                                  std::chrono::milliseconds more = std::chrono::milliseconds(300)) {
    std::size_t answered = 0;
    for (;;) {
      const bool due = answered < 2 * previews;
      if (!due && more.count() == 0) {
        return answered;  // a bar held down repeats while its boxes are up
      }
      const auto box = e2e::WaitForMessageBox(*launcher_, due ? std::chrono::milliseconds(10000) : more);
      if (!box) {
        return answered;
      }
      const auto boxes = launcher_->FindTopWindow([&](const e2e::WindowFacts& w) {
        return w.handle != box->handle && w.className == "#32770" && w.title == "Message";
      });
      EXPECT_FALSE(boxes) << "a box over a box";
      const std::string text = e2e::AnswerMessageBox(*box);
      EXPECT_EQ(text, answered % 2 == 0 ? " Mixer Open Error2" : " Mixer Open Error3");
      ++answered;
    }
  }

  e2e::GameCopy game_;
  std::unique_ptr<e2e::Launcher> launcher_;
  std::optional<e2e::WindowFacts> stage_;
};
