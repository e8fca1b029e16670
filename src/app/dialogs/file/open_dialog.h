#pragma once
// The program's own file-open dialog, created once and reused by every caller (open a
// document, choose an import source picture, choose a skin). Each caller runs it with its own
// OpenRequest (title, file types, preview) and gets the chosen file back. The dialog keeps its
// folder, the candidate path, the name box, the preview picture, the view style, the preview size
// and the folder tree's roll-up state from run to run. Paths use "/" as the separator. Child
// controls carry their design names as object names
// ("pnTools", "btLevUp", "sbL1".."sbL4", "sbStretch", "pnEdits", "Label1", "edFileName",
// "Label2", "Filters", "btOpen", "btCancel", "pnDir", "DirList", "pnFiles", "FileList",
// "spltImage", "pnImage", "sboxImage", "Image1").

#include <QDialog>
#include <QImage>
#include <array>
#include <functional>

#include "app/editor/file_dialogs.h"

namespace tinto {
class IniFile;
}
class MessageService;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QToolButton;
class TFileList;
class TFolderTree;
class TKelImage;
class TRollUpPanel;
class TSideSplitter;

inline constexpr const char* kOpenCreationFilter = "Ondrel Files (*.od)|*.od?|All files (*.*)|*.*";
// PNG and GIF, which the picture loaders read as well, are offered beside the classic kinds (a
// picture the program can import should not be hidden by the list); "All" still ends in *.wmf,
// the extension a typed name without one is given.
inline constexpr const char* kOpenPictureFilter =
    "All (*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.emf;*.wmf)|"
    "*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.emf;*.wmf|"
    "JPEG Image File (*.jpg;*.jpeg)|*.jpg;*.jpeg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
    "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|"
    "PNG Image File (*.png)|*.png|GIF Image File (*.gif)|*.gif";

class TfrmOpen : public QDialog, public OpenFileDialog {
  Q_OBJECT

 public:
  static constexpr int kDesignClientWidth = 622;
  static constexpr int kDesignClientHeight = 361;

  // Reads "Open TreePanelState" from `settings`; the folder starts at `programDir`, or in the
  // working folder when `programDir` is not writable (an installed program). Messages
  // ("Error Image.") go to `messages`, which must outlive the dialog.
  TfrmOpen(const tinto::IniFile& settings, MessageService& messages, const QString& programDir,
           QWidget* parent = nullptr);
  ~TfrmOpen() override;

  // Runs a dialog set up for its request in place of the modal exec(); true when it ended
  // with OK. Tests script the dialog through it.
  using Runner = std::function<bool(TfrmOpen& dialog)>;

  // Null (the default) runs the dialog modally.
  void SetRunner(Runner runner) { m_runner = std::move(runner); }
  // Sets the dialog up for `request` and runs it; FileName when it ended with OK.
  std::optional<QString> Execute(const OpenRequest& request) override;
  // Sets the dialog up for `request` and shows it without blocking; the run ends when the
  // dialog hides, with result() Accepted or Rejected.
  void Start(const OpenRequest& request);
  // Shows the dialog as the last request set it up, without blocking (for runners).
  void Start();

  bool ShowPicture() const { return m_showPicture; }
  const QString& Title() const { return m_title; }
  const QString& Filter() const { return m_filter; }
  // Shown when the dialog is next activated; updated from the list whenever it deactivates.
  const QString& Directory() const { return m_directory; }
  void SetDirectory(const QString& directory) { m_directory = directory; }
  // Full path of the chosen file, set only when a run ends with OK.
  const QString& FileName() const { return m_fileName; }
  // The candidate path from the last file click or typed name, kept between runs.
  const QString& SelectedPath() const { return m_selectedPath; }
  // The folder tree's roll-up state, for the settings file.
  bool TreeRolledUp() const;

  TRollUpPanel* PnDir() const { return m_pnDir; }
  TFolderTree* DirList() const { return m_dirList; }
  TFileList* FileList() const { return m_fileList; }
  QLineEdit* EdFileName() const { return m_edFileName; }
  QComboBox* Filters() const { return m_filters; }
  QPushButton* BtOpen() const { return m_btOpen; }
  QPushButton* BtCancel() const { return m_btCancel; }
  QPushButton* BtLevUp() const { return m_btLevUp; }
  QToolButton* SbStretch() const { return m_sbStretch; }
  TKelImage* Image1() const { return m_image1; }
  QWidget* PnImage() const { return m_pnImage; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Prepare(const OpenRequest& request);
  void CreateControls();
  QWidget* CreateToolsPanel();
  QWidget* CreateEditsPanel();
  void SizeEditControls();
  QWidget* CreateMiddle();
  QWidget* CreateImagePanel();
  void ConnectControls();

  void FormCreate(const tinto::IniFile& settings, const QString& programDir);
  void FormActivate();
  void FormDeactivate();
  void FormResize();
  void SbLClick(int index);
  void SbStretchClick();
  void BtLevUpClick();
  void BtOpenClick();
  void FiltersChange();
  void FileListClick();
  void FileListDblClick();
  void FileListSelectItem(bool selected);
  void DirListDblClick();
  void PnDirChangeRollState();
  void AcceptTypedName();
  void FollowListFolder();
  void LoadPreview(const QString& path);

  MessageService& m_messages;
  Runner m_runner;
  bool m_showPicture = false;
  QString m_title;
  QString m_filter;
  QString m_directory;
  QString m_fileName;
  QString m_selectedPath;
  // The filter text the type box was last given (its items are that filter's descriptions).
  QString m_typeBoxFilter;
  QImage m_preview;
  bool m_previewStretched = false;

  QWidget* m_pnTools = nullptr;
  QPushButton* m_btLevUp = nullptr;
  std::array<QToolButton*, 4> m_sbL{};
  QToolButton* m_sbStretch = nullptr;
  QWidget* m_middle = nullptr;
  TRollUpPanel* m_pnDir = nullptr;
  TFolderTree* m_dirList = nullptr;
  TSideSplitter* m_dirSplitter = nullptr;
  TFileList* m_fileList = nullptr;
  TSideSplitter* m_spltImage = nullptr;
  QWidget* m_pnImage = nullptr;
  QScrollArea* m_sboxImage = nullptr;
  TKelImage* m_image1 = nullptr;
  QWidget* m_pnEdits = nullptr;
  QLabel* m_label1 = nullptr;
  QLineEdit* m_edFileName = nullptr;
  QLabel* m_label2 = nullptr;
  QComboBox* m_filters = nullptr;
  QPushButton* m_btOpen = nullptr;
  QPushButton* m_btCancel = nullptr;
};
