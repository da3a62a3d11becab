// The face strip: the tool bar of face buttons in its pager, usable from the
// keyboard and named for a screen reader.
#pragma once

#include <windows.h>

#include <functional>

namespace plakato {

// Makes the pager that scrolls `toolBar` the face strip. While the pager has
// the focus, Left and Right (Up and Down), Home and End move a highlight over
// the buttons, drawn as the tool bar's hot button and scrolled into view; it
// starts on the button of `currentFace()`, the face the placard shows, and a
// pointer leaving the bar leaves it in place. Enter or Space clicks the
// highlighted button: its WM_COMMAND goes out as a mouse click's does. Tab
// still moves on, and the highlight goes when the focus does. Each button's
// tool tip is the name of its face. Call once the buttons are in the bar.
void MakeFaceStrip(HWND pager, HWND toolBar, std::function<int()> currentFace);

}  // namespace plakato
