// The window classes the form is built from beyond the system's own: panels,
// the image view that shows the placard scene, and flat buttons.
#pragma once

#include <windows.h>

#include "app/form_layout.h"

namespace plakato {

inline constexpr wchar_t kPanelClass[] = L"PlakatoPanel";
inline constexpr wchar_t kImageClass[] = L"PlakatoImage";

// Image view: shows the given memory DC's picture unscaled at its top-left
// corner (lParam: the HDC; 0 shows white).
inline constexpr UINT kImageSetSource = WM_APP + 1;

void RegisterControlClasses(HINSTANCE instance);

// A panel is created with its ControlSpec as the creation parameter. It
// paints its colour, bevel and caption, reports a click to its parent as
// WM_COMMAND/STN_CLICKED, and passes its children's notifications up to the
// top-level window so that the form handles them all in one place.
HWND CreatePanel(const ControlSpec& design, HWND parent, int id, HINSTANCE instance);

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
