// The end-to-end driver: works the real launcher from outside, as a person
// would, with real input in a fresh copy of the game folder. Each section
// below is carried out in the source file it names.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "common/win/handles.h"

namespace support {
class Canvas;
}

namespace e2e {

using std::chrono::milliseconds;
// Generous: the first window on a fresh prefix or virtual desktop takes a while.
constexpr milliseconds kPatience{30000};

// ---- Environment (environment.cpp) ----------------------------------------

// A Windows path for a path from the test environment (Unix paths map to Z:).
std::string WindowsPath(const std::string& path);
// The environment variable `name` as a Windows path; empty when it is unset.
std::string EnvironmentPath(const char* name);
// The assembled game folder (QUIL_GAME_DIR).
std::string GameFolder();
// Where screenshots and other artefacts go (QUIL_ARTIFACTS_DIR), created on demand.
std::string ArtifactsFolder();

// Polls `condition` every `every` until it holds or `timeout` passes.
bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout = kPatience,
               milliseconds every = milliseconds(20));

// Polls `look` every `every` until it has given the same answer `looks` times
// running and `done` (where given) accepts that answer, or `timeout` passes;
// the last answer.
template <typename T>
T Settled(const std::function<T()>& look, int looks, milliseconds timeout, milliseconds every,
          const std::function<bool(const T&)>& done = nullptr) {
  T last{};
  int same = 0;
  WaitUntil(
      [&] {
        T now = look();
        same = same > 0 && now == last ? same + 1 : 1;
        last = std::move(now);
        return same >= looks && (!done || done(last));
      },
      timeout, every);
  return last;
}

// ---- Files (files.cpp) -----------------------------------------------------

std::optional<std::string> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);

// Whether a game copy keeps the intro video. Without it the launcher goes
// straight to the stage, which is what most tests want.
enum class IntroVideo { kLeftOut, kKept };

// A fresh copy of the game folder in a temporary folder, removed afterwards.
class GameCopy {
 public:
  explicit GameCopy(IntroVideo intro = IntroVideo::kLeftOut);
  ~GameCopy();
  GameCopy(const GameCopy&) = delete;
  GameCopy& operator=(const GameCopy&) = delete;

  const std::string& Folder() const { return folder_; }
  std::string PathOf(const std::string& relative) const;  // "info\\InitFlag.flg" -> full path
  std::optional<std::string> Read(const std::string& relative) const;
  void Write(const std::string& relative, const std::string& bytes) const;
  void Remove(const std::string& relative) const;
  void SetReadOnly(const std::string& relative, bool readOnly) const;
  // Opens the file with no sharing, as a program that holds it open does:
  // no other process may open, replace or delete it while the handle lives.
  win::UniqueFile Lock(const std::string& relative) const;

 private:
  std::string folder_;
};

// ---- Sounds (sounds.cpp) ---------------------------------------------------

// The samples of every sound played on this display, one buffer per sound in
// the order played (from the ALSA capture that the test run sets up).
class SoundCapture {
 public:
  static bool Available();
  static void Clear();
  // Clears once the sounds already started have all been captured.
  static void ClearWhenQuiet();
  static std::vector<std::string> Played();
  // The sounds played so far, once `done` holds for them and none of them has
  // grown for a moment after (or when `patience` is over): a sound is written
  // as it plays, and a loaded machine may start it late.
  static std::vector<std::string> PlayedOnceSettled(
      const std::function<bool(const std::vector<std::string>&)>& done, milliseconds patience = kPatience);
  // How many of `sounds` are whole plays of `samples`.
  static std::size_t WholePlaysOf(const std::vector<std::string>& sounds,
                                  const std::optional<std::string>& samples);
  // The sample data of a PCM wave file (its "data" chunk).
  static std::optional<std::string> WaveSamples(const std::string& wavePath);
  // Whether a captured sound is a whole play of `samples`: the samples, then
  // at most the silence that rounds the output up to the device's period.
  static bool IsWholePlayOf(const std::string& captured, const std::optional<std::string>& samples);
};

// ---- Windows (windows.cpp) -------------------------------------------------

struct WindowFacts {
  HWND handle = nullptr;
  std::string className;
  std::string title;
  DWORD style = 0;
  DWORD exStyle = 0;
  RECT rect = {};    // screen coordinates
  RECT client = {};  // client coordinates (left and top are 0)
  HWND owner = nullptr;
  HWND parent = nullptr;
  bool visible = false;
  int width() const { return rect.right - rect.left; }
  int height() const { return rect.bottom - rect.top; }
};

WindowFacts Describe(HWND window);
std::string ControlText(HWND dialog, int controlId);
// The message of a standard message box (its static text control).
std::string MessageBoxText(HWND box);
// Top-level windows of one process, in z-order.
std::vector<WindowFacts> TopLevelWindows(DWORD processId);
int ScreenWidth();
int ScreenHeight();

// ---- Input: real input through the system's input queue (input.cpp) -------

void MoveMouseTo(int x, int y);  // screen coordinates
void LeftClickAt(int x, int y);
void LeftClickControl(HWND dialog, int controlId);  // at the control's centre
void LeftClickInClient(HWND window, POINT client);  // at a point of its client area
// Two clicks in one burst of input, as a quick hand gives them: all four
// button events are in the queue before the program looks at the first.
void DoubleClickAt(int x, int y);
// The same through the display, as a player's hand gives it: the window
// manager sees it too, and raises the window clicked, even a disabled one.
void DoubleClickThroughTheDisplay(int x, int y);
// Presses the left button at `from`, moves to `to` while holding it, releases.
void LeftDrag(POINT from, POINT to);
void KeyDown(WORD virtualKey);
void KeyUp(WORD virtualKey);
void PressKey(WORD virtualKey);
// Presses the keys in order and releases them in reverse: {VK_MENU, VK_F4}.
void PressChord(std::initializer_list<WORD> keys);
bool BringToFront(HWND window);
// Whether the keyboard focus comes to `window` or a control in it within
// `timeout`: it follows the activation a moment later.
bool HasKeyboardFocus(HWND window, milliseconds timeout = milliseconds(3000));
// The moment a hand takes between two steps of input: Wine now and then
// loses a press that comes on the heels of a move, or of a list just dropped.
// The pause is the pacing itself, not a wait for a state.
void HandPause(milliseconds pause = milliseconds(20));

// ---- Screen (screen.cpp) ---------------------------------------------------

// Saves the whole screen as a 24-bit BMP in the artefacts folder, its name
// followed by the display's depth ("-8bpp"); returns its path.
std::string SaveScreenshot(const std::string& name);
// Saves a canvas the same way, for a picture a test drew.
std::string SavePicture(const std::string& name, const support::Canvas& canvas);
int ScreenDepth();  // bits a pixel
COLORREF ScreenPixel(int x, int y);

// A button face of the shipped Quil3D.exe, made through the screen so that
// it goes through the launcher's own colour mapping.
class Face {
 public:
  explicit Face(int resource);
  Face(const Face&) = delete;
  Face& operator=(const Face&) = delete;
  int width() const { return width_; }
  int height() const { return height_; }
  COLORREF Pixel(int x, int y) const;

 private:
  win::UniqueBitmap bitmap_;
  win::UniqueMemoryDc dc_;
  std::optional<win::SelectGuard> selected_;
  int width_ = 0, height_ = 0;
};

// How far what the screen shows at the client point (left, top) of `window`
// is from `face`: the mean channel difference over a grid of points above
// the client row `clipBottom` (a face partly below its client area).
double FaceDistance(HWND window, int left, int top, const Face& face, int clipBottom = 1 << 30);

// Whether `window` shows one of the faces `resources` within `timeout`, each
// centred on the client point `centre`. The faces are made anew for every
// look: on a 256-colour display a face's look follows the palette the screen
// has at that moment.
bool ShowsFace(HWND window, POINT centre, std::initializer_list<int> resources,
               milliseconds timeout = milliseconds(3000));

// Whether `window` shows the face `resource` rather than `other`, judged on
// the pixels where the two differ (a small mark, a number, looks alike on
// the grid that FaceDistance samples).
bool ShowsFaceRatherThan(HWND window, POINT centre, int resource, int other,
                         milliseconds timeout = milliseconds(3000));

// Whether a dialog shows one of `resources` centred on `centre`. Wine now and
// then keeps the window manager's first word on the place of a dialog that
// owns pop-ups (the screen's corner) while it shows where it belongs, and
// input aimed by Wine's place misses it: such a dialog is told again where
// it stands (the screen point `belongs`) and looked at once more.
bool DialogInPlace(HWND dialog, POINT centre, std::initializer_list<int> resources, POINT belongs);

// Where a settings dialog of the launcher stands, in screen coordinates: its
// template puts it 144 by 31 dialog units from the stage's corner, and
// it is 140 units wide and `heightUnits` high.
POINT SettingsDialogPlace(HWND stage, HWND dialog, int heightUnits);

// OPTION on the main menu, or CLOSE on the options menu, clicked until the
// other menu is drawn: back from the game the stage may still be disabled
// under its momentary dialog for an instant, and nothing lies under either
// button on the other menu, so a click that was only slow does no harm.
bool ToOptionsMenu(HWND stage);
bool ToMainMenu(HWND stage);
// Whether the main menu is drawn (START GAME's normal or lit face).
bool MainMenuShows(HWND stage, milliseconds timeout = milliseconds(3000));

// A BMP picture of the game folder, stretched to a size, as this display shows it.
class Picture {
 public:
  Picture(const std::string& path, int width, int height);
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  bool Loaded() const { return static_cast<bool>(bitmap_); }
  COLORREF Pixel(int x, int y) const;

 private:
  win::UniqueBitmap bitmap_;
  win::UniqueMemoryDc dc_;
  std::optional<win::SelectGuard> selected_;
};

// How far the client rectangle (0, 0, width, height) of `window` is from
// `picture`: the mean channel difference over a grid of points.
double PictureDistance(HWND window, int width, int height, const Picture& picture);

// Screen position of a client point of a window.
POINT ClientToScreenPoint(HWND window, int x, int y);

// ---- The launcher (launcher.cpp) -------------------------------------------

struct LaunchOptions {
  bool captureOutput = false;  // collect what the launcher writes to standard output
  std::string program;         // another program to start in the copy; Quil3D.exe when empty
  std::string arguments;       // appended to the command line
  // On the NT family the launcher says "Starting AVI" before its intro; while
  // a window is awaited, that box is answered unless this is false.
  bool answerStartingBox = true;
};

// Wine's per-program Windows version for Quil3D.exe ("win98", "winxp", ...)
// while this lives; the prefix's own version again afterwards.
class WineVersionFor {
 public:
  WineVersionFor(const char* program, const char* version);
  ~WineVersionFor();
  WineVersionFor(const WineVersionFor&) = delete;
  WineVersionFor& operator=(const WineVersionFor&) = delete;

 private:
  std::string key_;
};

class Launcher {
 public:
  explicit Launcher(const GameCopy& game, LaunchOptions options = {});
  // Starts it in a game folder as it is, without a copy (the demo does this).
  explicit Launcher(const std::string& folder, LaunchOptions options = {});
  ~Launcher();  // ends the process if it is still running
  Launcher(const Launcher&) = delete;
  Launcher& operator=(const Launcher&) = delete;

  DWORD ProcessId() const { return processId_; }
  bool Running() const;
  // The exit code, once the process has ended within `timeout`.
  std::optional<DWORD> WaitForExit(milliseconds timeout = kPatience);
  void Kill();

  // The first visible top-level window of the launcher that matches.
  std::optional<WindowFacts> WaitForWindow(const std::function<bool(const WindowFacts&)>& match,
                                           milliseconds timeout = kPatience) const;
  std::optional<WindowFacts> FindTopWindow(const std::function<bool(const WindowFacts&)>& match) const;
  std::optional<WindowFacts> WaitForFrame(milliseconds timeout = kPatience) const;
  std::optional<WindowFacts> WaitForStage(milliseconds timeout = kPatience) const;
  std::optional<WindowFacts> Stage() const;
  // A dialog (class "#32770") of the launcher, such as a message box.
  std::optional<WindowFacts> WaitForDialog(milliseconds timeout = kPatience) const;
  // A dialog of the launcher that holds the control `id`.
  std::optional<WindowFacts> WaitForDialogWith(int id, milliseconds timeout = kPatience) const;

  // Everything written to standard output so far (captureOutput only).
  std::string Output();

 private:
  void AnswerStartingBox() const;

  bool answerStartingBox_ = true;
  DWORD processId_ = 0;
  win::UniqueKernelHandle process_;
  win::UniqueKernelHandle outputRead_;
  std::string output_;
};

// Whether a window is one of the launcher's message boxes (caption "Message"),
// or the "Starting AVI" box of its intro.
bool IsMessageBox(const WindowFacts& window);
bool IsStartingBox(const WindowFacts& window);

// The launcher's message box (no owner, caption "Message"), once shown.
std::optional<WindowFacts> WaitForMessageBox(const Launcher& launcher, milliseconds timeout = kPatience);
// Reads the message box's text and presses its OK button; the text.
std::string AnswerMessageBox(const WindowFacts& box);
// Answers the launcher's message boxes as they come until a window matches
// `awaited` (nothing when it did not come); `texts` gets their messages.
std::optional<WindowFacts> AnswerMessageBoxesUntil(const Launcher& launcher,
                                                   const std::function<bool(const WindowFacts&)>& awaited,
                                                   std::vector<std::string>* texts = nullptr,
                                                   milliseconds patience = kPatience);

// Picks entry `index` of the drop-down list `listId` of `dialog` with the
// pointer: the list dropped, scrolled to show the entry, the entry clicked
// and the choice read back; a click that went astray is tried again.
bool ChooseListEntry(const Launcher& launcher, HWND dialog, int listId, int index);

// Closes a window the way a player does: Alt+F4 while it is in front.
void CloseWithAltF4(HWND window, const std::function<bool()>& answered = nullptr);

}  // namespace e2e
