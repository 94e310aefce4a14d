#include "opengl_check.h"

#include <GL/gl.h>

#include "common/bounded_text.h"

namespace game {

namespace {

// The library's functions the game uses, looked up by name.
struct OpenGlFunctions {
  HGLRC(WINAPI* createContext)(HDC) = nullptr;
  BOOL(WINAPI* makeCurrent)(HDC, HGLRC) = nullptr;
  BOOL(WINAPI* deleteContext)(HGLRC) = nullptr;
  void(APIENTRY* viewport)(GLint, GLint, GLsizei, GLsizei) = nullptr;
  void(APIENTRY* clearColor)(GLclampf, GLclampf, GLclampf, GLclampf) = nullptr;
  void(APIENTRY* clear)(GLbitfield) = nullptr;
  void(APIENTRY* begin)(GLenum) = nullptr;
  void(APIENTRY* end)() = nullptr;
  void(APIENTRY* color3f)(GLfloat, GLfloat, GLfloat) = nullptr;
  void(APIENTRY* vertex2f)(GLfloat, GLfloat) = nullptr;
  void(APIENTRY* finish)() = nullptr;
  GLenum(APIENTRY* getError)() = nullptr;
  const GLubyte*(APIENTRY* getString)(GLenum) = nullptr;
};

// gdi32's pixel-format calls, looked up too: a Windows 95 without OpenGL
// lacks them, and the game still starts there and says so.
struct PixelFormatFunctions {
  int(WINAPI* choose)(HDC, const PIXELFORMATDESCRIPTOR*) = nullptr;
  BOOL(WINAPI* set)(HDC, int, const PIXELFORMATDESCRIPTOR*) = nullptr;
  BOOL(WINAPI* swap)(HDC) = nullptr;
};

struct OpenGlState {
  HMODULE library = nullptr;
  OpenGlFunctions gl;
  PixelFormatFunctions gdi;
  HWND view = nullptr;
  HDC dc = nullptr;  // the view's own device context
  HGLRC context = nullptr;
  bool works = false;
};

OpenGlState& State() {
  static OpenGlState state;
  return state;
}

template <typename Function>
bool Find(HMODULE module, const char* name, Function& function, std::string& missing) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  if (function == nullptr && missing.empty()) {
    missing = name;
  }
  return function != nullptr;
}

std::string WithError(const char* what, DWORD error) {
  return std::string(what) + " (error " + std::to_string(error) + ")";
}

// The frame: a deep blue clear and a triangle shading from cyan through white
// to amber. False with the reason when OpenGL reports an error or the frame
// cannot be shown.
bool DrawFrame(OpenGlState& state, std::string& reason) {
  RECT client = {};
  GetClientRect(state.view, &client);
  const OpenGlFunctions& gl = state.gl;
  gl.viewport(0, 0, client.right, client.bottom);
  gl.clearColor(0.0f, 0.03f, 0.1f, 1.0f);
  gl.clear(GL_COLOR_BUFFER_BIT);
  gl.begin(GL_TRIANGLES);
  gl.color3f(0.0f, 0.85f, 1.0f);
  gl.vertex2f(-0.75f, -0.65f);
  gl.color3f(1.0f, 0.75f, 0.2f);
  gl.vertex2f(0.75f, -0.65f);
  gl.color3f(1.0f, 1.0f, 1.0f);
  gl.vertex2f(0.0f, 0.75f);
  gl.end();
  gl.finish();
  const GLenum error = gl.getError();
  if (error != GL_NO_ERROR) {
    reason = "OpenGL error " + std::to_string(error) + " while drawing";
    return false;
  }
  if (!state.gdi.swap(state.dc)) {
    reason = WithError("SwapBuffers failed", GetLastError());
    return false;
  }
  return true;
}

}  // namespace

OpenGlResult StartOpenGl(HWND view) {
  OpenGlState& state = State();
  OpenGlResult result;
  state.view = view;

  state.library = LoadLibraryA("opengl32.dll");
  if (state.library == nullptr) {
    result.reason = WithError("opengl32.dll could not be loaded", GetLastError());
    return result;
  }
  char path[MAX_PATH + 1] = {};
  const DWORD length = GetModuleFileNameA(state.library, path, MAX_PATH);
  result.library.assign(path, length <= MAX_PATH ? length : 0);
  using DriverName = const char* (*)();
  const auto driverName = reinterpret_cast<DriverName>(
      reinterpret_cast<void*>(GetProcAddress(state.library, "QuilStandInDriver")));
  if (driverName != nullptr && driverName() != nullptr) {
    char name[64] = {};
    text::CopyBounded(name, driverName());
    result.driver = name;
  }

  std::string missing;
  OpenGlFunctions& gl = state.gl;
  const HMODULE library = state.library;
  Find(library, "wglCreateContext", gl.createContext, missing);
  Find(library, "wglMakeCurrent", gl.makeCurrent, missing);
  Find(library, "wglDeleteContext", gl.deleteContext, missing);
  Find(library, "glViewport", gl.viewport, missing);
  Find(library, "glClearColor", gl.clearColor, missing);
  Find(library, "glClear", gl.clear, missing);
  Find(library, "glBegin", gl.begin, missing);
  Find(library, "glEnd", gl.end, missing);
  Find(library, "glColor3f", gl.color3f, missing);
  Find(library, "glVertex2f", gl.vertex2f, missing);
  Find(library, "glFinish", gl.finish, missing);
  Find(library, "glGetError", gl.getError, missing);
  Find(library, "glGetString", gl.getString, missing);
  if (!missing.empty()) {
    result.reason = "opengl32.dll has no " + missing;
    return result;
  }
  const HMODULE gdi32 = GetModuleHandleA("gdi32.dll");
  Find(gdi32, "ChoosePixelFormat", state.gdi.choose, missing);
  Find(gdi32, "SetPixelFormat", state.gdi.set, missing);
  Find(gdi32, "SwapBuffers", state.gdi.swap, missing);
  if (!missing.empty()) {
    result.reason = "gdi32.dll has no " + missing;
    return result;
  }

  state.dc = GetDC(view);
  if (state.dc == nullptr) {
    result.reason = "the view has no device context";
    return result;
  }
  PIXELFORMATDESCRIPTOR wanted = {};
  wanted.nSize = sizeof wanted;
  wanted.nVersion = 1;
  wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  wanted.iPixelType = PFD_TYPE_RGBA;
  wanted.cColorBits = 24;
  wanted.cDepthBits = 16;
  wanted.iLayerType = PFD_MAIN_PLANE;
  const int format = state.gdi.choose(state.dc, &wanted);
  if (format == 0) {
    result.reason = "no pixel format";
    return result;
  }
  if (!state.gdi.set(state.dc, format, &wanted)) {
    result.reason = WithError("SetPixelFormat failed", GetLastError());
    return result;
  }
  state.context = gl.createContext(state.dc);
  if (state.context == nullptr) {
    result.reason = WithError("wglCreateContext failed", GetLastError());
    return result;
  }
  if (!gl.makeCurrent(state.dc, state.context)) {
    result.reason = WithError("wglMakeCurrent failed", GetLastError());
    return result;
  }
  if (const GLubyte* renderer = gl.getString(GL_RENDERER)) {
    char name[128] = {};
    text::CopyBounded(name, reinterpret_cast<const char*>(renderer));
    result.renderer = name;
  }
  if (!DrawFrame(state, result.reason)) {
    return result;
  }
  state.works = result.works = true;
  return result;
}

bool DrawOpenGlFrame() {
  OpenGlState& state = State();
  std::string reason;
  return state.works && DrawFrame(state, reason);
}

void StopOpenGl() {
  OpenGlState& state = State();
  if (state.context != nullptr) {
    state.gl.makeCurrent(nullptr, nullptr);
    state.gl.deleteContext(state.context);
  }
  if (state.dc != nullptr) {
    ReleaseDC(state.view, state.dc);
  }
  if (state.library != nullptr) {
    FreeLibrary(state.library);
  }
  state = OpenGlState{};
}

}  // namespace game
