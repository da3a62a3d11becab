// The faces' short names, in the order of the face artwork: what a tool tip
// shows over a face button and a screen reader says for it.
#pragma once

#include <string_view>

namespace plakato {

inline constexpr int kFaceCount = 17;

// The name of face `index`; empty for an index outside the faces.
std::wstring_view FaceName(int index);

}  // namespace plakato
