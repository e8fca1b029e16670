#pragma once
// The object table of a WMF picture: a new object takes the lowest free slot, as in GDI. Free
// slots wait in a min-heap, so a file of many create records costs O(log n) a record instead of
// a search of the whole table.

#include <cstddef>
#include <functional>
#include <optional>
#include <queue>
#include <vector>

#include "picture/wmf_objects.h"

namespace tinto {

class WmfObjectTable {
 public:
  static constexpr std::size_t kMaxObjects = 65536;

  // `initialSlots` free slots to begin with (the header's object count); more are added up to
  // kMaxObjects when they run out. Past that, new objects are dropped.
  explicit WmfObjectTable(int initialSlots);

  void Add(WmfObject object);
  // Null for an index out of range or a free slot.
  const WmfObject* Find(std::size_t index) const;
  void Remove(std::size_t index);

 private:
  std::vector<std::optional<WmfObject>> m_slots;
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> m_free;
};

}  // namespace tinto
