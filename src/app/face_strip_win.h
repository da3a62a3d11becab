// The face strip: the rebar's one band, holding the pager that scrolls the
// tool bar of face buttons, usable from the keyboard and named for a screen
// reader. It tells its owner which face the user picked.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "app/form_layout.h"
#include "scene/image_list_win.h"

namespace plakato {

// The WM_COMMAND identifier of the button of face k is kFaceCommandBase + k.
inline constexpr int kFaceCommandBase = 5000;

class FaceStrip {
 public:
  using CurrentFace = std::function<int()>;
  using PickFace = std::function<void(int face)>;

  FaceStrip() = default;
  FaceStrip(const FaceStrip&) = delete;
  FaceStrip& operator=(const FaceStrip&) = delete;

  // Puts the bare rebar, pager and tool bar together: the pager in the
  // rebar's band, right of its gripper, at its designed place; one button
  // per face, left to right in list order, `scale`d, showing the faces drawn
  // for `dpi` (FaceImagesAt); the tool
  // bar as wide as its buttons. While the pager has the focus, Left and
  // Right (Up and Down), Home and End move a highlight over the buttons,
  // drawn as the tool bar's hot button and scrolled into view; it starts on
  // the button of `currentFace()`, the face the placard shows, and a pointer
  // leaving the bar leaves it in place. Enter or Space picks the highlighted
  // face as a click does: either calls `pickFace` with it. Tab still moves
  // on, and the highlight goes when the focus does. The button of the face
  // in use shows pressed, the only one checked of the strip, wherever the
  // highlight is. Each button's tool tip is the name of its face.
  void Create(HWND rebar, HWND pager, HWND toolBar, const LayoutScale& scale, int dpi, CurrentFace currentFace,
              PickFace pickFace);
  // Lays the strip out again for another display: band, pager, buttons and
  // faces at the new scale and dpi.
  void Rescale(const LayoutScale& scale, int dpi);

  // The pager asks its parent, the rebar, how large the tool bar is
  // (PGN_CALCSIZE), already while the strip is made; the rebar passes it up
  // to the window, which hands it here. False for any other notification.
  bool OnNotify(NMHDR* header) const;

 private:
  // The pager's arrows, the buttons and their faces, and the tool bar as
  // wide as its buttons.
  void SizeButtons(const LayoutScale& scale, int dpi);
  // The pager at its designed place in the band.
  void PlacePager(const LayoutScale& scale);

  HWND rebar_ = nullptr;
  HWND pager_ = nullptr;
  HWND toolBar_ = nullptr;
  UniqueImageList images_;  // the tool bar's faces
};

}  // namespace plakato
