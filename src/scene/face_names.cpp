#include "scene/face_names.h"

namespace plakato {

namespace {

// What each face of the artwork shows, face 0 first.
constexpr std::wstring_view kFaceNames[kFaceCount] = {
    L"口罩",  // a white mask over the mouth
    L"大笑",  // laughing, eyes shut, teeth showing
    L"发怒",  // red, frowning
    L"调皮",  // winking, tongue out
    L"花痴",  // heart eyes
    L"士兵",  // army helmet and a cigar
    L"忍者",  // black hood and a white band
    L"微笑",  // a plain smile
    L"耍酷",  // sunglasses
    L"紧张",  // raised brows, a shaking mouth
    L"大哭",  // crying streams of tears
    L"呕吐",  // being sick, a stream pouring from an open mouth
    L"惊讶",  // staring round eyes, a small round mouth
    L"闭嘴",  // a cross over the mouth
    L"猪头",  // a pig
    L"加油",  // a headband with a red sun, tied, and a grin
    L"害羞",  // eyes shut, red cheeks
};

}  // namespace

std::wstring_view FaceName(int index) {
  if (index < 0 || index >= kFaceCount) return {};
  return kFaceNames[index];
}

}  // namespace plakato
