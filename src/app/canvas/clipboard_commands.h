#pragma once
// "Cu&t", "&Copy" and "&Paste" of the main window. Copy puts the marquee's cells on the system
// clipboard twice: as an image of the static mix, for other programs, and in the private
// format of both frames' pixels and attributes. Cut copies, then clears the marquee in the
// edited frame. Paste of the private format becomes a floating copy on the canvas; paste of
// any other image goes to the importer. The actions are enabled while they can act: copy and
// cut with a marquee, paste while the clipboard offers the private format or an image (the
// data itself is read only by Paste; a private payload that turns out malformed or larger than
// kMaxCellPayloadBytes is ignored, an image beside it is pasted instead).

#include <QObject>
#include <functional>
#include <optional>

#include "core/model/clipboard_cells.h"

class QAction;
class QImage;
class QMimeData;
class TCanvasController;
class TEditorSession;
class TViewState;

struct ClipboardActions {
  QAction* cut;
  QAction* copy;
  QAction* paste;
};

class TClipboardCommands : public QObject {
  Q_OBJECT

 public:
  // Opens the import dialog with `image` as its source.
  using ImageImporter = std::function<void(const QImage& image)>;

  // Connects the actions and follows the canvas's selection and the clipboard; everything
  // given must outlive the commands.
  TClipboardCommands(TEditorSession& session, TViewState& view, TCanvasController& canvas,
                     ClipboardActions actions, QObject* parent);

  // Without one, paste of a foreign image does nothing.
  void SetImageImporter(ImageImporter importer) { m_importer = std::move(importer); }

  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void UpdateActions();

 private:
  bool HasMarquee() const;
  QMimeData* MarqueeData() const;
  static std::optional<tinto::ClipboardCells> PastedCells(const QMimeData& data);

  TEditorSession& m_session;
  TViewState& m_view;
  TCanvasController& m_canvas;
  ClipboardActions m_actions;
  ImageImporter m_importer;
};
