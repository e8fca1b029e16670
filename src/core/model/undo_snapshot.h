#pragma once
// The single undo snapshot: copies of both whole blocks, and whether undo is available (the
// enabled state of the editor's Undo command).

#include "core/model/screen_buffers.h"

namespace tinto {

class UndoSnapshot {
 public:
  bool Available() const { return m_available; }
  // Copies the screen in and makes undo available.
  void Take(const ScreenBuffers& screen);
  // Copies the snapshot back and makes undo unavailable. Does nothing while unavailable.
  bool Restore(ScreenBuffers& screen);
  void Disable() { m_available = false; }

  // The copies themselves; their content means something only while Available().
  const ScreenBlock& Pixels() const { return m_pixels; }
  const ScreenBlock& Attrs() const { return m_attrs; }

 private:
  ScreenBlock m_pixels{};
  ScreenBlock m_attrs{};
  bool m_available = false;
};

}  // namespace tinto
