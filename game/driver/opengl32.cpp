// A stand-in for a 3D card's OpenGL library, as the driver folders under
// Driver\ ship it: the launcher copies it into the program folder, where the
// game's LoadLibraryA("opengl32.dll") finds it before the system's own.
//
// A working card (QUIL_CARD_WORKS 1) hands every call the game and gdi32 make
// on to the system's opengl32.dll, loaded by its full path so that this
// library never loads itself. A failing card does the same except that it
// cannot create a context. Either way it names itself through
// QuilStandInDriver, so the game can tell which library it really got.
//
// Built once per card with QUIL_CARD_NAME and QUIL_CARD_WORKS defined; the
// export names come from opengl32.def (undecorated, as the system's library
// exports them).
#include <windows.h>

#include "game/driver/system_library.h"

#ifndef QUIL_CARD_NAME
#error "QUIL_CARD_NAME names the card"
#endif
#ifndef QUIL_CARD_WORKS
#error "QUIL_CARD_WORKS tells whether the card can create a context"
#endif

namespace {

constexpr char kSystemLibrary[] = "opengl32.dll";

template <typename Function>
Function Forward(Function& slot, const char* name) {
  return standin::Forward(slot, kSystemLibrary, name);
}

using GLenum = unsigned int;
using GLbitfield = unsigned int;
using GLint = int;
using GLsizei = int;
using GLfloat = float;
using GLclampf = float;
using GLubyte = unsigned char;

}  // namespace

// Call `name` of the system library with `args`, or return `failed` when it
// cannot be had.
#define QUIL_FORWARD(Type, name, failed, ...)             \
  static Type forwarded_##name = nullptr;                 \
  const Type function = Forward(forwarded_##name, #name); \
  if (function == nullptr) {                              \
    return failed;                                        \
  }                                                       \
  return function(__VA_ARGS__)

extern "C" {

const char* QuilStandInDriver() {
  return QUIL_CARD_NAME;
}

// ---- Contexts ----------------------------------------------------------------

HGLRC WINAPI StandInCreateContext(HDC dc) {
#if QUIL_CARD_WORKS
  using Type = HGLRC(WINAPI*)(HDC);
  QUIL_FORWARD(Type, wglCreateContext, nullptr, dc);
#else
  (void)dc;
  // This card has no rendering context to give.
  SetLastError(ERROR_NOT_SUPPORTED);
  return nullptr;
#endif
}

BOOL WINAPI StandInDeleteContext(HGLRC context) {
  using Type = BOOL(WINAPI*)(HGLRC);
  QUIL_FORWARD(Type, wglDeleteContext, FALSE, context);
}

BOOL WINAPI StandInMakeCurrent(HDC dc, HGLRC context) {
  using Type = BOOL(WINAPI*)(HDC, HGLRC);
  QUIL_FORWARD(Type, wglMakeCurrent, FALSE, dc, context);
}

HGLRC WINAPI StandInGetCurrentContext() {
  using Type = HGLRC(WINAPI*)();
  QUIL_FORWARD(Type, wglGetCurrentContext, nullptr);
}

HDC WINAPI StandInGetCurrentDC() {
  using Type = HDC(WINAPI*)();
  QUIL_FORWARD(Type, wglGetCurrentDC, nullptr);
}

PROC WINAPI StandInGetProcAddress(LPCSTR name) {
  using Type = PROC(WINAPI*)(LPCSTR);
  QUIL_FORWARD(Type, wglGetProcAddress, nullptr, name);
}

// ---- Pixel formats and buffers (gdi32 calls these for the game) -------------

int WINAPI StandInChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* wanted) {
  using Type = int(WINAPI*)(HDC, const PIXELFORMATDESCRIPTOR*);
  QUIL_FORWARD(Type, wglChoosePixelFormat, 0, dc, wanted);
}

int WINAPI StandInDescribePixelFormat(HDC dc, int format, UINT size, PIXELFORMATDESCRIPTOR* description) {
  using Type = int(WINAPI*)(HDC, int, UINT, PIXELFORMATDESCRIPTOR*);
  QUIL_FORWARD(Type, wglDescribePixelFormat, 0, dc, format, size, description);
}

int WINAPI StandInGetPixelFormat(HDC dc) {
  using Type = int(WINAPI*)(HDC);
  QUIL_FORWARD(Type, wglGetPixelFormat, 0, dc);
}

BOOL WINAPI StandInSetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* description) {
  using Type = BOOL(WINAPI*)(HDC, int, const PIXELFORMATDESCRIPTOR*);
  QUIL_FORWARD(Type, wglSetPixelFormat, FALSE, dc, format, description);
}

BOOL WINAPI StandInSwapBuffers(HDC dc) {
  using Type = BOOL(WINAPI*)(HDC);
  QUIL_FORWARD(Type, wglSwapBuffers, FALSE, dc);
}

// ---- The OpenGL 1.1 calls of the game's frame --------------------------------

void WINAPI StandInClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
  using Type = void(WINAPI*)(GLclampf, GLclampf, GLclampf, GLclampf);
  QUIL_FORWARD(Type, glClearColor, , red, green, blue, alpha);
}

void WINAPI StandInClear(GLbitfield mask) {
  using Type = void(WINAPI*)(GLbitfield);
  QUIL_FORWARD(Type, glClear, , mask);
}

void WINAPI StandInViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
  using Type = void(WINAPI*)(GLint, GLint, GLsizei, GLsizei);
  QUIL_FORWARD(Type, glViewport, , x, y, width, height);
}

void WINAPI StandInBegin(GLenum mode) {
  using Type = void(WINAPI*)(GLenum);
  QUIL_FORWARD(Type, glBegin, , mode);
}

void WINAPI StandInEnd() {
  using Type = void(WINAPI*)();
  QUIL_FORWARD(Type, glEnd, );
}

void WINAPI StandInColor3f(GLfloat red, GLfloat green, GLfloat blue) {
  using Type = void(WINAPI*)(GLfloat, GLfloat, GLfloat);
  QUIL_FORWARD(Type, glColor3f, , red, green, blue);
}

void WINAPI StandInVertex2f(GLfloat x, GLfloat y) {
  using Type = void(WINAPI*)(GLfloat, GLfloat);
  QUIL_FORWARD(Type, glVertex2f, , x, y);
}

void WINAPI StandInFlush() {
  using Type = void(WINAPI*)();
  QUIL_FORWARD(Type, glFlush, );
}

void WINAPI StandInFinish() {
  using Type = void(WINAPI*)();
  QUIL_FORWARD(Type, glFinish, );
}

GLenum WINAPI StandInGetError() {
  using Type = GLenum(WINAPI*)();
  // Without the system's library there is no context to have made an error.
  QUIL_FORWARD(Type, glGetError, 0);
}

const GLubyte* WINAPI StandInGetString(GLenum name) {
  using Type = const GLubyte*(WINAPI*)(GLenum);
  QUIL_FORWARD(Type, glGetString, nullptr, name);
}

}  // extern "C"
