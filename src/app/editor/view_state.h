#pragma once
// The main window's current settings: the edited frame, magnification, draw mode, grid, tool,
// pencil size, the four current colours, the "Bright", "Transparent", "Attributes" and
// "No Flic" boxes, and the display options the colour chooser shows (the master "No Flic" and
// "VSync"). Windows show and edit them; the canvas, the document flows and the settings pass
// read and write them here.
//
// Every setter stores its value (clamped to the control's range) and announces it with
// Changed, also when the value is unchanged: applying a setting runs the handlers of the
// controls that show it, as a user's change would. Listeners must not set the same setting
// again from their Changed handler.

#include <QObject>
#include <cstdint>

#include "core/model/pencil.h"
#include "core/model/tool_button.h"

enum class ViewSetting {
  EditedFrame,
  Magnification,
  DrawMode,
  Grid,
  Tool,
  PencilSize,
  Colors,
  Bright,
  Transparent,
  Attributes,
  NoFlic,
  MasterNoFlic,
  VSync,
};

class TViewState : public QObject {
  Q_OBJECT

 public:
  // 0 (screen "1") or 1 (screen "2").
  int EditedFrame() const { return m_editedFrame; }
  void SetEditedFrame(int frame);
  // 1..10.
  int Magnification() const { return m_magnification; }
  void SetMagnification(int factor);
  tinto::DrawMode DrawMode() const { return m_drawMode; }
  void SetDrawMode(tinto::DrawMode mode);
  bool Grid() const { return m_grid; }
  void SetGrid(bool on);
  // Never None: setting None is ignored.
  tinto::ToolButton Tool() const { return m_tool; }
  void SetTool(tinto::ToolButton tool);
  // 1..50.
  int PencilSize() const { return m_pencilSize; }
  void SetPencilSize(int size);

  // Inks in ink form (bits 0-2 and 6), papers in paper form (bits 3-5 and 6); other bits are
  // dropped. Setting a colour announces Colors but redraws nothing by itself.
  std::uint8_t Ink1() const { return m_ink1; }
  std::uint8_t Paper1() const { return m_paper1; }
  std::uint8_t Ink2() const { return m_ink2; }
  std::uint8_t Paper2() const { return m_paper2; }
  void SetInk1(int ink);
  void SetPaper1(int paper);
  void SetInk2(int ink);
  void SetPaper2(int paper);
  // Attribute bytes of the current colours for frame 0 and frame 1.
  std::uint8_t Attr1() const { return m_ink1 | m_paper1; }
  std::uint8_t Attr2() const { return m_ink2 | m_paper2; }

  bool Bright() const { return m_bright; }
  void SetBright(bool on);
  bool Transparent() const { return m_transparent; }
  void SetTransparent(bool on);
  bool Attributes() const { return m_attributes; }
  void SetAttributes(bool on);
  bool NoFlic() const { return m_noFlic; }
  void SetNoFlic(bool on);
  // The master "No Flic" state: "No Flic" takes it each time the main window is activated and
  // each time the colour chooser closes; the chooser starts from "No Flic" and edits it.
  bool MasterNoFlic() const { return m_masterNoFlic; }
  void SetMasterNoFlic(bool on);
  // "VSync": every flicker tick waits for the vertical retrace.
  bool VSync() const { return m_vSync; }
  void SetVSync(bool on);

  // The pencil writes attributes: "Attributes" on and "Transparent" off.
  bool WritesAttributes() const { return m_attributes && !m_transparent; }
  // Frame 0's images show, or the static mix is shown in them.
  bool ShowsFirstImages() const { return m_editedFrame == 0 || m_noFlic; }

 signals:
  void Changed(ViewSetting what);

 private:
  template <typename T>
  void Store(T& member, T value, ViewSetting what) {
    member = value;
    emit Changed(what);
  }

  int m_editedFrame = 0;
  int m_magnification = 4;
  tinto::DrawMode m_drawMode = tinto::DrawMode::Or;
  bool m_grid = true;
  tinto::ToolButton m_tool = tinto::ToolButton::Pencil;
  int m_pencilSize = 1;
  std::uint8_t m_ink1 = 0x47;
  std::uint8_t m_paper1 = 0;
  std::uint8_t m_ink2 = 0x47;
  std::uint8_t m_paper2 = 0;
  bool m_bright = true;
  bool m_transparent = false;
  bool m_attributes = false;
  bool m_noFlic = true;
  bool m_masterNoFlic = true;
  bool m_vSync = true;
};
