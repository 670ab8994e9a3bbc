#include "gdi/CopyMemo.h"

#include "core/NeverDestroyed.h"

#include <cstddef>
#include <vector>

namespace platform::gdi {

namespace {

// One remembered copy. Both surfaces are held while remembered, so their addresses cannot come
// back as other surfaces.
struct Memo {
  SurfacePtr destination;
  SurfacePtr source;
  int dx = 0;
  int dy = 0;
  core::Region same;  // destination pixels still equal to the source's
};

// A paint copies its background into a back buffer and that onto the screen: a few suffice.
constexpr std::size_t kMemos = 4;
// Never destroyed: kept to the end, the surfaces it holds stay reachable.
constinit core::NeverDestroyed<std::vector<Memo>> memos;  // the most recent last

Memo* find(const Surface* destination, const Surface* source, int dx, int dy) {
  for (Memo& memo : *memos)
    if (memo.destination.get() == destination && memo.source.get() == source && memo.dx == dx && memo.dy == dy)
      return &memo;
  return nullptr;
}

}  // namespace

core::Region copyStillNeeded(const Surface* destination, const Surface* source, int dx, int dy, const RECT& area) {
  core::Region needed(area);
  if (const Memo* memo = find(destination, source, dx, dy)) needed.subtract(memo->same);
  return needed;
}

void rememberCopy(const SurfacePtr& destination, const SurfacePtr& source, int dx, int dy, const core::Region& copied) {
  Memo* memo = find(destination.get(), source.get(), dx, dy);
  if (memo == nullptr) {
    if (memos->size() == kMemos) memos->erase(memos->begin());
    memos->push_back({destination, source, dx, dy, {}});
    memo = &memos->back();
  }
  memo->same.add(copied);
}

void forgetCopies(const Surface* surface) {
  std::erase_if(*memos, [surface](const Memo& memo) {
    return memo.destination.get() == surface || memo.source.get() == surface;
  });
}

void surfaceWritten(const Surface* surface, const RECT& area) {
  for (Memo& memo : *memos) {
    if (surface == memo.destination.get()) memo.same.subtract(area);
    // Source pixels lie (dx, dy) away from the destination pixels they were copied to.
    if (surface == memo.source.get())
      memo.same.subtract(RECT{area.left + memo.dx, area.top + memo.dy, area.right + memo.dx, area.bottom + memo.dy});
  }
}

}  // namespace platform::gdi
