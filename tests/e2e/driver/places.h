// Where the end-to-end tests click and look, named once: client pixels of the
// centres of the stage's menu buttons and of the dialogs' picture buttons, the
// top-left corners of faces that show a screen is drawn, and the faces'
// resources. A menu button's faces are n (pressed), n + 1 (normal) and n + 2
// (under the pointer).
#pragma once

#include <windows.h>

namespace e2e::place {

// The main menu.
constexpr POINT kStartGame{345, 128}, kOption{559, 327}, kQuit{549, 187};
// The options menu.
constexpr POINT kInputButton{111, 84}, kAudioButton{111, 144}, kVideoButton{111, 204};
constexpr POINT kHowToPlayButton{111, 264}, kCloseOptions{111, 324};
// The audio and the video dialog.
constexpr POINT kSmallDone{141, 248}, kSmallDefault{141, 296};
// The input dialog.
constexpr POINT kInputDone{288, 440}, kInputReset{424, 440}, kInputCancel{560, 440};
constexpr POINT kPlayer1Place{183, 358}, kPlayer2Place{449, 358};
// The how-to-play viewer.
constexpr POINT kHowToPlayNext{104, 308}, kHowToPlayClose{204, 308};

// Top-left corners of faces on the stage.
constexpr POINT kStartGameCorner{273, 86}, kCloseOptionsCorner{17, 307};
// Menu buttons' first faces (pressed).
constexpr int kStartGameFaces = 189, kCloseOptionsFaces = 295;
// DONE's normal faces, and the input dialog's joysticks (normal).
constexpr int kAudioDoneFace = 226, kVideoDoneFace = 232;
constexpr int kJoystick1Face = 249, kJoystick2Face = 252;

}  // namespace e2e::place
