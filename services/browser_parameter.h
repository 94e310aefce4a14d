// What a browser is handed on its command line.
#pragma once

#include <string>
#include <string_view>

namespace web {

// The target as one parameter: quoted when it holds a blank, so that a page
// under "C:\Program Files\..." does not reach the browser in pieces.
std::string BrowserParameter(std::string_view target);

}  // namespace web
