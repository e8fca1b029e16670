#include "core/model/undo_snapshot.h"

namespace tinto {

void UndoSnapshot::Take(const ScreenBuffers& screen) {
  m_pixels = screen.Pixels();
  m_attrs = screen.Attrs();
  m_available = true;
}

bool UndoSnapshot::Restore(ScreenBuffers& screen) {
  if (!m_available) return false;
  screen.LoadScreen(m_pixels, m_attrs);
  m_available = false;
  return true;
}

}  // namespace tinto
