#pragma once
// How the editor undoes: the one door every change of the picture goes through. The editor
// opens a change before it writes into the picture and closes it after (a pencil stroke from
// press to release); the keeper decides what that means for Undo, Redo and the modified mark.
// Two keepers exist: the single snapshot (SnapshotUndo) and the step history (UndoHistory).

#include <cstdint>
#include <optional>

namespace tinto {

// What a change of the picture was, as the Edit menu names it.
enum class ChangeKind : std::uint8_t {
  Stroke,      // the pencil, press to release
  Drop,        // a floating copy lifted from the picture, dropped
  Paste,       // a pasted floating copy, dropped
  Cut,         // the marquee's cells cleared by Cut
  Import,      // a whole picture taken in (the Import Expert's result)
  TotalWidth,  // DX
  DY,
  MltWindow,  // MLT Left or MLT Width
  AttrMode,   // "8x1 + 8x8" or "8x2 Full Screen"
};

// "Stroke", "Drop", "Paste", "Cut", "Import", "Total Width", "DY", "MLT Window", "Mode".
const char* ChangeName(ChangeKind kind);

// True for the kinds that change only the geometry, never a byte of the picture.
constexpr bool ChangesGeometryOnly(ChangeKind kind) { return kind >= ChangeKind::TotalWidth; }

class UndoKeeper {
 public:
  virtual ~UndoKeeper() = default;

  // Before a change. A change already open of the same kind stays open, so a stroke may call
  // this before each of its plots; one of another kind is closed first. True when a change was
  // opened by this call.
  virtual bool BeginChange(ChangeKind kind) = 0;
  // After the change; nothing while none is open. True when a change was closed.
  virtual bool EndChange() = 0;
  // Each closes an open change first. False when there was nothing to undo or redo.
  virtual bool Undo() = 0;
  virtual bool Redo() = 0;
  virtual bool CanUndo() const = 0;
  virtual bool CanRedo() const = 0;
  // What Undo or Redo would act on; none when it cannot act or the keeper does not say.
  virtual std::optional<ChangeKind> NextUndo() const = 0;
  virtual std::optional<ChangeKind> NextRedo() const = 0;
  // The document's modified mark.
  virtual bool Modified() const = 0;
  // The picture was written to its file.
  virtual void MarkSaved() = 0;
  // New and Open: nothing held, not modified.
  virtual void Restart() = 0;

 protected:
  UndoKeeper() = default;
  UndoKeeper(const UndoKeeper&) = default;
  UndoKeeper& operator=(const UndoKeeper&) = default;
};

}  // namespace tinto
