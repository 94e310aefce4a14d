#include "media/intro_video.h"

#include <digitalv.h>
#include <mmsystem.h>

#include <optional>
#include <string>

#include "media/intro_playback.h"
#include "services/error_box.h"

namespace {

// How long the wait gives the processor away between two polls of the device:
// short against a frame (67 ms at 15 frames a second), long enough that the
// wait does not spin a core.
constexpr DWORD kPollRestMs = 5;

DWORD_PTR Parameters(void* block) {
  return reinterpret_cast<DWORD_PTR>(block);
}

// One AVIVideo device of the media control interface, closed when it goes.
class MciVideo : public intro::Video {
 public:
  MciVideo(MCIDEVICEID device, HWND window) : device_(device), window_(window) {}
  ~MciVideo() override { mciSendCommandA(device_, MCI_CLOSE, 0, 0); }
  MciVideo(const MciVideo&) = delete;
  MciVideo& operator=(const MciVideo&) = delete;

  void Place(int width, int height) override {
    MCI_DGV_RECT_PARMS destination = {};
    destination.rc = {0, 0, width, height};
    mciSendCommandA(device_, MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT, Parameters(&destination));
  }
  void AttachToWindow() override {
    MCI_DGV_WINDOW_PARMSA attach = {};
    attach.hWnd = window_;
    mciSendCommandA(device_, MCI_WINDOW, MCI_DGV_WINDOW_HWND, Parameters(&attach));
  }
  void Play() override {
    // No notification is asked for: nothing in the launcher would take it.
    // The request is kept so that the pause repeats it.
    play_ = {};
    mciSendCommandA(device_, MCI_PLAY, 0, Parameters(&play_));
  }
  std::uint32_t Length() override { return Status(MCI_STATUS_LENGTH).value_or(0); }
  std::uint32_t Position() override { return Status(MCI_STATUS_POSITION).value_or(0); }
  bool Playing() override { return Status(MCI_STATUS_MODE) == std::optional<DWORD>(MCI_MODE_PLAY); }
  void Pause() override {
    MCI_GENERIC_PARMS pause = {};
    pause.dwCallback = play_.dwCallback;
    mciSendCommandA(device_, MCI_PAUSE, 0, Parameters(&pause));
  }

 private:
  std::optional<DWORD> Status(DWORD item) {
    MCI_STATUS_PARMS status = {};
    status.dwItem = item;
    if (mciSendCommandA(device_, MCI_STATUS, MCI_STATUS_ITEM, Parameters(&status)) != 0) {
      return std::nullopt;
    }
    return static_cast<DWORD>(status.dwReturn);
  }

  MCIDEVICEID device_;
  HWND window_;
  MCI_PLAY_PARMS play_ = {};
};

class MciPort : public intro::Port {
 public:
  explicit MciPort(HWND window) : window_(window) {}

  std::unique_ptr<intro::Video> Open(const char* file) override {
    // Without the file the device is not even loaded: the start goes on at
    // once, and the video libraries stay out of the launcher's memory.
    if (GetFileAttributesA(file) == INVALID_FILE_ATTRIBUTES) {
      return nullptr;
    }
    char deviceType[] = "AVIVideo";
    std::string element = file;
    MCI_DGV_OPEN_PARMSA open = {};
    open.lpstrDeviceType = deviceType;
    open.lpstrElementName = element.data();
    // The device's own window is never shown (the video goes into ours); a
    // plain pop-up is the least that could appear if it were.
    open.dwStyle = WS_POPUP;
    if (mciSendCommandA(0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_ELEMENT | MCI_DGV_OPEN_WS, Parameters(&open)) !=
            0 ||
        open.wDeviceID == 0) {
      return nullptr;
    }
    return std::make_unique<MciVideo>(open.wDeviceID, window_);
  }
  bool NtFamily() override { return (GetVersion() & 0x80000000u) == 0; }
  void ShowBox(const char* text) override { ErrorBox(window_, text); }  // over the frame
  bool EscapePressed() override { return GetAsyncKeyState(VK_ESCAPE) != 0; }
  void Rest() override { Sleep(kPollRestMs); }

 private:
  HWND window_;
};

}  // namespace

void PlayIntroVideo(HWND window, const char* file, int width, int height) {
  MciPort port(window);
  intro::Play(port, file, width, height);
}
