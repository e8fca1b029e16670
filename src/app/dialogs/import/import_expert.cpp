#include "app/dialogs/import/import_expert.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>

#include "app/dialogs/file/open_dialog.h"
#include "app/dialogs/import/destination_pane.h"
#include "app/dialogs/import/import_sliders.h"
#include "app/dialogs/import/import_status_bar.h"
#include "app/dialogs/import/import_tool_bar.h"
#include "app/dialogs/import/source_pane.h"
#include "app/platform/message_service.h"
#include "app/platform/vertical_retrace.h"
#include "app/platform/window_placement.h"
#include "app/skin/control_metrics.h"
#include "app/skin/window_relayout.h"
#include "core/import/convert_import.h"
#include "core/import/import_previews.h"
#include "core/import/level_preview.h"
#include "picture/bitmap_image.h"
#include "picture/picture_io.h"

namespace {

constexpr int kMargin = 5;
constexpr int kPaneGap = 10;
constexpr int kBottomGap = 15;
constexpr int kRowGap = 10;
constexpr quint16 kDesignInterval = 5;

}  // namespace

TImportExpert::TImportExpert(const tinto::IniFile& settings, MessageService& messages,
                             ImportExpertLinks links, QWidget* parent)
    : QDialog(parent), m_messages(messages), m_links(std::move(links)) {
  setObjectName(QStringLiteral("ImportExpert"));
  setWindowTitle(QStringLiteral("Import Expert"));
  setAcceptDrops(true);
  m_timer.SetThreadPriority(QThread::HighestPriority);
  m_timer.SetInterval(kDesignInterval);
  m_timer.SetOnTimer([this] { TimerTimer(); });
  CreateControls();
  ConnectControls();
  setMinimumSize(MinimumClientSize());
  resize(QSize(kDesignClientWidth, kDesignClientHeight).expandedTo(minimumSize()));
  FormCreate(settings);
  // The drop-downs have their items now, and the bottom row its full width.
  setMinimumSize(MinimumClientSize());
  resize(size().expandedTo(minimumSize()));
}

TImportExpert::~TImportExpert() { m_timer.SetEnabled(false); }

void TImportExpert::CreateControls() {
  m_toolBar = new TImportToolBar(this);
  m_sbSource = new TSourcePane(this);
  m_sliders = new TImportSliders(this);
  m_sbDestin = new TDestinationPane(this);
  m_cbStretch = AddCheck("CBStretch", "Stretch");
  m_filters = new QComboBox(this);
  m_filters->setObjectName(QStringLiteral("Filters"));
  m_method = new QComboBox(this);
  m_method->setObjectName(QStringLiteral("Method"));
  m_method->setToolTip(QStringLiteral("Method"));
  // Their items come after the first layout: the width follows them, so no name is clipped.
  for (QComboBox* combo : {m_filters, m_method})
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  m_cbDither = AddCheck("CBDither", "Dither");
  m_bright = AddCheck("Bright", "Bright");
  m_tintoMode = AddCheck("TintoMode", "Tinto 8x2 Full Screen");
  m_ok = new QPushButton(QStringLiteral("OK"), this);
  m_ok->setObjectName(QStringLiteral("OK"));
  m_ok->setDefault(true);
  m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
  m_cancel->setObjectName(QStringLiteral("Cancel"));
  m_cancel->setAutoDefault(false);
  m_pnStatus = new TImportStatusBar(this);
  auto* openSource = new QAction(this);
  openSource->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  addAction(openSource);
  connect(openSource, &QAction::triggered, this, &TImportExpert::OBMPClick);
}

QCheckBox* TImportExpert::AddCheck(const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), this);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}

void TImportExpert::ConnectControls() {
  connect(m_toolBar->OBMP(), &QPushButton::clicked, this, &TImportExpert::OBMPClick);
  connect(m_toolBar->DX(), &QSpinBox::valueChanged, this, &TImportExpert::DXChange);
  connect(m_toolBar->DY(), &QSpinBox::valueChanged, this, &TImportExpert::DXChange);
  connect(m_toolBar->MLTWidth(), &QSpinBox::valueChanged, this, &TImportExpert::ConvertImport);
  connect(m_toolBar->MLTLeft(), &QSpinBox::valueChanged, this, &TImportExpert::ConvertImport);
  connect(m_toolBar->TMagnify(), &QSpinBox::valueChanged, this, &TImportExpert::TMagnifyChange);
  connect(m_sliders, &TImportSliders::SliderChanged, this, &TImportExpert::SliderChange);
  connect(m_sliders, &TImportSliders::StepFinished, this, &TImportExpert::ConvertImport);
  connect(m_sliders->Conv(), &QPushButton::clicked, this, &TImportExpert::ConvertImport);
  connect(m_sliders->Auto(), &QPushButton::clicked, this, &TImportExpert::AutoClick);
  connect(m_sliders->RT(), &QCheckBox::toggled, this, &TImportExpert::RTClick);
  for (QCheckBox* box : {m_cbStretch, m_cbDither, m_bright, m_tintoMode})
    connect(box, &QCheckBox::toggled, this, &TImportExpert::ConvertImport);
  connect(m_filters, &QComboBox::currentIndexChanged, this, &TImportExpert::ConvertImport);
  connect(m_method, &QComboBox::currentIndexChanged, this, [this] {
    EnableImportControls();
    ConvertImport();
  });
  connect(m_sbSource, &TSourcePane::CropRequested, this, &TImportExpert::CropPicture);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TImportExpert::FormCreate(const tinto::IniFile& settings) {
  m_importReady = false;
  LoadImportSettings(settings);
  for (const tinto::ResampleFilter& filter : tinto::kResampleFilters)
    m_filters->addItem(QString::fromLatin1(filter.name.data(), filter.name.size()));
  m_filters->setCurrentIndex(tinto::kDefaultResampleFilter);
  for (tinto::ImportMethod method :
       {tinto::ImportMethod::Classic, tinto::ImportMethod::Perceptual}) {
    const std::string_view name = tinto::ImportMethodName(method);
    m_method->addItem(QString::fromLatin1(name.data(), static_cast<int>(name.size())));
  }
  for (int index = 0; index < TImportSliders::kSliderCount; ++index)
    m_sliders->Slider(index)->setEnabled(false);
  m_sliders->Conv()->setEnabled(false);
}

void TImportExpert::LoadImportSettings(const tinto::IniFile& settings) {
  const ImportSettings s = ReadImportSettings(settings, CentredOnScreen(size()));
  const int sliderValues[] = {s.LR, s.LG, s.LB, s.HTH, s.Contrast, s.HR, s.HG, s.HB};
  for (int index = 0; index < TImportSliders::kSliderCount; ++index)
    m_sliders->Slider(index)->setValue(sliderValues[index]);
  m_sliders->LLink()->setChecked(s.lowLink);
  m_sliders->HLink()->setChecked(s.hiLink);
  m_sliders->RT()->setChecked(s.realTime);
  m_cbStretch->setChecked(s.stretch);
  m_toolBar->MLTWidth()->setValue(s.mltWidth);
  m_toolBar->DY()->setValue(s.DY);
  m_toolBar->TMagnify()->setValue(s.magnify);
  m_cbDither->setChecked(s.dither);
  setGeometry(FittedToScreen(s.bounds));
  m_tintoMode->setChecked(s.tinto8x2);
}

ImportSettings TImportExpert::CurrentSettings() const {
  ImportSettings s;
  const tinto::ImportOptions o = Options();
  s.LR = o.LR;
  s.LG = o.LG;
  s.LB = o.LB;
  s.HTH = o.HTH;
  s.Contrast = o.Contrast;
  s.HR = o.HR;
  s.HG = o.HG;
  s.HB = o.HB;
  s.lowLink = m_sliders->LLink()->isChecked();
  s.hiLink = m_sliders->HLink()->isChecked();
  s.realTime = m_sliders->RT()->isChecked();
  s.stretch = m_cbStretch->isChecked();
  s.mltWidth = o.MLTWidth;
  s.DY = o.DY;
  s.magnify = Magnify();
  s.dither = o.Dither;
  s.bounds = geometry();
  s.tinto8x2 = o.TintoMode;
  return s;
}

tinto::Status TImportExpert::WriteImportSettings(tinto::IniFile& ini) const {
  return ::WriteImportSettings(ini, CurrentSettings());
}

std::optional<ImportedPicture> TImportExpert::Run() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Picture();
}

void TImportExpert::Start() {
  setResult(QDialog::Rejected);
  show();
}

void TImportExpert::Relayout() {
  setMinimumSize(MinimumClientSize());
  resize(size().expandedTo(minimumSize()));
  RelayOutWindow(*this);
}

ImportedPicture TImportExpert::Picture() const { return {Geometry(), m_result}; }

void TImportExpert::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TImportExpert::FormShow() {
  m_timer.SetInterval(m_links.flickerInterval ? m_links.flickerInterval() : kDesignInterval);
  m_ok->setFocus();
  m_sliders->RememberValues();
  TMagnifyChange();
  EnableImportControls();
  UpdateStatusLabels();
  m_importReady = true;
  if (!m_queuedSource) return;
  m_timer.SetEnabled(false);
  ReplacePicture(std::move(*m_queuedSource));
  m_queuedSource.reset();
  FinishOpening();
}

// A closed dialog never flickers, whether or not the window system reported a deactivation.
void TImportExpert::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  m_timer.SetEnabled(false);
}

void TImportExpert::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow())
    FormActivate();
  else
    FormDeactivate();
}

// Coming back from another window finds the dialog as it was left: a picture keeps converting
// and flickering without the dialog being shown again.
void TImportExpert::FormActivate() {
  if (!isVisible() || !m_source.Loaded()) return;
  m_importReady = true;
  m_timer.SetEnabled(true);
}

void TImportExpert::FormDeactivate() {
  m_timer.SetEnabled(false);
  m_importReady = false;
}

void TImportExpert::EnableImportControls() {
  const bool loaded = m_source.Loaded();
  // The thresholds, contrast, Dither and Bright are the classic conversion's options only.
  const bool classic = loaded && m_method->currentIndex() == 0;
  for (int index = 0; index < TImportSliders::kSliderCount; ++index)
    m_sliders->Slider(index)->setEnabled(classic);
  for (QWidget* control :
       std::initializer_list<QWidget*>{m_sliders->RT(), m_sliders->LLink(), m_sliders->HLink(),
                                       m_sliders->Auto(), m_cbStretch, m_filters, m_method})
    control->setEnabled(loaded);
  m_cbDither->setEnabled(classic);
  m_bright->setEnabled(m_method->currentIndex() == 0);
  m_sliders->Slider(TImportSliders::kContrast)->setEnabled(classic && m_cbDither->isChecked());
  m_sliders->Conv()->setEnabled(loaded && !m_sliders->RT()->isChecked());
  m_timer.SetEnabled(loaded);
}

void TImportExpert::UpdateStatusLabels() { m_pnStatus->ShowValues(Options()); }

void TImportExpert::SliderChange(int index) {
  if (!isVisible() || !m_importReady) return;
  m_sliders->LinkedMove(index);
  UpdateStatusLabels();
  if (m_sliders->RT()->isChecked()) ComputeLevelPreview();
}

void TImportExpert::RTClick() { m_sliders->Conv()->setEnabled(!m_sliders->RT()->isChecked()); }

void TImportExpert::OBMPClick() {
  if (m_openDialog == nullptr) return;
  m_timer.SetEnabled(false);
  m_openDialog->SetShowPicture(true);
  m_openDialog->SetTitle(QString::fromLatin1(kOpenPictureTitle));
  const bool chosen = m_openRunner ? m_openRunner(*m_openDialog) : m_openDialog->Execute();
  if (chosen) LoadSourceFile(m_openDialog->FileName());
  FinishOpening();
}

void TImportExpert::OpenSourceFile(const QString& path) {
  m_timer.SetEnabled(false);
  LoadSourceFile(path);
  FinishOpening();
}

void TImportExpert::OpenSourceImage(const QImage& image) {
  m_timer.SetEnabled(false);
  tinto::Bitmap24 picture;
  if (image.isNull() || !tinto::StoreAsBitmap(QImage(image), picture))
    m_messages.ShowMessage(MessageKind::Error, QString::fromLatin1(kImportErrorText),
                           MessageButtons::Ok);
  else
    ReplacePicture(std::move(picture));
  FinishOpening();
}

bool TImportExpert::QueueSourceFile(const QString& path) {
  m_queuedSource = ReadSourceFile(path);
  return m_queuedSource.has_value();
}

void TImportExpert::LoadSourceFile(const QString& path) {
  if (std::optional<tinto::Bitmap24> picture = ReadSourceFile(path))
    ReplacePicture(std::move(*picture));
}

std::optional<tinto::Bitmap24> TImportExpert::ReadSourceFile(const QString& path) {
  tinto::Bitmap24 picture;
  if (tinto::LoadPicture(path.toStdString(), picture)) return picture;
  m_messages.ShowMessage(MessageKind::Error, QString::fromLatin1(kImportErrorText),
                         MessageButtons::Ok);
  return std::nullopt;
}

// The pane shows the new picture at once: it must never paint from rows that were replaced.
void TImportExpert::ReplacePicture(tinto::Bitmap24 picture) {
  m_source.Replace(std::move(picture));
  m_quality.Forget();
  if (m_source.Loaded())
    m_sbSource->ShowBitmap(m_source.Picture(), Magnify());
  else
    m_sbSource->ShowEmpty();
}

void TImportExpert::FinishOpening() {
  if (m_source.Loaded()) {
    m_sbSource->ShowBitmap(m_source.Shown() ? *m_source.Shown() : m_source.Picture(), Magnify());
    m_sbDestin->ShowFirst();
  } else {
    m_sbSource->ShowEmpty();
    m_sbDestin->ShowEmpty();
  }
  EnableImportControls();
  FitSizeToPicture();
  ConvertImport();
}

void TImportExpert::CropPicture(const tinto::PixelRect& rect) {
  const tinto::Bitmap24& shown = m_source.Shown() ? *m_source.Shown() : m_source.Picture();
  tinto::Bitmap24 cropped = tinto::CropBitmap(shown, rect.x1, rect.y1, rect.x2, rect.y2);
  if (cropped.Empty()) return;
  ReplacePicture(std::move(cropped));
  FitSizeToPicture();
  ConvertImport();
}

void TImportExpert::FitSizeToPicture() {
  m_importReady = false;
  if (m_source.Loaded()) {
    const tinto::Bitmap24& picture = m_source.Picture();
    const tinto::ScreenGeometry fitted = tinto::FitSizeToPicture(
        picture.Width(), picture.Height(), m_cbStretch->isChecked(), Geometry());
    m_toolBar->DX()->setValue(fitted.DX());
    m_toolBar->DY()->setValue(fitted.DY());
    m_toolBar->MLTLeft()->setValue(fitted.MltLeft());
    m_toolBar->MLTWidth()->setValue(fitted.MltWidth());
  }
  m_importReady = true;
}

void TImportExpert::ConvertImport() {
  if (!m_source.Loaded() || !isVisible() || !m_importReady) return;
  m_timer.SetEnabled(false);
  m_sliders->Slider(TImportSliders::kContrast)
      ->setEnabled(m_method->currentIndex() == 0 && m_cbDither->isChecked());
  ClampMltWindow();
  if (PrepareSource()) {
    tinto::ImportOptions options = Options();
    tinto::ConvertImport(*m_source.Shown(), options, m_result, m_dest1, m_dest2);
    m_pnStatus->ShowQuality(
        m_quality.Score(m_source.Picture(), m_cbStretch->isChecked(), options, m_result));
    ShowPreviews();
    m_sbDestin->RepaintPreviews();
  }
  m_timer.SetEnabled(true);
}

void TImportExpert::AutoClick() {
  if (!m_source.Loaded() || !isVisible() || !m_importReady) return;
  ClampMltWindow();
  if (!PrepareSource()) return;
  m_importReady = false;
  m_method->setCurrentIndex(0);  // the options searched are the classic conversion's
  m_importReady = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const tinto::AutoOptions found = m_quality.FindAuto(m_source.Picture(), *m_source.Shown(),
                                                      m_cbStretch->isChecked(), Options());
  QApplication::restoreOverrideCursor();
  m_importReady = false;
  m_sliders->WriteValues(found.options);
  m_cbDither->setChecked(true);
  m_bright->setChecked(found.options.Bright);
  m_importReady = true;
  UpdateStatusLabels();
  ConvertImport();
}

void TImportExpert::ClampMltWindow() {
  m_importReady = false;
  const tinto::ScreenGeometry geometry = Geometry();
  const tinto::MltWindow fitted = tinto::ClampMltWindow(geometry.Window(), geometry.DX());
  m_toolBar->MLTLeft()->setValue(fitted.left);
  m_toolBar->MLTWidth()->setValue(fitted.width);
  m_importReady = true;
}

bool TImportExpert::PrepareSource() {
  const tinto::Status prepared = m_source.Prepare(m_cbStretch->isChecked(), Geometry(), Filter());
  if (!prepared) {
    m_messages.ShowMessage(MessageKind::Error, QString::fromStdString(prepared.Message()),
                           MessageButtons::Ok);
    return false;
  }
  m_sbSource->ShowBitmap(*m_source.Shown(), Magnify());
  return true;
}

void TImportExpert::ComputeLevelPreview() {
  if (!m_source.Loaded() || !isVisible() || !m_importReady || m_source.Shown() == nullptr) return;
  tinto::ComputeLevelPreview(*m_source.Shown(), Options(), m_dest1, m_dest2);
  ShowPreviews();
}

void TImportExpert::DXChange() {
  const tinto::ScreenGeometry geometry = Geometry();
  if (m_dest1.Width() == geometry.WidthPixels() && m_dest1.Height() == geometry.DY()) return;
  SizePreviews();
  ConvertImport();
}

// The source pane keeps the size of the bitmap it shows, magnified, so that a crop drawn
// after the change still maps onto that bitmap's pixels.
void TImportExpert::TMagnifyChange() {
  if (!isVisible()) return;
  SizePreviews();
  if (m_source.Loaded())
    m_sbSource->ShowBitmap(m_source.Shown() ? *m_source.Shown() : m_source.Picture(), Magnify());
}

void TImportExpert::SizePreviews() {
  tinto::SizePreviews(Options(), m_dest1, m_dest2);
  ShowPreviews();
}

void TImportExpert::ShowPreviews() {
  const int m = Magnify();
  m_sbDestin->ShowPreviews(m_dest1, m_dest2, QSize(m_dest1.Width() * m, m_dest1.Height() * m));
  ShowMltLines();
}

void TImportExpert::ShowMltLines() {
  if (m_tintoMode->isChecked()) {
    m_sbDestin->SetMltLines(std::nullopt);
    return;
  }
  const tinto::ScreenGeometry geometry = Geometry();
  const int step = 8 * Magnify();
  m_sbDestin->SetMltLines(
      MltLines{geometry.MltLeft() * step, (geometry.MltLeft() + geometry.MltWidth()) * step});
}

void TImportExpert::TimerTimer() {
  if (!m_source.Loaded() || !isVisible()) return;
  m_sbDestin->SwapFrames();
  if (m_links.vsync && m_links.vsync()) WaitForVerticalRetrace(this);
}

void TImportExpert::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

// The bottom row's controls side by side, so that none of them is covered by OK.
int TImportExpert::BottomRowWidth() const {
  int width = kMargin;
  for (const QWidget* control : BottomRowControls()) width += control->sizeHint().width() + kRowGap;
  return width + m_ok->sizeHint().width() + kMargin + m_cancel->sizeHint().width() + kMargin;
}

std::array<QWidget*, 6> TImportExpert::BottomRowControls() const {
  return {m_cbStretch, m_filters, m_method, m_cbDither, m_bright, m_tintoMode};
}

QSize TImportExpert::MinimumClientSize() const {
  const int width = std::max(8 * m_sliders->SliderWidth() + 44 + 550, BottomRowWidth());
  const int height = m_ok->sizeHint().height() + 390 + kBottomGap + TImportToolBar::kDesignHeight +
                     TImportStatusBar::kDesignHeight;
  return {width, height};
}

void TImportExpert::FormResize() {
  m_timer.SetEnabled(false);
  const int top = TImportToolBar::kDesignHeight;
  const int mainHeight = height() - top - TImportStatusBar::kDesignHeight;
  m_toolBar->setGeometry(0, 0, width(), top);
  m_pnStatus->setGeometry(0, top + mainHeight, width(), TImportStatusBar::kDesignHeight);
  const int okHeight = m_ok->sizeHint().height();
  const int paneHeight = std::max(0, mainHeight - okHeight - kBottomGap);
  const int columnWidth = m_sliders->ColumnWidth();
  const int paneWidth = std::max(0, (width() - columnWidth - 2 * kPaneGap - 2 * kMargin) / 2);
  m_sbSource->setGeometry(kMargin, top, paneWidth, paneHeight);
  m_sliders->setGeometry(RightOf(m_sbSource) + kPaneGap, top, columnWidth, paneHeight);
  m_sbDestin->setGeometry(RightOf(m_sliders) + kPaneGap, top, paneWidth, paneHeight);
  LayoutBottomRow(top + paneHeight + (kBottomGap + 1) / 2);
  if (isVisible()) m_timer.SetEnabled(true);
}

void TImportExpert::LayoutBottomRow(int top) {
  const int rowHeight = m_ok->sizeHint().height();
  int left = kMargin;
  for (QWidget* control : BottomRowControls()) {
    control->resize(control->sizeHint());
    control->move(left, top + CenteredTop(rowHeight, control->height()));
    left = RightOf(control) + kRowGap;
  }
  for (QPushButton* button : {m_ok, m_cancel}) button->resize(button->sizeHint());
  m_cancel->move(width() - kMargin - m_cancel->width(), top);
  m_ok->move(m_cancel->x() - kMargin - m_ok->width(), top);
}

void TImportExpert::dragEnterEvent(QDragEnterEvent* event) {
  const QMimeData* data = event->mimeData();
  if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile())
    event->acceptProposedAction();
}

void TImportExpert::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  OpenSourceFile(urls.first().toLocalFile());
}

tinto::ImportOptions TImportExpert::Options() const {
  tinto::ImportOptions options;
  m_sliders->ReadValues(options);
  options.Method = m_method->currentIndex() == 1 ? tinto::ImportMethod::Perceptual
                                                 : tinto::ImportMethod::Classic;
  options.Bright = m_bright->isChecked();
  options.Dither = m_cbDither->isChecked();
  options.TintoMode = m_tintoMode->isChecked();
  const tinto::ScreenGeometry geometry = Geometry();
  options.DX = geometry.DX();
  options.DY = geometry.DY();
  options.MLTLeft = geometry.MltLeft();
  options.MLTWidth = geometry.MltWidth();
  return options;
}

tinto::ScreenGeometry TImportExpert::Geometry() const {
  return m_toolBar->Geometry(m_tintoMode->isChecked() ? tinto::AttrMode::Mode8x2
                                                      : tinto::AttrMode::Mode8x1);
}

int TImportExpert::Magnify() const { return m_toolBar->TMagnify()->value(); }

const tinto::ResampleFilter& TImportExpert::Filter() const {
  const int index = std::clamp(m_filters->currentIndex(), 0,
                               static_cast<int>(tinto::kResampleFilters.size()) - 1);
  return tinto::kResampleFilters[static_cast<std::size_t>(index)];
}
