// The rules of the face strip's keyboard, apart from the window system: where
// the highlighted face goes on a key, and how far the strip scrolls to keep
// it in view.
#pragma once

namespace plakato {

enum class StripKey {
  None,      // a key the strip leaves alone
  Previous,  // Left, Up
  Next,      // Right, Down
  First,     // Home
  Last,      // End
  Pick,      // Enter, Space
};

// The button the highlight moves to from button `highlight` on `key`, among
// `count` buttons. It stops at either end; from no button (-1 or out of
// range) it enters at the nearest end. Pick and None leave it where it is;
// -1 when there are no buttons.
int MoveHighlight(int highlight, StripKey key, int count);

// How far a view that shows [viewLeft, viewRight) of a scrolled strip must
// move to show the item at [itemLeft, itemRight) whole: negative to the
// left, positive to the right, 0 when it shows it already. An item wider
// than the view is brought in by its left edge.
int ScrollToShow(int itemLeft, int itemRight, int viewLeft, int viewRight);

}  // namespace plakato
