#include "base/global_memory_win.h"

#include <cstring>

namespace plakato {

UniqueGlobal CopyToGlobal(std::span<const uint8_t> bytes) {
  UniqueGlobal block(::GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size()));
  if (!block) return block;
  void* target = ::GlobalLock(block.get());
  if (!target) return {};
  if (!bytes.empty()) std::memcpy(target, bytes.data(), bytes.size());
  ::GlobalUnlock(block.get());
  return block;
}

}  // namespace plakato
