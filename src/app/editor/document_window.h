#pragma once
// What the document flows need of the window that shows the document: pausing and restoring
// its display, and showing a picture that replaced the previous one. The main window
// implements it; the flows never see its widgets.

class DocumentWindow {
 public:
  virtual ~DocumentWindow() = default;

  // Stops the flicker timer.
  virtual void PauseDisplay() = 0;
  // Re-applies the "No Flic" state: full render, timer on or off, preview visibility.
  virtual void RestoreDisplay() = 0;
  // Forgets the canvas selection, which belongs to the picture being replaced.
  virtual void DropSelection() = 0;
  // The session's picture and geometry were replaced: the geometry controls and the mode
  // ticks show the geometry, and the display bitmaps are re-created and rendered.
  virtual void ShowNewPicture() = 0;

 protected:
  DocumentWindow() = default;
  DocumentWindow(const DocumentWindow&) = default;
  DocumentWindow& operator=(const DocumentWindow&) = default;
};
