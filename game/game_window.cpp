#include "game_window.h"

#include <string>
#include <vector>

#include "game_ids.h"
#include "settings/input/key_names.h"

namespace game {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kHeaderHeight = 44;
constexpr int kViewHeight = 108;
constexpr UINT_PTR kLifetimeTimer = 1;
// The view draws its frame again at this pace, as a game draws frames.
constexpr UINT_PTR kFrameTimer = 2;
constexpr UINT kFramePace = 250;

// The launcher's look: dark blue, cyan headings, white values; player 2 in
// amber as on the input settings page. On a 256-colour display the system
// dithers colours outside its 20 static ones, so there every colour is one of
// those: a black ground with navy and teal, and plain text colours.
struct Colours {
  COLORREF background, headerBand, panel, panelEdge, viewBackground;
  COLORREF cyan, amber, label, value, good, bad;
};
constexpr Colours kTrueColours = {RGB(4, 10, 28),    RGB(8, 22, 52),     RGB(10, 26, 58),
                                  RGB(0, 140, 180),  RGB(2, 6, 18),      RGB(0, 224, 255),
                                  RGB(255, 188, 64), RGB(150, 190, 220), RGB(255, 255, 255),
                                  RGB(96, 232, 128), RGB(255, 112, 96)};
constexpr Colours kStaticColours = {RGB(0, 0, 0),     RGB(0, 0, 128),     RGB(0, 0, 0),
                                    RGB(0, 128, 128), RGB(0, 0, 0),       RGB(0, 255, 255),
                                    RGB(255, 255, 0), RGB(192, 192, 192), RGB(255, 255, 255),
                                    RGB(0, 255, 0),   RGB(255, 0, 0)};

enum class Style : LONG {
  kTitle = 1,  // the game's name in the header
  kSubtitle,   // beside it
  kSection,    // a panel's heading
  kPlayer1,    // player 1's column heading
  kPlayer2,    // player 2's
  kLabel,      // what a value is
  kValue,      // a value read
  kGood,       // a file that is well-formed, OpenGL that works
  kBad,        // a file that is missing or not well-formed, OpenGL that does not work
};

struct WindowState {
  Colours colours = kTrueColours;
  HBRUSH background = nullptr;
  HBRUSH headerBand = nullptr;
  HBRUSH panel = nullptr;
  HBRUSH panelEdge = nullptr;
  HBRUSH viewBackground = nullptr;
  HFONT titleFont = nullptr;
  HFONT sectionFont = nullptr;
  HFONT textFont = nullptr;
  std::vector<RECT> panels;
  RECT viewRect = {};  // where the view lies, in the window's client area
  HWND view = nullptr;
  std::string viewMessage;  // shown in the view when OpenGL does not draw there
};

WindowState& State() {
  static WindowState state;
  return state;
}

HFONT MakeFont(int height, int weight) {
  return CreateFontA(-height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
}

COLORREF TextColour(Style style) {
  const Colours& colours = State().colours;
  switch (style) {
    case Style::kTitle:
    case Style::kSection:
    case Style::kPlayer1:
      return colours.cyan;
    case Style::kPlayer2:
      return colours.amber;
    case Style::kLabel:
    case Style::kSubtitle:
      return colours.label;
    case Style::kGood:
      return colours.good;
    case Style::kBad:
      return colours.bad;
    case Style::kValue:
      break;
  }
  return colours.value;
}

// One static text of the window.
void AddText(HWND window, HINSTANCE instance, int id, int x, int y, int width, int height, Style style,
             const std::string& text) {
  DWORD align = SS_LEFT;
  if (style == Style::kSubtitle) {
    align = SS_RIGHT;
  }
  HWND control =
      CreateWindowExA(0, "STATIC", text.c_str(), WS_CHILD | WS_VISIBLE | align | SS_NOPREFIX, x, y, width,
                      height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (control == nullptr) {
    return;
  }
  SetWindowLongA(control, GWL_USERDATA, static_cast<LONG>(style));
  const WindowState& state = State();
  HFONT font = style == Style::kTitle ? state.titleFont
               : style == Style::kSection || style == Style::kPlayer1 || style == Style::kPlayer2
                   ? state.sectionFont
                   : state.textFont;
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

// A panel with a heading; rows go below it, 17 pixels apart.
class Panel {
 public:
  static constexpr int kRow = 17;
  static constexpr int kLabelWidth = 104;

  Panel(HWND window, HINSTANCE instance, int left, int top, int width, const char* heading)
      : window_(window), instance_(instance), left_(left), top_(top), width_(width), y_(top + 26) {
    AddText(window, instance, -1, left + 8, top + 5, width - 16, 18, Style::kSection, heading);
  }
  ~Panel() { State().panels.push_back(RECT{left_, top_, left_ + width_, y_ + 5}); }
  Panel(const Panel&) = delete;
  Panel& operator=(const Panel&) = delete;

  int Bottom() const { return y_ + 5; }

  int ValueWidth() const { return width_ - 16 - kLabelWidth; }

  // A label and its value, `lines` rows high.
  void Row(const char* label, int id, Style style, const std::string& value, int lines = 1) {
    AddText(window_, instance_, -1, left_ + 8, y_, kLabelWidth, kRow, Style::kLabel, label);
    AddText(window_, instance_, id, left_ + 8 + kLabelWidth, y_, width_ - 16 - kLabelWidth, kRow * lines,
            style, value);
    y_ += kRow * lines;
  }
  // The whole width, for texts of the panel's own layout.
  int Take(int height) {
    const int y = y_;
    y_ += height;
    return y;
  }
  int Left() const { return left_; }
  int Width() const { return width_; }

 private:
  HWND window_;
  HINSTANCE instance_;
  int left_, top_, width_, y_;
};

Style StatusStyle(const FileCheck& check) {
  return check.WellFormed() ? Style::kGood : Style::kBad;
}

// How many rows `text` takes in the text font at `width`, words wrapped.
int RowsFor(const std::string& text, int width) {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, State().textFont);
  RECT box = {0, 0, width, 0};
  DrawTextA(dc, text.c_str(), -1, &box, DT_LEFT | DT_WORDBREAK | DT_CALCRECT);
  TEXTMETRICA metrics = {};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  const int line = metrics.tmHeight > 0 ? metrics.tmHeight : 1;
  return (box.bottom - box.top + line - 1) / line > 1 ? 2 : 1;
}

// A file's check as a panel row: one row, or two when the text needs them.
void FileRow(Panel& panel, const char* label, int id, const FileCheck& check) {
  const std::string text = check.Describe();
  panel.Row(label, id, StatusStyle(check), text, RowsFor(text, panel.ValueWidth()));
}

std::string KeyText(const input::KeyNameTable& names, input::KeyCode code) {
  if (code == 0) {
    return "none";
  }
  const char* name = input::KeyName(names, code);
  return name[0] != '\0' ? std::string(name) : "code " + std::to_string(code);
}

void AddTexts(HWND window, HINSTANCE instance, const GameFiles& files) {
  constexpr int kColumn = 300;
  constexpr int kLeft = 14;
  constexpr int kRight = kWidth - 14 - kColumn;
  constexpr int kGap = 8;

  AddText(window, instance, -1, 18, 7, 200, 32, Style::kTitle, "QUIL 3D");
  AddText(window, instance, -1, 220, 5, kWidth - 220 - 18, 17, Style::kSubtitle,
          "Game stand-in: what the launcher left for the game");
  AddText(window, instance, -1, 220, 22, kWidth - 220 - 18, 17, Style::kSubtitle,
          "Any key goes back to the launcher");

  int top = kHeaderHeight + 8;
  {
    Panel panel(window, instance, kLeft, top, kColumn, "GAME MODE");
    FileRow(panel, "GameMode.dat", kGameModeFileText, files.gameModeFile);
    panel.Row("Mode", kGameModeText, Style::kValue,
              files.gameMode.modeGiven ? std::to_string(files.gameMode.mode) : "-");
    panel.Row("Started (UTC)", kTimeStampText, Style::kValue,
              files.gameMode.timeStamp.empty() ? "-" : files.gameMode.timeStamp);
    top = panel.Bottom() + kGap;
  }
  {
    Panel panel(window, instance, kLeft, top, kColumn, "KEYS");
    FileRow(panel, "keyvalue.cfg", kKeysFileText, files.keysFile);
    const int half = (panel.Width() - 16) / 2;
    const int headings = panel.Take(Panel::kRow + 2);
    AddText(window, instance, -1, panel.Left() + 8, headings, half, Panel::kRow, Style::kPlayer1, "PLAYER 1");
    AddText(window, instance, -1, panel.Left() + 8 + half, headings, half, Panel::kRow, Style::kPlayer2,
            "PLAYER 2");
    input::KeyNameTable names;
    input::FillKeyNameTable(names);
    static const char* const kActions[6] = {"Up", "Left", "Right", "Down", "Fire 1", "Fire 2"};
    for (int action = 0; action < 6; ++action) {
      const int y = panel.Take(Panel::kRow);
      for (int player = 0; player < 2; ++player) {
        const int slot = player * 6 + action;
        const int x = panel.Left() + 8 + player * half;
        AddText(window, instance, -1, x, y, 52, Panel::kRow, Style::kLabel, kActions[action]);
        AddText(window, instance, kFirstKeyText + slot, x + 52, y, half - 56, Panel::kRow, Style::kValue,
                KeyText(names, files.keys.bindings[slot]));
      }
    }
    panel.Row("Joysticks", kJoystickText, Style::kValue,
              files.keys.joystickSwap == 0 ? "1 to player 1, 2 to player 2" : "1 to player 2, 2 to player 1");
    top = panel.Bottom() + kGap;
  }
  {
    Panel panel(window, instance, kLeft, top, kColumn, "AUDIO");
    FileRow(panel, "Audio.cfg", kAudioFileText, files.audioFile);
    panel.Row("Music", kMusicText, Style::kValue, std::to_string(files.audio.musicLevel));
    panel.Row("Sound", kSoundText, Style::kValue, std::to_string(files.audio.soundLevel));
  }

  top = kHeaderHeight + 8;
  {
    Panel panel(window, instance, kRight, top, kColumn, "VIDEO");
    FileRow(panel, "video.cfg", kVideoFileText, files.videoFile);
    FileRow(panel, "Driver.dat", kCatalogFileText, files.catalogFile);
    const video::VideoSettings& video = files.video;
    const bool listed = video.driverIndex >= 0 && video.driverIndex < files.catalog.driverCount;
    panel.Row(
        "Driver", kDriverText, Style::kValue,
        std::to_string(video.driverIndex) + ": " +
            (listed ? std::string(files.catalog.drivers[video.driverIndex].name) : "not in Driver.dat"));
    const std::string mode = ChosenModeText(files.catalog, video);
    panel.Row("Display mode", kModeText, Style::kValue, mode.empty() ? "not in the mode list" : mode);
    panel.Row("Calibration", kCalibrationText, Style::kValue, std::to_string(video.calibrationLevel));
    panel.Row("Chosen by", -1, Style::kValue, video.customized != 0 ? "the player" : "the defaults");
    top = panel.Bottom() + kGap;
  }
  {
    Panel panel(window, instance, kRight, top, kColumn, "3D TEST");
    const int viewTop = panel.Take(kViewHeight + 6);
    State().viewRect =
        RECT{panel.Left() + 8, viewTop, panel.Left() + panel.Width() - 8, viewTop + kViewHeight};
    panel.Row("OpenGL", kOpenGlText, Style::kLabel, "starting", 2);
    panel.Row("Library", kLibraryText, Style::kValue, "-", 2);
    panel.Row("Stand-in", kStandInDriverText, Style::kValue, "-");
    panel.Row("Renderer", kRendererText, Style::kValue, "-", 2);
  }
}

void PaintWindow(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  const WindowState& state = State();
  RECT client = {};
  GetClientRect(window, &client);
  FillRect(dc, &client, state.background);
  RECT header = {0, 0, client.right, kHeaderHeight};
  FillRect(dc, &header, state.headerBand);
  RECT rule = {0, kHeaderHeight, client.right, kHeaderHeight + 2};
  FillRect(dc, &rule, state.panelEdge);
  for (const RECT& panel : state.panels) {
    FillRect(dc, &panel, state.panel);
    FrameRect(dc, &panel, state.panelEdge);
  }
  RECT viewEdge = state.viewRect;
  InflateRect(&viewEdge, 1, 1);
  FrameRect(dc, &viewEdge, state.panelEdge);
  RECT frame = client;
  FrameRect(dc, &frame, state.panelEdge);
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowState& state = State();
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint fills everything
    case WM_PAINT:
      PaintWindow(window);
      return 0;
    case WM_CTLCOLORSTATIC: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      const auto style = static_cast<Style>(GetWindowLongA(reinterpret_cast<HWND>(lParam), GWL_USERDATA));
      const bool inHeader = style == Style::kTitle || style == Style::kSubtitle;
      SetTextColor(dc, TextColour(style));
      SetBkColor(dc, inHeader ? state.colours.headerBand : state.colours.panel);
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(inHeader ? state.headerBand : state.panel);
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_TIMER:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kLifetimeTimer);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The view: the OpenGL frame when OpenGL works, otherwise the reason it does
// not, drawn with GDI.
LRESULT CALLBACK ViewProcedure(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_TIMER:
      DrawOpenGlFrame();
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;  // the keyboard stays with the game's window
    case WM_DESTROY:
      KillTimer(view, kFrameTimer);
      StopOpenGl();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(view, &paint);
      if (!DrawOpenGlFrame()) {
        const WindowState& state = State();
        RECT client = {};
        GetClientRect(view, &client);
        FillRect(dc, &client, state.viewBackground);
        const HGDIOBJ previous = SelectObject(dc, state.textFont);
        SetTextColor(dc, state.colours.label);
        SetBkMode(dc, TRANSPARENT);
        RECT inner = {client.left + 10, client.top + 10, client.right - 10, client.bottom - 10};
        RECT measured = inner;
        DrawTextA(dc, state.viewMessage.c_str(), -1, &measured, DT_CENTER | DT_WORDBREAK | DT_CALCRECT);
        const int height = measured.bottom - measured.top;
        inner.top += (inner.bottom - inner.top - height) / 2;
        DrawTextA(dc, state.viewMessage.c_str(), -1, &inner, DT_CENTER | DT_WORDBREAK);
        SelectObject(dc, previous);
      }
      EndPaint(view, &paint);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(view, message, wParam, lParam);
}

bool RegisterClasses(HINSTANCE instance) {
  WNDCLASSA window = {};
  window.lpfnWndProc = WindowProcedure;
  window.hInstance = instance;
  window.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window.lpszClassName = kWindowClass;
  WNDCLASSA view = {};
  view.style = CS_OWNDC;
  view.lpfnWndProc = ViewProcedure;
  view.hInstance = instance;
  view.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  view.lpszClassName = kViewClass;
  return RegisterClassA(&window) != 0 && RegisterClassA(&view) != 0;
}

}  // namespace

HWND CreateGameWindow(HINSTANCE instance, const GameFiles& files) {
  WindowState& state = State();
  HDC screen = GetDC(nullptr);
  const bool palette =
      (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0 || GetDeviceCaps(screen, BITSPIXEL) <= 8;
  ReleaseDC(nullptr, screen);
  state.colours = palette ? kStaticColours : kTrueColours;
  const Colours& colours = state.colours;
  state.background = CreateSolidBrush(colours.background);
  state.headerBand = CreateSolidBrush(colours.headerBand);
  state.panel = CreateSolidBrush(colours.panel);
  state.panelEdge = CreateSolidBrush(colours.panelEdge);
  state.viewBackground = CreateSolidBrush(colours.viewBackground);
  state.titleFont = MakeFont(28, FW_BOLD);
  state.sectionFont = MakeFont(14, FW_BOLD);
  state.textFont = MakeFont(13, FW_NORMAL);
  state.viewMessage = "Starting OpenGL";
  if (!RegisterClasses(instance)) {
    return nullptr;
  }
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const int x = screenWidth > kWidth ? (screenWidth - kWidth) / 2 : 0;
  const int y = screenHeight > kHeight ? (screenHeight - kHeight) / 2 : 0;
  HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_POPUP | WS_CLIPCHILDREN, x, y, kWidth,
                                kHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return nullptr;
  }
  AddTexts(window, instance, files);
  // The view is a window of its own above the game's window rather than a
  // child of it: Wine shows OpenGL in a child window only where its X server
  // composites, and not in a window drawn through its window surface.
  RECT view = state.viewRect;
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&view), 2);
  state.view =
      CreateWindowExA(WS_EX_TOOLWINDOW, kViewClass, "", WS_POPUP, view.left, view.top, view.right - view.left,
                      view.bottom - view.top, window, nullptr, instance, nullptr);
  return window;
}

HWND GameView(HWND) {
  return State().view;
}

void ShowOpenGlResult(HWND window, const OpenGlResult& result) {
  HWND status = GetDlgItem(window, kOpenGlText);
  SetWindowLongA(status, GWL_USERDATA, static_cast<LONG>(result.works ? Style::kGood : Style::kBad));
  SetWindowTextA(status, result.works ? "context works" : ("no 3D: " + result.reason).c_str());
  SetDlgItemTextA(window, kLibraryText, result.library.empty() ? "none" : result.library.c_str());
  SetDlgItemTextA(window, kStandInDriverText, result.driver.empty() ? "none" : result.driver.c_str());
  SetDlgItemTextA(window, kRendererText, result.renderer.empty() ? "-" : result.renderer.c_str());
  State().viewMessage = result.works ? std::string() : "No 3D picture\n" + result.reason;
  InvalidateRect(GameView(window), nullptr, FALSE);
}

void ShowGameWindow(HWND window, int showState) {
  ShowWindow(window, showState);
  SetForegroundWindow(window);
  UpdateWindow(window);
  const HWND view = GameView(window);
  ShowWindow(view, SW_SHOWNOACTIVATE);
  UpdateWindow(view);
}

void RunGameWindow(HWND window, UINT lifetime) {
  SetTimer(window, kLifetimeTimer, lifetime, nullptr);
  SetTimer(GameView(window), kFrameTimer, kFramePace, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  WindowState& state = State();
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(state.background), static_cast<HGDIOBJ>(state.headerBand),
                         static_cast<HGDIOBJ>(state.panel), static_cast<HGDIOBJ>(state.panelEdge),
                         static_cast<HGDIOBJ>(state.viewBackground), static_cast<HGDIOBJ>(state.titleFont),
                         static_cast<HGDIOBJ>(state.sectionFont), static_cast<HGDIOBJ>(state.textFont)}) {
    if (object != nullptr) {
      DeleteObject(object);
    }
  }
  state = WindowState{};
}

}  // namespace game
