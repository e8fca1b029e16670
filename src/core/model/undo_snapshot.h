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

 private:
  ScreenBlock m_pixels{};
  ScreenBlock m_attrs{};
  bool m_available = false;
};

}  // namespace tinto
