// Where the end-to-end tests click and look, named once: client pixels of the
// centres of the stage's menu buttons and of the dialogs' picture buttons, the
// top-left corners of their faces, and the faces' resources. A button's faces
// are n (pressed, the one resource.h names), n + 1 (normal) and n + 2 (under
// the pointer).
#pragma once

#include <windows.h>

#include "resources/resource.h"

namespace e2e::place {

enum Shown { kPressed = 0, kNormal = 1, kLit = 2 };

// A button whose faces the tests look at: where a click lands, the top-left
// corner of its faces, and its first face.
struct Button {
  POINT centre, corner;
  int faces;
};

// The main menu.
constexpr POINT kStartGame{345, 128}, kNetworkGame{104, 187}, kOption{559, 327}, kQuit{549, 187};
// The options menu.
constexpr POINT kInputButton{111, 84}, kAudioButton{111, 144}, kVideoButton{111, 204};
constexpr POINT kHowToPlayButton{111, 264}, kCloseOptions{111, 324};
// The audio and the video dialog.
constexpr POINT kSmallDone{141, 248}, kSmallDefault{141, 296};
// The input dialog.
constexpr POINT kInputDone{288, 440}, kInputReset{424, 440}, kInputCancel{560, 440};
constexpr POINT kPlayer1Place{183, 358}, kPlayer2Place{449, 358};
constexpr POINT kBetweenThePlaces{316, 358}, kFirstKeyBox{190, 80};
// The how-to-play viewer (clear of the page's lower edge).
constexpr POINT kHowToPlayPrevious{41, 308}, kHowToPlayNext{104, 308}, kHowToPlayClose{204, 308};

// DONE's normal faces, and the input dialog's joysticks (normal).
constexpr int kAudioDoneFace = IDB_AUDIO_DONE + kNormal, kVideoDoneFace = IDB_VIDEO_DONE + kNormal;
constexpr int kJoystick1Face = IDB_JOYSTICK_1 + kNormal, kJoystick2Face = IDB_JOYSTICK_2 + kNormal;

// The menus' buttons, and the how-to-play viewer's.
constexpr Button kStartGameButton{kStartGame, {273, 86}, IDB_START_GAME};
constexpr Button kNetworkGameButton{kNetworkGame, {5, 145}, IDB_NETWORK_GAME};
constexpr Button kOptionButton{kOption, {484, 297}, IDB_OPTION}, kQuitButton{kQuit, {465, 145}, IDB_QUIT};
constexpr Button kCloseOptionsButton{kCloseOptions, {17, 307}, IDB_CLOSE_OPTIONS};
constexpr Button kOptionsMenu[] = {{kInputButton, {17, 67}, IDB_SETUP_INPUT},
                                   {kAudioButton, {17, 127}, IDB_AUDIO_CALIBRATION},
                                   {kVideoButton, {17, 187}, IDB_VIDEO_CALIBRATION},
                                   {kHowToPlayButton, {17, 247}, IDB_HOW_TO_PLAY},
                                   kCloseOptionsButton};
constexpr Button kPreviousPageButton{kHowToPlayPrevious, {10, 295}, IDB_PREVIOUS_PAGE};
constexpr Button kNextPageButton{kHowToPlayNext, {73, 295}, IDB_NEXT_PAGE};
constexpr Button kCloseViewerButton{kHowToPlayClose, {142, 295}, IDB_HOW_TO_PLAY_CLOSE};

}  // namespace e2e::place
