#include "launch/web_pages.h"

// The browser start arrives in its own step; until then no page is opened.
int OpenHomePage(HWND) {
  return 0;
}
