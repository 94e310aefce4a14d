#include "launch/start_game.h"

// Starting the game (game-mode file, driver check, the game's process and the
// report after it) arrives in its own step; until then the button only sounds.
void StartGameSequence(HWND, HINSTANCE) {}
