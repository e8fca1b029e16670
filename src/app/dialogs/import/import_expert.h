#pragma once
// The modal dialog "Import Expert": the user opens a picture, crops it, sets the conversion
// options and watches both converted frames alternate before taking the result. Created once
// at start-up (it reads its section of the settings file) and shown again for every import;
// its controls, its picture and its last conversion stay from one run to the next.
//
// Conversions and the slider handlers do nothing while the dialog is hidden, no picture is
// loaded, or `ImportReady` is off: from creation until the dialog is shown, while the dialog
// rewrites its own size controls, and while another window is active. Controls carry their
// design names as object names (see the headers of its panes and bars).

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "app/dialogs/import/import_quality.h"
#include "app/dialogs/import/import_settings.h"
#include "app/dialogs/import/import_source.h"
#include "app/editor/imported_picture.h"
#include "app/platform/async_timer.h"
#include "core/import/import_options.h"
#include "core/import/import_result.h"
#include "core/model/bitmap.h"

namespace tinto {
class IniFile;
}
class MessageService;
class QCheckBox;
class QComboBox;
class QPushButton;
class QSlider;
class QSpinBox;
class TDestinationPane;
class TfrmOpen;
class TImportSliders;
class TImportStatusBar;
class TImportToolBar;
class TSourcePane;

inline constexpr const char* kImportErrorText = "Error Image.";
inline constexpr const char* kOpenPictureTitle = "Open Picture...";

// What the dialog reads from other windows each time it is shown or ticks.
struct ImportExpertLinks {
  std::function<quint16()> flickerInterval;  // the main window's flicker timer interval
  std::function<bool()> vsync;               // the colour chooser's "VSync"
};

class TImportExpert : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kDesignClientWidth = 714;
  static constexpr int kDesignClientHeight = 483;

  // Runs a prepared open dialog in place of its modal Execute(); true when it ended with OK.
  using OpenRunner = std::function<bool(TfrmOpen& dialog)>;

  // Reads section "Import" of `settings`. "Error Image." goes to `messages`, which must
  // outlive the dialog.
  TImportExpert(const tinto::IniFile& settings, MessageService& messages, ImportExpertLinks links,
                QWidget* parent = nullptr);
  ~TImportExpert() override;

  // The shared picture open dialog, created after this one; "Open Source" does nothing without.
  void SetOpenDialog(TfrmOpen* dialog) { m_openDialog = dialog; }
  // Test seam; null restores the modal run.
  void SetOpenRunner(OpenRunner runner) { m_openRunner = std::move(runner); }

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
  // "Auto": the dithered options searched for this picture go into the controls ("Dither" and
  // "Bright" too), then the picture is converted with them.
  void AutoClick();

  bool ImportReady() const { return m_importReady; }
  const TImportSource& SourcePicture() const { return m_source; }
  const tinto::ImportResult& Result() const { return m_result; }
  TAsyncTimer& Timer() { return m_timer; }

  TImportToolBar* ToolBar() const { return m_toolBar; }
  TSourcePane* SBSource() const { return m_sbSource; }
  TImportSliders* Sliders() const { return m_sliders; }
  TDestinationPane* SBDestin() const { return m_sbDestin; }
  TImportStatusBar* PnStatus() const { return m_pnStatus; }
  QCheckBox* CBStretch() const { return m_cbStretch; }
  QComboBox* Filters() const { return m_filters; }
  QComboBox* Method() const { return m_method; }  // "Classic" (index 0) or "Perceptual"
  QCheckBox* CBDither() const { return m_cbDither; }
  QCheckBox* TintoMode() const { return m_tintoMode; }
  QPushButton* OK() const { return m_ok; }
  QPushButton* Cancel() const { return m_cancel; }

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateControls();
  QCheckBox* AddCheck(const char* name, const char* caption);
  void ConnectControls();
  QSize MinimumClientSize() const;
  std::array<QWidget*, 6> BottomRowControls() const;
  int BottomRowWidth() const;

  void FormCreate(const tinto::IniFile& settings);
  void LoadImportSettings(const tinto::IniFile& settings);
  void FormShow();
  void FormActivate();
  void FormDeactivate();
  void FormResize();
  void LayoutBottomRow(int top);
  void EnableImportControls();
  void UpdateStatusLabels();
  void FitSizeToPicture();
  void ClampMltWindow();
  bool PrepareSource();
  void LoadSourceFile(const QString& path);
  std::optional<tinto::Bitmap24> ReadSourceFile(const QString& path);
  void ReplacePicture(tinto::Bitmap24 picture);
  void FinishOpening();
  void CropPicture(const tinto::PixelRect& rect);
  void SliderChange(int index);
  void RTClick();
  void DXChange();
  void TMagnifyChange();
  void SizePreviews();
  void ShowPreviews();
  void ShowMltLines();
  void TimerTimer();

  tinto::ImportOptions Options() const;
  tinto::ScreenGeometry Geometry() const;
  int Magnify() const;
  const tinto::ResampleFilter& Filter() const;

  MessageService& m_messages;
  ImportExpertLinks m_links;
  TfrmOpen* m_openDialog = nullptr;
  OpenRunner m_openRunner;
  TAsyncTimer m_timer;
  bool m_importReady = false;
  TImportSource m_source;
  std::optional<tinto::Bitmap24> m_queuedSource;
  tinto::Bitmap24 m_dest1;
  tinto::Bitmap24 m_dest2;
  tinto::ImportResult m_result;
  TImportQuality m_quality;

  TImportToolBar* m_toolBar = nullptr;
  TSourcePane* m_sbSource = nullptr;
  TImportSliders* m_sliders = nullptr;
  TDestinationPane* m_sbDestin = nullptr;
  TImportStatusBar* m_pnStatus = nullptr;
  QCheckBox* m_cbStretch = nullptr;
  QComboBox* m_filters = nullptr;
  QComboBox* m_method = nullptr;
  QCheckBox* m_cbDither = nullptr;
  QCheckBox* m_bright = nullptr;
  QCheckBox* m_tintoMode = nullptr;
  QPushButton* m_ok = nullptr;
  QPushButton* m_cancel = nullptr;
};
