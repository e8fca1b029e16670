#pragma once
// The File menu's document flows of the main window - New, Open, Save, Save As, Import - and the
// save step of its close query: the prompts with their texts, kinds and buttons, the save and open
// dialogs, the file readers and writer, and the document's name, modified flag and title.
// Every flow stops the window's flicker timer first; those that end a pause of the display
// re-apply the "No Flic" state (NoFlicClick) at the end.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "app/editor/file_dialogs.h"
#include "app/editor/imported_picture.h"
#include "app/platform/message_service.h"
#include "core/model/screen_buffers.h"
#include "core/model/screen_geometry.h"
#include "core/status.h"

class DocumentWindow;
class TEditorSession;

inline constexpr const char* kOpenDocumentTitle = "Open Tinto Files...";
inline constexpr const char* kOpenDocumentFilter =
    "Tinto Files (*.tin)|*.tin|Ondrel Files (*.od0;*.od1)|*.od0;*.od1|All files (*.*)|*.*"
    "|Screen Dumps (*.scr;*.img)|*.scr;*.img"
    "|Multicolour Files (*.mg1;*.mg2;*.mg4;*.mg8)|*.mg1;*.mg2;*.mg4;*.mg8";

class TDocumentFlows : public QObject {
  Q_OBJECT

 public:
  // Runs the import dialog modally; the picture when it closed with OK.
  using ImportRunner = std::function<std::optional<ImportedPicture>()>;
  // Runs the import dialog modally with the photo at `path` as its source; the picture when it
  // closed with OK, none when it was cancelled or the photo could not be read.
  using PhotoImportRunner = std::function<std::optional<ImportedPicture>(const QString& path)>;
  // Writes the picture to `path`; WriteNativeFile unless replaced.
  using FileWriter =
      std::function<tinto::Status(const std::string& path, const tinto::ScreenBuffers& screen,
                                  const tinto::ScreenGeometry& geometry)>;

  // `session`, `window`, `messages` and `saveDialog` must outlive the flows.
  TDocumentFlows(TEditorSession& session, DocumentWindow& window, MessageService& messages,
                 SaveFileDialog& saveDialog, QObject* parent);

  // The open dialog shared with other commands, created after the window; not owned. Open does
  // nothing without one.
  void SetOpenDialog(OpenFileDialog* dialog) { m_openDialog = dialog; }
  // Test seam; null restores the real behaviour.
  void SetFileWriter(FileWriter writer) { m_writer = std::move(writer); }
  // The import dialog, created after the main window; Import does nothing without one.
  void SetImportRunner(ImportRunner runner) { m_importRunner = std::move(runner); }
  void SetPhotoImportRunner(PhotoImportRunner runner) { m_photoImportRunner = std::move(runner); }

  // Asks for a name when the document is untitled or `forceSaveDialog` is set, then before
  // overwriting an existing file of the chosen name, writes the file and marks the document
  // saved under that name. True when a file was written; a cancel, a declined overwrite or a
  // failed write leaves the document's name, state and modified mark as they were.
  bool SaveDocument(bool forceSaveDialog);
  // "&Save" (F2): a named document is written under its name without a prompt; one read from
  // a two-file picture asks for a name.
  void Save_11Click();
  // "Save &As" (Alt+F2): always asks for a name.
  void Save_21Click();
  void New1Click();
  void Open1Click();
  // A file given on the command line or dropped on the window: a ".tin", two-file or screen
  // file is opened as Open opens the chosen file (save-changes prompt, checks, messages, title;
  // a failed ".tin" or two-file read leaves an untitled picture); anything else goes to the
  // import dialog as its source ("Error Image." when it cannot be read). A path that exists but
  // is no regular file (a folder, a FIFO, a device) is refused first with the path and what it
  // is. `path` is absolute.
  void OpenFile(const QString& path);
  // "&Import..." (Ctrl+I): the picture, its geometry and mode come from the dialog when it
  // closes with OK, and the document becomes an untitled, modified one whose Undo gives back
  // the picture before it; no save prompt.
  void Import1Click();
  // The save-changes step of closing the window: false when the user cancels, or answers Yes
  // and the picture is not saved after all; either keeps the window open.
  bool CloseQuerySave();

 private:
  MessageAnswer AskSaveChanges(MessageButtons buttons);
  // Open's save-changes prompt: true when the picture must stay (it was to be saved and was not).
  bool KeepsUnsavedPicture();
  void OpenPictureFile(const std::string& path);
  void OpenScreenFile(const std::string& path);
  void ImportPhotoFile(const QString& path);
  bool SavedAs();
  // The chosen name, absolute, with ".tin" added by the extension rule; none when cancelled.
  std::optional<std::string> ChooseSaveName();
  bool ConfirmOverwrite(const std::string& name);
  bool ReadChosenFile(const std::string& path);
  void TakeImport(const ImportedPicture& picture);
  void StopTimer();
  void RestoreDisplay();

  TEditorSession& m_session;
  DocumentWindow& m_window;
  MessageService& m_messages;
  SaveFileDialog& m_saveDialog;
  OpenFileDialog* m_openDialog = nullptr;
  ImportRunner m_importRunner;
  PhotoImportRunner m_photoImportRunner;
  FileWriter m_writer;
};
