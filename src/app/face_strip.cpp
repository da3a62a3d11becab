#include "app/face_strip.h"

namespace plakato {

int MoveHighlight(int highlight, StripKey key, int count) {
  if (count <= 0) return -1;
  int last = count - 1;
  bool onAButton = highlight >= 0 && highlight <= last;
  switch (key) {
    case StripKey::First:
      return 0;
    case StripKey::Last:
      return last;
    case StripKey::Previous:
      if (!onAButton) return highlight > last ? last : 0;
      return highlight > 0 ? highlight - 1 : 0;
    case StripKey::Next:
      if (!onAButton) return highlight > last ? last : 0;
      return highlight < last ? highlight + 1 : last;
    case StripKey::Pick:
    case StripKey::None:
      break;
  }
  return highlight;
}

int ScrollToShow(int itemLeft, int itemRight, int viewLeft, int viewRight) {
  if (itemLeft < viewLeft || itemRight - itemLeft > viewRight - viewLeft) return itemLeft - viewLeft;
  if (itemRight > viewRight) return itemRight - viewRight;
  return 0;
}

}  // namespace plakato
