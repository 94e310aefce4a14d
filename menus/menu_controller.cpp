#include "menus/menu_controller.h"

// The menu screens are drawn on the stage in a later step; until then the
// stage stays black and its mouse input selects nothing.

namespace {

struct MenuState {
  std::int32_t screenState = 500;
  bool mainMenuActive = true;
  bool optionsMenuActive = false;
};

MenuState& State() {
  static MenuState state;
  return state;
}

}  // namespace

bool MainMenuActive() {
  return State().mainMenuActive;
}
bool OptionsMenuActive() {
  return State().optionsMenuActive;
}

void SetUpMenus(HWND, HINSTANCE) {}
void RepaintMenuScreen(HWND, HINSTANCE) {}
void TrackMainMenuHover(HWND, HINSTANCE) {}
void TrackOptionsMenuHover(HWND, HINSTANCE) {}
void ClickMainMenu(HWND, HINSTANCE, std::uint32_t, std::uint32_t) {}
void ClickOptionsMenu(HWND, HINSTANCE, std::uint32_t, std::uint32_t) {}
void ReleaseMainMenuButtons() {}
void ReleaseOptionsMenuButtons() {}
void ReleaseMenuPictures() {}
