// The window classes the form is built from beyond the system's own: panels,
// the image view that shows the placard scene, and flat buttons.
#pragma once

#include <windows.h>

#include "app/form_layout.h"
#include "base/window_win.h"

namespace plakato {

void RegisterControlClasses(HINSTANCE instance);

// A panel paints its colour, bevel and caption, reports a click to its parent
// as WM_COMMAND/STN_CLICKED, and passes its children's notifications up to
// the top-level window so that the form handles them all in one place.
class PanelWindow : public Window<PanelWindow> {
 public:
  explicit PanelWindow(const ControlSpec& design) : design_(design) {}
  HWND Create(HWND parent, int id, HINSTANCE instance);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  static void Register(HINSTANCE instance);

 private:
  void Paint(HDC dc);

  const ControlSpec& design_;
  HFONT font_ = nullptr;
  bool pressed_ = false;
};

// The notification code of WM_COMMAND with which an image view tells its
// parent that the left button, pressed on it, has moved past the system's
// drag distance: the user drags the picture away.
inline constexpr WORD kImageDragStarted = 0x0100;

// Shows a memory DC's picture unscaled at its top-left corner; white while
// it has none. A press of the left button followed by a move beyond the
// system's drag rectangle (SM_CXDRAG x SM_CYDRAG around the press) is
// reported once as kImageDragStarted.
class ImageView : public Window<ImageView> {
 public:
  HWND Create(HWND parent, int id, HINSTANCE instance, const Bounds& b);
  void SetSource(HDC source);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  static void Register(HINSTANCE instance);

 private:
  void Paint(HDC dc);
  void OnMouseMove(WPARAM keys, POINT at);

  HDC source_ = nullptr;
  bool pressed_ = false;
  POINT pressedAt_{};
};

// Turns an owner-drawn push button into a flat button: it never takes the
// focus, shows a raised frame while the pointer is over it and a sunken one
// while it is held down.
void MakeFlatButton(HWND button);

// Passes WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and WM_CTLCOLOR* that a system
// container (the rebar) receives on to the top-level window, and fills its
// background with the face colour where it paints nothing itself.
void ForwardNotificationsToRoot(HWND container);

// Colour a panel or label shows behind its content.
COLORREF BackColourOf(const ControlSpec& design);

}  // namespace plakato
