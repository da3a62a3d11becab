// The artwork image lists as system image lists (comctl32), for the tool bar
// and for drawing into the scene through their masks.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "scene/pixels.h"

namespace plakato {

class UniqueImageList {
 public:
  UniqueImageList() = default;
  explicit UniqueImageList(HIMAGELIST list) : list_(list) {}
  UniqueImageList(const UniqueImageList&) = delete;
  UniqueImageList& operator=(const UniqueImageList&) = delete;
  UniqueImageList(UniqueImageList&& other) noexcept : list_(other.list_) { other.list_ = nullptr; }
  UniqueImageList& operator=(UniqueImageList&& other) noexcept;
  ~UniqueImageList();
  HIMAGELIST get() const { return list_; }

 private:
  HIMAGELIST list_ = nullptr;
};

// A 24-bit colour image list with a 1-bit mask holding the images of `list`;
// drawn normally it changes only the pixels the mask marks opaque.
UniqueImageList MakeSystemImageList(const ImageList& list);

}  // namespace plakato
