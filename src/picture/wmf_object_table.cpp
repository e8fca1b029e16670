#include "picture/wmf_object_table.h"

#include <algorithm>
#include <utility>

namespace tinto {

WmfObjectTable::WmfObjectTable(int initialSlots) {
  const std::size_t count = initialSlots > 0 ? static_cast<std::size_t>(initialSlots) : 0;
  m_slots.resize(std::min(count, kMaxObjects));
  std::vector<std::size_t> free(m_slots.size());
  for (std::size_t i = 0; i < free.size(); ++i) free[i] = i;
  m_free = decltype(m_free)(std::greater<>(), std::move(free));
}

void WmfObjectTable::Add(WmfObject object) {
  if (!m_free.empty()) {
    m_slots[m_free.top()] = std::move(object);
    m_free.pop();
  } else if (m_slots.size() < kMaxObjects) {
    m_slots.emplace_back(std::move(object));
  }
}

const WmfObject* WmfObjectTable::Find(std::size_t index) const {
  if (index >= m_slots.size() || !m_slots[index]) return nullptr;
  return &*m_slots[index];
}

void WmfObjectTable::Remove(std::size_t index) {
  if (index >= m_slots.size() || !m_slots[index]) return;
  m_slots[index].reset();
  m_free.push(index);
}

}  // namespace tinto
