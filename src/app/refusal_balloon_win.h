// The balloon that tells, under the message edit, why a character was not
// taken. It is a tracking tooltip of the program's own: the edit's
// EM_SHOWBALLOONTIP does nothing under Wine.
#pragma once

#include <windows.h>

#include "base/handles_win.h"
#include "scene/sign_text.h"

namespace plakato {

class RefusalBalloon {
 public:
  // How long the balloon stays when nothing else takes it down.
  static constexpr UINT kShowMilliseconds = 4000;
  // The edit's timer that takes it down; the edit's own timers (drag
  // scrolling) use small numbers.
  static constexpr UINT_PTR kTimerId = 0x504C;

  explicit RefusalBalloon(HWND edit) : edit_(edit) {}
  RefusalBalloon(const RefusalBalloon&) = delete;
  RefusalBalloon& operator=(const RefusalBalloon&) = delete;
  ~RefusalBalloon();

  // Shows the message pointing at the caret (or the edit's left part when
  // the edit has no focus); the tooltip window is made on first use. An edit
  // that cannot be seen gets no balloon.
  void Show(const RefusalMessage& message);
  void Hide();
  // Handles the edit's WM_TIMER: true when it was the balloon's own timer.
  bool OnTimer(UINT_PTR timer);

 private:
  bool Create();
  void FollowEditFont();
  POINT Anchor() const;

  HWND edit_;
  UniqueFont font_;   // given to the tooltip, which keeps using it
  LOGFONTW fontShown_{};
  UniqueWindow tip_;  // declared after the font: it goes first
  bool shown_ = false;
};

}  // namespace plakato
