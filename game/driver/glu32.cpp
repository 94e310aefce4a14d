// A stand-in for a 3D card's GLU library, shipped beside its Opengl32.dll in
// the driver folders under Driver\: the two calls the card's library offers
// are handed on to the system's glu32.dll (loaded by its full path, so this
// library never loads itself), and QuilStandInDriver names the card.
//
// Built once per card with QUIL_CARD_NAME defined; the export names come from
// glu32.def.
#include <windows.h>

#include "game/driver/system_library.h"

#ifndef QUIL_CARD_NAME
#error "QUIL_CARD_NAME names the card"
#endif

namespace {

constexpr char kSystemLibrary[] = "glu32.dll";

template <typename Function>
Function Forward(Function& slot, const char* name) {
  return standin::Forward(slot, kSystemLibrary, name);
}

using GLenum = unsigned int;
using GLdouble = double;
using GLubyte = unsigned char;

}  // namespace

extern "C" {

const char* QuilStandInDriver() {
  return QUIL_CARD_NAME;
}

const GLubyte* WINAPI StandInErrorString(GLenum error) {
  using Type = const GLubyte*(WINAPI*)(GLenum);
  static Type forwarded = nullptr;
  const Type function = Forward(forwarded, "gluErrorString");
  return function != nullptr ? function(error) : nullptr;
}

void WINAPI StandInOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
  using Type = void(WINAPI*)(GLdouble, GLdouble, GLdouble, GLdouble);
  static Type forwarded = nullptr;
  const Type function = Forward(forwarded, "gluOrtho2D");
  if (function != nullptr) {
    function(left, right, bottom, top);
  }
}

}  // extern "C"
