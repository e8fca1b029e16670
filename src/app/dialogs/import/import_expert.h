#pragma once
// The modal dialog "Import Expert": the user opens a picture, crops it, sets the conversion
// options and watches both converted frames alternate before taking the result. Created once
// at start-up (it reads its section of the settings file) and shown again for every import;
// its controls, its picture and its last conversion stay from one run to the next. The import
// itself (picture, options, conversion, quality, Auto) is an ImportSession, the same the
// `tinto` tool runs: the dialog reads its controls into it and shows what it holds.
//
// Conversions and the slider handlers do nothing while the dialog is hidden, no picture is
// loaded, or `ImportReady` is off: from creation until the dialog is shown, while the dialog
// rewrites its own controls, and while another window is active. Controls carry their design
// names as object names (see the headers of its panes and bars); each option's control is the
// one the option table names.

#include <QDialog>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "app/dialogs/import/import_option_controls.h"
#include "app/dialogs/import/import_settings.h"
#include "app/editor/imported_picture.h"
#include "app/platform/async_timer.h"
#include "core/session/import_session.h"

namespace tinto {
class IniFile;
}
class MessageService;
class QPushButton;
class TDestinationPane;
class OpenFileDialog;
class TImportSliders;
class TImportStatusBar;
class TImportToolBar;
class TSourcePane;

inline constexpr const char* kImportErrorText = "Error Image.";
inline constexpr const char* kOpenPictureTitle = "Open Picture...";

// What the dialog reads from other windows each time it is shown or ticks.
struct ImportExpertLinks {
  std::function<quint16()> flickerInterval;  // the main window's flicker timer interval
  std::function<bool()> vsync;               // the view state's "VSync"
};

class TImportExpert : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kDesignClientWidth = 714;
  static constexpr int kDesignClientHeight = 483;

  // Reads section "Import" of `settings`. "Error Image." goes to `messages`, which must
  // outlive the dialog.
  TImportExpert(const tinto::IniFile& settings, MessageService& messages, ImportExpertLinks links,
                QWidget* parent = nullptr);
  ~TImportExpert() override;

  // The shared picture open dialog, created after this one; "Open Source" does nothing without.
  void SetOpenDialog(OpenFileDialog* dialog) { m_openDialog = dialog; }

  // Runs the dialog modally; the picture when it closed with OK.
  std::optional<ImportedPicture> Run();
  // Shows the dialog without blocking; the run ends when it hides, with result() Accepted or
  // Rejected.
  void Start();
  // Lays the dialog out again in the current style (after a skin change): its minimum size
  // follows the controls' new sizes, and every control is placed again.
  void Relayout();
  // The geometry the controls show and the last conversion.
  ImportedPicture Picture() const;

  // The section "Import" as the controls hold it now, and its write.
  ImportSettings CurrentSettings() const;
  tinto::Status WriteImportSettings(tinto::IniFile& ini) const;

  // "Open Source" (also Ctrl+O): the picture open dialog, then the chosen picture.
  void OBMPClick();
  // The picture at `path` as if chosen in the open dialog (a file dropped on the dialog).
  void OpenSourceFile(const QString& path);
  // `image` as the source picture, as if opened from a file (an image pasted in the editor);
  // a null image gives "Error Image.".
  void OpenSourceImage(const QImage& image);
  // Reads the picture at `path` to become the source when the dialog is next shown, as if it
  // were dropped on the dialog then; "Error Image." and false when it cannot be read.
  bool QueueSourceFile(const QString& path);
  void ConvertImport();
  void ComputeLevelPreview();
  // "Auto": both methods considered (auto_options.h); the choice goes into the controls, its
  // conversion is shown, and the status bar says which method was chosen.
  void AutoClick();

  bool ImportReady() const { return m_importReady; }
  const tinto::ImportSession& Session() const { return m_session; }
  const tinto::ImportResult& Result() const { return m_session.Result(); }
  TAsyncTimer& Timer() { return m_timer; }

  TImportToolBar* ToolBar() const { return m_toolBar; }
  TSourcePane* SBSource() const { return m_sbSource; }
  TImportSliders* Sliders() const { return m_sliders; }
  TDestinationPane* SBDestin() const { return m_sbDestin; }
  TImportStatusBar* PnStatus() const { return m_pnStatus; }
  // The control of the option of that name in the option table ("CBDither", "Method", "DX").
  template <typename Control>
  Control* Option(std::string_view name) const {
    return qobject_cast<Control*>(m_controls.Control(name));
  }
  QPushButton* OK() const { return m_ok; }
  QPushButton* Cancel() const { return m_cancel; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The queued picture and what its loader said of it.
  struct LoadedPicture {
    tinto::Bitmap24 picture;
    bool truncated = false;
  };

  void CreateControls();
  void ConnectControls();
  void KeepEnterInSpinBoxes();
  QSize MinimumClientSize() const;
  int BottomRowWidth() const;

  void FormCreate(const tinto::IniFile& settings);
  void LoadImportSettings(const tinto::IniFile& settings);
  void FormShow();
  void FormActivate();
  void FormDeactivate();
  void FormResize();
  void LayoutBottomRow(int top);
  void EnableImportControls();
  void EnableOptions();
  void UpdateStatusLabels();
  void FitSizeToPicture();
  void ShowOptions(tinto::ImportOptions options);
  void ShowConversion();
  void LoadSourceFile(const QString& path);
  std::optional<LoadedPicture> ReadSourceFile(const QString& path);
  void ReplacePicture(LoadedPicture loaded);
  void FinishOpening();
  void CropPicture(const tinto::PixelRect& rect);
  void OptionChange(const tinto::ImportOptionRow& row);
  void SliderChange(int index);
  void RTClick();
  void TMagnifyChange();
  void SizePreviews();
  void ShowPreviews();
  void ShowMltLines();
  void TimerTimer();

  // The options as the controls hold them (the options the dialog does not show as the session
  // has them).
  tinto::ImportOptions Options() const;
  int Magnify() const;

  MessageService& m_messages;
  ImportExpertLinks m_links;
  OpenFileDialog* m_openDialog = nullptr;
  TAsyncTimer m_timer;
  bool m_importReady = false;
  tinto::ImportSession m_session;
  std::optional<LoadedPicture> m_queuedSource;
  QString m_openingNote;  // what the status bar says once the picture being opened is shown

  TImportToolBar* m_toolBar = nullptr;
  TSourcePane* m_sbSource = nullptr;
  TImportSliders* m_sliders = nullptr;
  TDestinationPane* m_sbDestin = nullptr;
  TImportStatusBar* m_pnStatus = nullptr;
  std::vector<QWidget*> m_bottomRow;  // the options' controls of the bottom row, left to right
  TOptionControls m_controls;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
};
