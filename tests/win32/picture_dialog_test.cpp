// The four picture dialogs from the shipped templates, opened through the
// picture-dialog mechanism over a stand-in stage: each stands, with each of
// its controls, where two pixels a dialog unit put it, whatever units the
// platform's System font gives (Wine's are 8 x 15, Windows' at 96 DPI 8 x 16);
// and the audio dialog's scroll bars, press by press.
#include "ui/picture_dialog.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <memory>
#include <span>
#include <vector>

#include "resources/resource.h"
#include "media/mixer.h"
#include "settings/audio/audio_dialog.h"
#include "tests/e2e/driver/places.h"
#include "tests/win32/dialog_scripts.h"
#include "tests/win32/in_process.h"
#include "ui/dialog_template.h"

namespace {

// Left, top, width, height.
using Place = std::vector<LONG>;

// Where each client area stands on the stage; the controls stand at their
// template units times two.
const struct {
  int templateId;
  int heldControl;  // tells the dialog apart (0: no controls)
  Place client;     // in the stage's client area
} kLayouts[] = {{IDD_VIDEO_SETTINGS, IDC_DRIVER_LIST, {288, 62, 280, 344}},
                {IDD_AUDIO_SETTINGS, IDC_MUSIC_BAR, {288, 62, 280, 352}},
                {IDD_INPUT_SETTINGS, IDC_FIRST_KEY_BOX, {0, 0, 638, 478}},
                {IDD_HOW_TO_PLAY, 0, {288, 62, 280, 340}}};

// `rect` of `from` in the client coordinates of `to`.
Place PlaceIn(HWND from, HWND to, RECT rect) {
  MapWindowPoints(from, to, reinterpret_cast<POINT*>(&rect), 2);
  return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// A control's window. A drop-down list's template height is the control's
// with its list dropped: its window and the list below it (Wine's
// CB_GETDROPPEDCONTROLRECT spans the list alone).
Place ControlPlace(HWND dialog, HWND control) {
  RECT window = {}, dropped = {};
  GetWindowRect(control, &window);
  Place place = PlaceIn(nullptr, dialog, window);
  char className[16] = {};
  GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "ComboBox") == 0) {
    SendMessageA(control, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
    place[3] += dropped.bottom - dropped.top;
  }
  return place;
}

using PictureDialogs = WithShippedExecutable;

TEST_F(PictureDialogs, EachAndItsControlsStandAtTwoPixelsADialogUnitOverTheStage) {
  // A stand-in for the stage: a bordered 640 x 480 pop-up.
  const support::UniqueWindow owned(CreateWindowExA(0, "Static", "", WS_POPUP | WS_BORDER | WS_VISIBLE, 100,
                                                    70, 640, 480, nullptr, nullptr, nullptr, nullptr));
  const HWND stage = owned.get();
  ASSERT_NE(stage, nullptr);
  for (const auto& layout : kLayouts) {
    SCOPED_TRACE(layout.templateId);
    const auto parsed = dialog_template::Parse(Resource(RT_DIALOG, layout.templateId));
    ASSERT_TRUE(parsed.has_value());
    const PictureDialogLook look{.templateId = layout.templateId,
                                 .backgroundSlot = 0,
                                 .backgroundDrawing = BackgroundDrawing::kStretched,
                                 .buttons = {}};
    ButtonSet none = MakeButtonSet({}, DialogButtonTraits("", ""));
    PictureDialog dialog(look, none);
    DialogScripts scripts;
    scripts.Expect(layout.heldControl, [&](HWND shown) {
      RECT client = {};
      GetClientRect(shown, &client);
      EXPECT_EQ(PlaceIn(shown, stage, client), layout.client);
      for (const dialog_template::Control& control : parsed->controls) {
        const dialog_template::Box& units = control.box;
        EXPECT_EQ(ControlPlace(shown, GetDlgItem(shown, control.id)),
                  (Place{2 * units.x, 2 * units.y, 2 * units.width, 2 * units.height}))
            << "control " << control.id;
      }
      EndDialog(shown, 1);
    });
    EXPECT_EQ(dialog.Run(stage, module_), 1);
    EXPECT_EQ(scripts.Played(), 1);
  }
}

// The audio dialog's two bars worked with the pointer's messages, in the
// way of Wine's message tests: each kind of press on either bar, after each
// kind on either (every ordered pair once, a de Bruijn sequence), causes the
// steps and mixer calls its table gives, phase by phase, and the other bar
// stays. Here every mixer call (a preview of the music level) reports twice.
enum class Phase { kPress, kHold, kReleaseOnTheBar, kReleaseOnTheBoxesOk, kPressReleasedUnderItsBox };
struct Expected {
  Phase phase;
  int steps, mixerCalls;
};
const struct {
  const char* name;
  std::vector<Expected> sequence;
} kPresses[] = {
    {"click", {{Phase::kPress, 1, 1}, {Phase::kReleaseOnTheBar, 0, 0}}},
    {"click released where the box was", {{Phase::kPress, 1, 1}, {Phase::kReleaseOnTheBoxesOk, 0, 0}}},
    {"hold 0.3 s", {{Phase::kPress, 1, 1}, {Phase::kHold, 0, 0}, {Phase::kReleaseOnTheBoxesOk, 0, 0}}},
    {"click released under its box", {{Phase::kPressReleasedUnderItsBox, 1, 1}}},
};
constexpr int kBars[] = {IDC_MUSIC_BAR, IDC_SOUND_BAR};
constexpr int kKinds = static_cast<int>(std::size(kBars) * std::size(kPresses));

// Every message for this thread for `span`: what a bar sends meanwhile shows.
void HandleMessagesFor(std::chrono::milliseconds span) {
  e2e::WaitUntil(
      [] {
        HandleQueuedMessages();
        return false;
      },
      span, std::chrono::milliseconds(5));
}

// The audio dialog over a stand-in stage, both levels at 20 in the file.
class AudioBars : public InTemporaryFolder {
 protected:
  void SetUp() override {
    InTemporaryFolder::SetUp();
    ASSERT_TRUE(e2e::WriteFileBytes(Full("info\\Audio.cfg"), "1\r\nMusic 20\r\nSound 20\r\n"));
  }
  const support::UniqueModule module{
      LoadLibraryExA(ShippedExecutablePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)};
  const support::UniqueWindow stage{CreateWindowExA(0, "Static", "", WS_POPUP | WS_VISIBLE, 100, 70, 640, 480,
                                                    nullptr, nullptr, nullptr, nullptr)};
};

TEST_F(AudioBars, EveryPressAfterAnyEarlierOneIsOneStepAndOneMixerCall) {
  std::vector<int> order;  // kinds: bar + 2 * press
  for (int a = 0; a < kKinds; ++a) {
    order.push_back(a);
    for (int b = a + 1; b < kKinds; ++b) {
      order.insert(order.end(), {a, b});
    }
  }
  order.push_back(0);
  DialogScripts scripts;
  scripts.Expect(IDC_MUSIC_BAR, [&](HWND dialog) {
    scripts.TakeMessageBoxes();  // the opening's preview
    for (std::size_t i = 0; i < order.size(); ++i) {
      const HWND bar = GetDlgItem(dialog, kBars[order[i] % 2]);
      const HWND other = GetDlgItem(dialog, kBars[1 - order[i] % 2]);
      const int otherLevel = GetScrollPos(other, SB_CTL);
      const bool right = GetScrollPos(bar, SB_CTL) < 30;  // so every step stays within 0 to 50
      RECT box = {};
      GetClientRect(bar, &box);
      const LPARAM arrow = MAKELPARAM(right ? box.right - box.bottom / 2 : box.bottom / 2, box.bottom / 2);
      for (const Expected& expected : kPresses[order[i] / 2].sequence) {
        SCOPED_TRACE(testing::Message() << "press " << i << ", " << kPresses[order[i] / 2].name << " on bar "
                                        << order[i] % 2 << ", phase " << static_cast<int>(expected.phase));
        const int level = GetScrollPos(bar, SB_CTL);
        switch (expected.phase) {
          case Phase::kPressReleasedUnderItsBox:
            PostMessageA(bar, WM_LBUTTONUP, 0, arrow);
            [[fallthrough]];
          case Phase::kPress:
            SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, arrow);
            break;
          case Phase::kHold:
            HandleMessagesFor(std::chrono::milliseconds(300));
            break;
          case Phase::kReleaseOnTheBar:
            PostMessageA(bar, WM_LBUTTONUP, 0, arrow);
            break;
          case Phase::kReleaseOnTheBoxesOk:  // the bar never hears of it
            PostMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
            break;
        }
        HandleMessagesFor(std::chrono::milliseconds(60));  // a held arrow repeats every 50 ms
        EXPECT_EQ(GetScrollPos(bar, SB_CTL), level + (right ? 10 : -10) * expected.steps);
        EXPECT_EQ(scripts.TakeMessageBoxes().size(), 2u * expected.mixerCalls);
        EXPECT_EQ(GetScrollPos(other, SB_CTL), otherLevel);
      }
    }
    pointer::HoverAndPressToClose(dialog, e2e::place::kSmallDone, POINT{4, 4});
  });
  MusicPreview platform;
  EXPECT_EQ(AudioSettingsDialog(stage.get(), module.get(), {}, platform).customized, 1)
      << "DONE kept the levels";
  EXPECT_EQ(scripts.Played(), 1);
}

// A sound card whose mixer answers every call: no box ends a press.
class AnsweringMixer final : public mixer::Port {
  struct Device final : mixer::Device {
    bool DestinationByType(std::uint32_t, mixer::Line& line) override { return (line.connections = 1); }
    bool Source(const mixer::Line&, std::uint32_t, mixer::Line& line) override {
      line.componentType = mixer::kCompactDiscSource;
      return (line.channels = 2);
    }
    bool ControlByType(const mixer::Line&, std::uint32_t, mixer::Control& control) override {
      return (control.maximum = 0xFFFF);
    }
    bool ReadValues(const mixer::Control&, std::span<std::uint32_t>) override { return true; }
    void WriteValues(const mixer::Control&, std::span<const std::uint32_t>) override {}
  };

 public:
  std::unique_ptr<mixer::Device> Open(std::uint32_t) override { return std::make_unique<Device>(); }
  void Report(const char* text) override { ADD_FAILURE() << text; }
};

// What a bar sends, in the order a player's presses make it send, with an
// answering mixer: only what belongs to the press going on moves a level (a
// line step is 10, a thumb message takes its position). Music and sound
// start at 20.
const struct {
  const char* what;
  int bar;        // sender: 0 music, 1 sound
  bool captured;  // the sender holds the mouse
  UINT code;
  int position;
  int music, sound;  // the levels after it
} kBarMessages[] = {
    {"a repeat with no press going on", 0, false, SB_LINERIGHT, 0, 20, 20},
    {"music pressed", 0, true, SB_LINERIGHT, 0, 30, 20},
    {"its repeat once let go", 0, false, SB_LINERIGHT, 0, 30, 20},
    {"the other bar's thumb", 1, false, SB_THUMBPOSITION, 40, 30, 20},
    {"its own thumb at release", 0, false, SB_THUMBPOSITION, 45, 45, 20},
    {"its end of scroll", 0, false, SB_ENDSCROLL, 0, 45, 20},
    {"its thumb after the end", 0, false, SB_THUMBPOSITION, 0, 45, 20},
    {"sound pressed", 1, true, SB_LINELEFT, 0, 45, 10},
    {"its thumb at release", 1, false, SB_THUMBPOSITION, 35, 45, 35},
    {"music's thumb meanwhile", 0, false, SB_THUMBPOSITION, 5, 45, 35},
};

TEST_F(AudioBars, OnlyWhatBelongsToThePressGoingOnMovesALevel) {
  DialogScripts scripts;
  scripts.Expect(IDC_MUSIC_BAR, [&](HWND dialog) {
    for (const auto& message : kBarMessages) {
      SCOPED_TRACE(message.what);
      const HWND bar = GetDlgItem(dialog, kBars[message.bar]);
      if (message.captured) {
        SetCapture(bar);
      } else if (GetCapture() != nullptr) {
        ReleaseCapture();
      }
      SendMessageA(dialog, WM_HSCROLL, MAKEWPARAM(message.code, message.position),
                   reinterpret_cast<LPARAM>(bar));
      EXPECT_EQ(GetScrollPos(GetDlgItem(dialog, IDC_MUSIC_BAR), SB_CTL), message.music);
      EXPECT_EQ(GetScrollPos(GetDlgItem(dialog, IDC_SOUND_BAR), SB_CTL), message.sound);
    }
    ReleaseCapture();
    pointer::HoverAndPressToClose(dialog, e2e::place::kSmallDone, POINT{4, 4});
  });
  AnsweringMixer mixer;
  MusicPreview answering(mixer);
  EXPECT_EQ(AudioSettingsDialog(stage.get(), module.get(), {}, answering).musicLevel, 45);
  EXPECT_TRUE(scripts.TakeMessageBoxes().empty());
  EXPECT_EQ(scripts.Played(), 1);
}

}  // namespace
