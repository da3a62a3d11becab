// The window classes the form is built from beyond the system's own: panels,
// the image view that shows the placard scene, and flat buttons.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/form_layout.h"
#include "base/handles_win.h"
#include "base/window_win.h"
#include "scene/motion.h"

namespace plakato {

void RegisterControlClasses(HINSTANCE instance);

class PanelWindow;
class ImageView;

// The window font: the designed one, its height scaled by the display's
// dpi, and the height of "0" it measures, by which the layout scales.
struct WindowFont {
  UniqueFont font;
  LayoutScale scale;
};
WindowFont MakeWindowFont(const FontSpec& design, int dpi);

// The controls of the main window, made from the control table, with what
// they own: the objects behind the program's own control classes, the
// fonts of controls that have their own, the brush of white backgrounds.
class FormControls {
 public:
  FormControls();
  FormControls(FormControls&&) noexcept;
  FormControls& operator=(FormControls&&) noexcept;
  ~FormControls();

  HWND operator[](ControlId id) const { return windows_[static_cast<size_t>(id)]; }
  // Null until the controls are made.
  ImageView* imageView() const { return imageView_.get(); }
  // Lays every control out again for another display: its scaled place and
  // a font made for it. The pager and tool bar get the font and are placed
  // by the face strip.
  void Rescale(HFONT windowFont, const LayoutScale& scale);
  // What a label, the check box or a panel's caption is drawn with
  // (WM_CTLCOLORSTATIC, WM_CTLCOLORBTN): its parent's colour behind its own
  // text colour. Null for a window not in the control table.
  HBRUSH Colour(HDC dc, HWND control) const;

 private:
  friend FormControls CreateFormControls(HWND form, HFONT windowFont, const LayoutScale& scale);
  HWND CreateControl(const ControlSpec& design, HWND form, HFONT windowFont, const LayoutScale& scale);
  // The control's own font at this scale, kept in `fonts`; null for the window font.
  static HFONT OwnFont(const ControlSpec& design, const LayoutScale& scale, std::vector<UniqueFont>& fonts);

  std::vector<HWND> windows_;  // indexed by ControlId
  std::vector<std::unique_ptr<PanelWindow>> panels_;
  std::unique_ptr<ImageView> imageView_;
  std::vector<UniqueFont> ownFonts_;
  UniqueBrush whiteBrush_;
};

// Makes every control of the table in `form`, in table order, at its scaled
// place, in the window font or its own. The rebar, pager and tool bar are
// made bare: the face strip puts them together.
FormControls CreateFormControls(HWND form, HFONT windowFont, const LayoutScale& scale);

// The commands of the placard's menu. The motions' are `firstMotion` and
// those after it, one for each of kMotions in its order; `motion` is the
// one playing.
struct PlacardMenuCommands {
  int copy;
  int copyLarge;
  int copySticker;
  int exportPicture;
  int firstMotion;
  int nextMotion;
  Motion motion;
};

// The placard's menu, "复制图片(&C)", "复制大图(&L)", "复制贴纸(&T)", the
// submenu "动画(&A)" with a radio item for each motion ("静止(&N)", "举牌(&P)",
// "跳动(&B)", "摇晃(&S)", the one playing chosen) and the next motion's
// command with its shortcut, and "导出(&E)...", at the pointer, or at the
// middle of `image` when opened from the keyboard (`screenPoint` -1); gives
// the command chosen, 0 for none.
int TrackPlacardMenu(HWND owner, HWND image, LPARAM screenPoint, const PlacardMenuCommands& commands);

// Sets a label's text and sizes the label to it, as at creation.
void SetLabelText(HWND label, const std::wstring& text);

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
  HWND Create(HWND parent, int id, HINSTANCE instance, const Rect& r);
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
