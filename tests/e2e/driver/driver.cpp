#include "tests/e2e/driver/driver.h"

#include "tests/e2e/driver/places.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "common/win/gdi.h"
#include "tests/support/canvas.h"
#include "tests/support/files.h"

namespace e2e {

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

void MakeFolders(const std::string& path) {
  for (std::size_t i = 3; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '\\') {
      CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
    }
  }
}

bool CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((from + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) {
    return false;
  }
  bool ok = true;
  do {
    const std::string name = entry.cFileName;
    if (name == "." || name == "..") {
      continue;
    }
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ok = CopyTree(from + "\\" + name, to + "\\" + name) && ok;
    } else {
      ok = CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE) && ok;
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return ok;
}

std::string ClassNameOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string TextOf(HWND window) {
  char text[1024] = {};
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                           2000, &length)) {
    return "";
  }
  return std::string(text, std::min<std::size_t>(length, sizeof text - 1));
}

struct ProcessWindows {
  DWORD processId;
  std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
  auto* found = reinterpret_cast<ProcessWindows*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == found->processId) {
    found->windows.push_back(window);
  }
  return TRUE;
}

void SendOne(INPUT input) {
  SendInput(1, &input, sizeof input);
  Sleep(15);
}

bool IsExtendedKey(WORD key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
    case VK_DIVIDE:
    case VK_RCONTROL:
    case VK_RMENU:
      return true;
    default:
      return false;
  }
}

// Scan codes (set 1) of keys for which the system's mapping gives none.
struct KeyScan {
  WORD key;
  WORD scan;
};
constexpr KeyScan kKeypadScanCodes[] = {
    {VK_NUMPAD0, 0x52},  {VK_NUMPAD1, 0x4F}, {VK_NUMPAD2, 0x50},  {VK_NUMPAD3, 0x51}, {VK_NUMPAD4, 0x4B},
    {VK_NUMPAD5, 0x4C},  {VK_NUMPAD6, 0x4D}, {VK_NUMPAD7, 0x47},  {VK_NUMPAD8, 0x48}, {VK_NUMPAD9, 0x49},
    {VK_MULTIPLY, 0x37}, {VK_ADD, 0x4E},     {VK_SUBTRACT, 0x4A}, {VK_DECIMAL, 0x53}, {VK_DIVIDE, 0x35},
};

WORD ScanCodeOf(WORD key) {
  const UINT mapped = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
  if (mapped != 0) {
    return static_cast<WORD>(mapped);
  }
  for (const KeyScan& entry : kKeypadScanCodes) {
    if (entry.key == key) {
      return entry.scan;
    }
  }
  return 0;
}

void SendKey(WORD key, bool down) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = ScanCodeOf(key);
  input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  SendOne(input);
}

void SendMouseButton(DWORD flag) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flag;
  SendOne(input);
}

}  // namespace

// ---- Environment -----------------------------------------------------------

std::string WindowsPath(const std::string& path) {
  std::string converted = path;
  std::replace(converted.begin(), converted.end(), '/', '\\');
  if (!converted.empty() && converted[0] == '\\') {
    converted.insert(0, "Z:");
  }
  while (converted.size() > 3 && converted.back() == '\\') {
    converted.pop_back();
  }
  return converted;
}

std::string GameFolder() {
  return WindowsPath(Env("QUIL_GAME_DIR"));
}

std::string ArtifactsFolder() {
  std::string folder = Env("QUIL_ARTIFACTS_DIR");
  if (folder.empty()) {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "quil-artifacts";
  }
  folder = WindowsPath(folder);
  MakeFolders(folder);
  return folder;
}

bool WaitUntil(const std::function<bool()>& condition, milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) {
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    Sleep(20);
  }
}

// ---- Files -----------------------------------------------------------------

std::optional<std::string> ReadFileBytes(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  CloseHandle(file);
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

GameCopy::GameCopy(IntroVideo intro) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  folder_ = std::string(temp) + "quil-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
  // Only a folder that holds the launcher is copied: with QUIL_GAME_DIR unset
  // the empty path would name the root of the current drive.
  const std::string game = GameFolder();
  if (game.empty() || !FileExists(game + "\\Quil3D.exe")) {
    folder_.clear();
    return;
  }
  support::RemoveTree(folder_);
  MakeFolders(folder_);
  if (!CopyTree(game, folder_)) {
    folder_.clear();
  } else if (intro == IntroVideo::kLeftOut) {
    DeleteFileA(PathOf("logo.avi").c_str());
  }
}

GameCopy::~GameCopy() {
  if (!folder_.empty()) {
    support::RemoveTree(folder_);
  }
}

std::string GameCopy::PathOf(const std::string& relative) const {
  return folder_ + "\\" + relative;
}

std::optional<std::string> GameCopy::Read(const std::string& relative) const {
  return ReadFileBytes(PathOf(relative));
}

void GameCopy::Write(const std::string& relative, const std::string& bytes) const {
  WriteFileBytes(PathOf(relative), bytes);
}

void GameCopy::Remove(const std::string& relative) const {
  SetFileAttributesA(PathOf(relative).c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(PathOf(relative).c_str());
}

void GameCopy::SetReadOnly(const std::string& relative, bool readOnly) const {
  SetFileAttributesA(PathOf(relative).c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

win::UniqueFile GameCopy::Lock(const std::string& relative) const {
  return win::UniqueFile(CreateFileA(PathOf(relative).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
}

// ---- Sounds ----------------------------------------------------------------

namespace {

std::string CaptureFolder() {
  const std::string folder = Env("QUIL_SOUND_CAPTURE_DIR");
  return folder.empty() ? "" : WindowsPath(folder);
}

std::vector<std::string> CaptureFiles() {
  std::vector<std::string> names;
  const std::string folder = CaptureFolder();
  if (folder.empty()) {
    return names;
  }
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\capture.raw*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) {
    return names;
  }
  do {
    names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  // capture.raw, capture.raw.0001, capture.raw.0002, ...: name order is play order.
  std::sort(names.begin(), names.end());
  for (std::string& name : names) {
    name = folder + "\\" + name;
  }
  return names;
}

}  // namespace

bool SoundCapture::Available() {
  return !CaptureFolder().empty();
}

std::vector<std::string> SoundCapture::PlayedOnceSettled(
    const std::function<bool(const std::vector<std::string>&)>& done, milliseconds patience) {
  // Settled: the same sizes at three looks 150 ms apart.
  std::vector<std::string> sounds;
  std::vector<std::size_t> sizes;
  int sameLooks = -1;
  WaitUntil(
      [&] {
        sounds = Played();
        std::vector<std::size_t> now;
        for (const std::string& sound : sounds) {
          now.push_back(sound.size());
        }
        sameLooks = (sameLooks >= 0 && now == sizes) ? sameLooks + 1 : 0;
        sizes = now;
        if (sameLooks >= 2 && done(sounds)) {
          return true;
        }
        Sleep(150);
        return false;
      },
      patience);
  return sounds;
}

std::size_t SoundCapture::WholePlaysOf(const std::vector<std::string>& sounds,
                                       const std::optional<std::string>& samples) {
  return static_cast<std::size_t>(std::count_if(
      sounds.begin(), sounds.end(), [&](const std::string& s) { return IsWholePlayOf(s, samples); }));
}

void SoundCapture::ClearWhenQuiet() {
  // A sound that has just started may not have reached its file yet.
  PlayedOnceSettled([](const std::vector<std::string>&) { return true; }, milliseconds(3000));
  Clear();
}

void SoundCapture::Clear() {
  for (const std::string& file : CaptureFiles()) {
    DeleteFileA(file.c_str());
  }
}

std::vector<std::string> SoundCapture::Played() {
  std::vector<std::string> sounds;
  for (const std::string& file : CaptureFiles()) {
    sounds.push_back(ReadFileBytes(file).value_or(""));
  }
  return sounds;
}

std::optional<std::string> SoundCapture::WaveSamples(const std::string& wavePath) {
  const std::optional<std::string> wave = ReadFileBytes(wavePath);
  if (!wave || wave->size() < 12 || wave->compare(0, 4, "RIFF") != 0 || wave->compare(8, 4, "WAVE") != 0) {
    return std::nullopt;
  }
  std::size_t pos = 12;
  while (pos + 8 <= wave->size()) {
    const std::string id = wave->substr(pos, 4);
    const auto* p = reinterpret_cast<const unsigned char*>(wave->data() + pos + 4);
    const std::size_t size = p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::size_t>(p[3]) << 24);
    if (id == "data") {
      return wave->substr(pos + 8, std::min(size, wave->size() - pos - 8));
    }
    pos += 8 + size + (size & 1);
  }
  return std::nullopt;
}

bool SoundCapture::IsWholePlayOf(const std::string& captured, const std::optional<std::string>& samples) {
  if (!samples || samples->empty() || captured.size() < samples->size() ||
      captured.compare(0, samples->size(), *samples) != 0) {
    return false;
  }
  return captured.find_first_not_of('\0', samples->size()) == std::string::npos;
}

// ---- Windows ---------------------------------------------------------------

WindowFacts Describe(HWND window) {
  WindowFacts facts;
  facts.handle = window;
  facts.className = ClassNameOf(window);
  // The caption as the system keeps it: asking the window itself would wait on
  // a launcher that is busy (its intro handles no messages).
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  facts.title = title;
  facts.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  facts.exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
  GetWindowRect(window, &facts.rect);
  GetClientRect(window, &facts.client);
  facts.owner = GetWindow(window, GW_OWNER);
  facts.parent = GetParent(window);
  facts.visible = IsWindowVisible(window) != FALSE;
  return facts;
}

std::string ControlText(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  return control != nullptr ? TextOf(control) : "";
}

std::string MessageBoxText(HWND box) {
  return ControlText(box, 0xFFFF);
}

std::vector<WindowFacts> TopLevelWindows(DWORD processId) {
  ProcessWindows found{processId, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
  std::vector<WindowFacts> facts;
  for (HWND window : found.windows) {
    facts.push_back(Describe(window));
  }
  return facts;
}

int ScreenWidth() {
  return GetSystemMetrics(SM_CXSCREEN);
}
int ScreenHeight() {
  return GetSystemMetrics(SM_CYSCREEN);
}

// ---- Input -----------------------------------------------------------------

void MoveMouseTo(int x, int y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  // Absolute positions are in 0..65535 over the primary screen.
  input.mi.dx = static_cast<LONG>((x * 65535LL + ScreenWidth() / 2) / (ScreenWidth() - 1));
  input.mi.dy = static_cast<LONG>((y * 65535LL + ScreenHeight() / 2) / (ScreenHeight() - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendOne(input);
  WaitUntil(
      [&] {
        POINT at = {};
        GetCursorPos(&at);
        return at.x == x && at.y == y;
      },
      milliseconds(500));
}

void LeftClickAt(int x, int y) {
  MoveMouseTo(x, y);
  // A hand rests on the spot and holds the button a moment; Wine now and
  // then loses a press sent on the heels of a move.
  Sleep(20);
  SendMouseButton(MOUSEEVENTF_LEFTDOWN);
  Sleep(20);
  SendMouseButton(MOUSEEVENTF_LEFTUP);
}

void DoubleClickAt(int x, int y) {
  MoveMouseTo(x, y);
  Sleep(20);
  INPUT clicks[4] = {};
  for (int i = 0; i < 4; ++i) {
    clicks[i].type = INPUT_MOUSE;
    clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  }
  SendInput(4, clicks, sizeof clicks[0]);
}

void LeftDrag(POINT from, POINT to) {
  MoveMouseTo(from.x, from.y);
  Sleep(20);
  SendMouseButton(MOUSEEVENTF_LEFTDOWN);
  Sleep(100);
  MoveMouseTo(to.x, to.y);
  Sleep(100);
  SendMouseButton(MOUSEEVENTF_LEFTUP);
}

void LeftClickControl(HWND dialog, int controlId) {
  RECT rect = {};
  GetWindowRect(GetDlgItem(dialog, controlId), &rect);
  LeftClickAt((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void KeyDown(WORD virtualKey) {
  SendKey(virtualKey, true);
}
void KeyUp(WORD virtualKey) {
  SendKey(virtualKey, false);
}

void PressKey(WORD virtualKey) {
  KeyDown(virtualKey);
  KeyUp(virtualKey);
}

void PressChord(std::initializer_list<WORD> keys) {
  for (WORD key : keys) {
    KeyDown(key);
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    KeyUp(*key);
  }
}

bool BringToFront(HWND window) {
  // Wine makes a window the foreground at once and asks the window manager
  // for the focus; the manager's answer comes later and may move the focus
  // again. The window must stay in front for a moment before input is aimed
  // at it.
  int steadyLooks = 0;
  return WaitUntil(
      [&] {
        if (GetForegroundWindow() != window) {
          steadyLooks = 0;
          SetForegroundWindow(window);
          return false;
        }
        return ++steadyLooks >= 8;  // about 150 ms in front
      },
      milliseconds(3000));
}

// ---- Screen ----------------------------------------------------------------

std::string SaveScreenshot(const std::string& name) {
  const win::WindowDc screen(nullptr);
  support::Canvas canvas(ScreenWidth(), ScreenHeight());
  canvas.CopyFrom(screen.get());
  const std::string path = ArtifactsFolder() + "\\" + name + "-" +
                           std::to_string(GetDeviceCaps(screen.get(), BITSPIXEL)) + "bpp.bmp";
  WriteFileBytes(path, canvas.BmpFile());
  return path;
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

Face::Face(int resource) {
  HMODULE module = LoadLibraryExA((GameFolder() + "\\Quil3D.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module == nullptr) {
    return;
  }
  // Made the way the launcher makes its faces: the face's own palette is
  // realized on the screen, then the device bitmap is made through it.
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(resource), MAKEINTRESOURCEA(2));
  const auto* info =
      found != nullptr ? static_cast<const BITMAPINFO*>(LockResource(LoadResource(module, found))) : nullptr;
  if (info != nullptr && info->bmiHeader.biBitCount <= 8) {
    const int colours = 1 << info->bmiHeader.biBitCount;
    std::vector<unsigned char> description(8 + 4 * colours);
    auto* palette = reinterpret_cast<LOGPALETTE*>(description.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(colours);
    for (int c = 0; c < colours; ++c) {
      palette->palPalEntry[c] = {info->bmiColors[c].rgbRed, info->bmiColors[c].rgbGreen,
                                 info->bmiColors[c].rgbBlue, 0};
    }
    const win::UniquePalette logical(CreatePalette(palette));
    const win::WindowDc screen(nullptr);
    const win::RealizedPalette realized(screen.get(), logical.get(), false);
    const auto* bits = reinterpret_cast<const unsigned char*>(info) + info->bmiHeader.biSize + 4 * colours;
    bitmap_.reset(CreateDIBitmap(screen.get(), &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS));
  }
  FreeLibrary(module);
  if (!bitmap_) {
    return;
  }
  const SIZE size = win::BitmapSize(bitmap_.get());
  width_ = size.cx;
  height_ = size.cy;
  dc_.reset(CreateCompatibleDC(nullptr));
  selected_.emplace(dc_.get(), bitmap_.get());
}

COLORREF Face::Pixel(int x, int y) const {
  return dc_ ? GetPixel(dc_.get(), x, y) : CLR_INVALID;
}

bool ShowsFace(HWND window, POINT centre, std::initializer_list<int> resources, milliseconds timeout) {
  return WaitUntil(
      [&] {
        for (const int resource : resources) {
          const Face face(resource);
          if (FaceDistance(window, centre.x - face.width() / 2, centre.y - face.height() / 2, face) < 40) {
            return true;
          }
        }
        return false;
      },
      timeout);
}

bool DialogInPlace(HWND dialog, POINT centre, std::initializer_list<int> resources, POINT belongs) {
  if (ShowsFace(dialog, centre, resources)) {
    return true;
  }
  SetWindowPos(dialog, nullptr, belongs.x, belongs.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return ShowsFace(dialog, centre, resources);
}

POINT SettingsDialogPlace(HWND stage, HWND dialog, int heightUnits) {
  RECT client = {};
  GetClientRect(dialog, &client);
  RECT corner = {};
  GetWindowRect(stage, &corner);
  return POINT{corner.left + MulDiv(144, client.right, 140),
               corner.top + MulDiv(31, client.bottom, heightUnits)};
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT point = {x, y};
  ClientToScreen(window, &point);
  return point;
}

namespace {

// The mean channel difference between what the screen shows at client points
// of `window` and the colours wanted there; 255 when no point is given.
double ScreenDistance(HWND window, const std::vector<POINT>& points,
                      const std::function<COLORREF(POINT)>& wanted) {
  HDC screen = GetDC(nullptr);
  long total = 0;
  for (const POINT& point : points) {
    const POINT at = ClientToScreenPoint(window, point.x, point.y);
    const COLORREF shown = GetPixel(screen, at.x, at.y);
    const COLORREF want = wanted(point);
    total += std::abs(GetRValue(shown) - GetRValue(want)) + std::abs(GetGValue(shown) - GetGValue(want)) +
             std::abs(GetBValue(shown) - GetBValue(want));
  }
  ReleaseDC(nullptr, screen);
  return points.empty() ? 255 : static_cast<double>(total) / (3.0 * static_cast<double>(points.size()));
}

// The inner points of a grid of `cells` x `cells` over a width and height.
std::vector<POINT> Grid(int width, int height, int cells) {
  std::vector<POINT> points;
  for (int gx = 1; gx < cells; ++gx) {
    for (int gy = 1; gy < cells; ++gy) {
      points.push_back(POINT{width * gx / cells, height * gy / cells});
    }
  }
  return points;
}

}  // namespace

double FaceDistance(HWND window, int left, int top, const Face& face, int clipBottom) {
  if (face.width() < 8 || face.height() < 8) {
    return 255;
  }
  std::vector<POINT> points;
  for (POINT point : Grid(face.width(), face.height(), 8)) {
    if (top + point.y < clipBottom) {
      points.push_back(POINT{left + point.x, top + point.y});
    }
  }
  return ScreenDistance(window, points, [&](POINT at) { return face.Pixel(at.x - left, at.y - top); });
}

bool ShowsFaceRatherThan(HWND window, POINT centre, int resource, int other, milliseconds timeout) {
  return WaitUntil(
      [&] {
        const Face shown(resource), alternative(other);
        const int left = centre.x - shown.width() / 2, top = centre.y - shown.height() / 2;
        std::vector<POINT> points;
        for (int y = 0; y < shown.height() && y < alternative.height(); ++y) {
          for (int x = 0; x < shown.width() && x < alternative.width(); ++x) {
            if (shown.Pixel(x, y) != alternative.Pixel(x, y)) {
              points.push_back(POINT{left + x, top + y});
            }
          }
        }
        const auto distance = [&](const Face& face) {
          return ScreenDistance(window, points,
                                [&](POINT at) { return face.Pixel(at.x - left, at.y - top); });
        };
        return !points.empty() && distance(shown) < distance(alternative);
      },
      timeout);
}

Picture::Picture(const std::string& path, int width, int height) {
  const win::UniqueBitmap file(
      static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!file) {
    return;
  }
  const SIZE size = win::BitmapSize(file.get());
  const win::WindowDc screen(nullptr);
  dc_ = win::CompatibleMemoryDc(screen.get());
  const win::UniqueMemoryDc source = win::CompatibleMemoryDc(screen.get());
  bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
  selected_.emplace(dc_.get(), bitmap_.get());
  const win::SelectGuard from(source.get(), file.get());
  SetStretchBltMode(dc_.get(), COLORONCOLOR);
  StretchBlt(dc_.get(), 0, 0, width, height, source.get(), 0, 0, size.cx, size.cy, SRCCOPY);
}

COLORREF Picture::Pixel(int x, int y) const {
  return GetPixel(dc_.get(), x, y);
}

double PictureDistance(HWND window, int width, int height, const Picture& picture) {
  return ScreenDistance(window, Grid(width, height, 16), [&](POINT at) { return picture.Pixel(at.x, at.y); });
}

// ---- The launcher ----------------------------------------------------------

Launcher::Launcher(const GameCopy& game, LaunchOptions options)
    : Launcher(game.Folder(), std::move(options)) {}

Launcher::Launcher(const std::string& folder, LaunchOptions options)
    : answerStartingBox_(options.answerStartingBox) {
  SoundCapture::Clear();
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  HANDLE outputWrite = nullptr;
  if (options.captureOutput) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    CreatePipe(&outputRead_, &outputWrite, &inherit, 1 << 16);
    SetHandleInformation(outputRead_, HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdOutput = outputWrite;
    startup.hStdError = outputWrite;
    startup.hStdInput = nullptr;
  }
  const std::string exe = options.program.empty() ? folder + "\\Quil3D.exe" : options.program;
  std::string commandLine = "\"" + exe + "\"";
  if (!options.arguments.empty()) {
    commandLine += " " + options.arguments;
  }
  PROCESS_INFORMATION created = {};
  if (CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, options.captureOutput, 0, nullptr,
                     folder.c_str(), &startup, &created)) {
    process_ = created.hProcess;
    processId_ = created.dwProcessId;
    CloseHandle(created.hThread);
  } else {
    std::printf("driver: cannot start %s (error %lu)\n", exe.c_str(), GetLastError());
  }
  if (outputWrite != nullptr) {
    CloseHandle(outputWrite);
  }
}

Launcher::~Launcher() {
  Kill();
  if (process_ != nullptr) {
    CloseHandle(process_);
  }
  if (outputRead_ != nullptr) {
    CloseHandle(outputRead_);
  }
}

bool Launcher::Running() const {
  return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Launcher::WaitForExit(milliseconds timeout) {
  if (process_ == nullptr ||
      WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

void Launcher::Kill() {
  if (Running()) {
    TerminateProcess(process_, 0xDEAD);
    WaitForSingleObject(process_, 5000);
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
  if (!found && process_ != nullptr && GetExitCodeProcess(process_, &code) && code != STILL_ACTIVE) {
    std::printf("driver: the program ended with exit code 0x%lx while a window was awaited\n", code);
  }
  return found;
}

bool IsStartingBox(const WindowFacts& w) {
  return w.className == "#32770" && w.title == "Message" && MessageBoxText(w.handle) == "Starting AVI";
}

void Launcher::AnswerStartingBox() const {
  if (!answerStartingBox_) {
    return;
  }
  const std::optional<WindowFacts> box = FindTopWindow(IsStartingBox);
  if (box) {
    AnswerMessageBox(*box);
    ++startingBoxesAnswered_;
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
      [id](const WindowFacts& w) { return w.className == "#32770" && GetDlgItem(w.handle, id) != nullptr; },
      timeout);
}

std::string Launcher::Output() {
  if (outputRead_ != nullptr) {
    DWORD available = 0;
    while (PeekNamedPipe(outputRead_, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      char buffer[4096];
      DWORD got = 0;
      if (!ReadFile(outputRead_, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) ||
          got == 0) {
        break;
      }
      output_.append(buffer, got);
    }
  }
  return output_;
}

std::optional<WindowFacts> WaitForMessageBox(const Launcher& launcher, milliseconds timeout) {
  return launcher.WaitForWindow(
      [](const WindowFacts& w) { return w.className == "#32770" && w.title == "Message"; }, timeout);
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
  const auto isBox = [](const WindowFacts& w) { return w.className == "#32770" && w.title == "Message"; };
  const auto deadline = std::chrono::steady_clock::now() + patience;
  std::optional<std::chrono::steady_clock::time_point> quietSince;
  while (std::chrono::steady_clock::now() < deadline) {
    if (const auto box = launcher.FindTopWindow(isBox)) {
      const std::string text = AnswerMessageBox(*box);
      if (texts != nullptr) {
        texts->push_back(text);
      }
      quietSince.reset();
      continue;
    }
    const auto found = launcher.FindTopWindow(awaited);
    if (!found) {
      quietSince.reset();
    } else if (!quietSince) {
      quietSince = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - *quietSince >= kQuiet) {
      return found;
    }
    Sleep(20);
  }
  return std::nullopt;
}

namespace {

// Whether the stage shows one of a menu button's faces with their top-left
// corner at `corner`.
bool MenuButtonShows(HWND stage, POINT corner, std::initializer_list<int> faces, milliseconds timeout) {
  const Face face(*faces.begin());
  return ShowsFace(stage, POINT{corner.x + face.width() / 2, corner.y + face.height() / 2}, faces, timeout);
}

bool SwitchMenu(HWND stage, POINT button, POINT corner, int faces) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    const POINT at = ClientToScreenPoint(stage, button.x, button.y);
    LeftClickAt(at.x, at.y);
    if (MenuButtonShows(stage, corner, {faces + 1, faces + 2}, milliseconds(attempt < 2 ? 2500 : 5000))) {
      return true;
    }
  }
  return false;
}

}  // namespace

bool ToOptionsMenu(HWND stage) {
  return SwitchMenu(stage, place::kOption, place::kCloseOptionsCorner, place::kCloseOptionsFaces);
}

bool ToMainMenu(HWND stage) {
  return SwitchMenu(stage, place::kCloseOptions, place::kStartGameCorner, place::kStartGameFaces);
}

bool MainMenuShows(HWND stage, milliseconds timeout) {
  return MenuButtonShows(stage, place::kStartGameCorner,
                         {place::kStartGameFaces + 1, place::kStartGameFaces + 2}, timeout);
}

WineVersionFor::WineVersionFor(const char* program, const char* version)
    : key_(std::string("Software\\Wine\\AppDefaults\\") + program) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                   static_cast<DWORD>(std::strlen(version) + 1));
    RegCloseKey(key);
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
    Sleep(50);
    PressChord({VK_MENU, VK_F4});
    if (WaitUntil([&] { return !IsWindow(window) || (answered && answered()); }, milliseconds(2000))) {
      return;
    }
  }
}

}  // namespace e2e
