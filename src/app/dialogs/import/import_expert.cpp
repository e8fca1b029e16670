#include "app/dialogs/import/import_expert.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>
#include <memory>
#include <utility>

#include "app/dialogs/import/destination_pane.h"
#include "app/dialogs/import/import_sliders.h"
#include "app/dialogs/import/import_status_bar.h"
#include "app/dialogs/import/import_tool_bar.h"
#include "app/dialogs/import/source_pane.h"
#include "app/editor/file_dialogs.h"
#include "app/platform/message_service.h"
#include "app/platform/vertical_retrace.h"
#include "app/platform/window_placement.h"
#include "app/skin/control_metrics.h"
#include "app/skin/window_relayout.h"
#include "picture/bitmap_image.h"
#include "picture/picture_io.h"

namespace {

constexpr int kMargin = 5;
constexpr int kPaneGap = 10;
constexpr int kBottomGap = 15;
constexpr int kRowGap = 10;
constexpr quint16 kDesignInterval = 5;

// Sets a flag for the guard's life, then puts back what it was: code that rewrites the dialog's
// own controls turns `ImportReady` off without deciding whether it was on before.
class ScopedFlag {
 public:
  ScopedFlag(bool& flag, bool value) : m_flag(flag), m_previous(std::exchange(flag, value)) {}
  ~ScopedFlag() { m_flag = m_previous; }
  ScopedFlag(const ScopedFlag&) = delete;
  ScopedFlag& operator=(const ScopedFlag&) = delete;

 private:
  bool& m_flag;
  bool m_previous;
};

// Both panes show their pictures from the top-left corner at the same magnification, so the same
// scroll position shows the same part of the picture: a scroll of one scrolls the other.
void ScrollTogether(QAbstractScrollArea* first, QAbstractScrollArea* second, QObject* context) {
  auto following = std::make_shared<bool>(false);
  auto follow = [context, following](QScrollBar* leader, QScrollBar* follower) {
    QObject::connect(leader, &QScrollBar::valueChanged, context, [following, follower](int v) {
      if (*following) return;
      ScopedFlag busy(*following, true);
      follower->setValue(v);
    });
  };
  for (auto [a, b] : {std::pair{first, second}, std::pair{second, first}}) {
    follow(a->horizontalScrollBar(), b->horizontalScrollBar());
    follow(a->verticalScrollBar(), b->verticalScrollBar());
  }
}

QString MethodText(tinto::ImportMethod method) {
  const std::string_view name = tinto::ImportMethodName(method);
  return QString::fromLatin1(name.data(), static_cast<int>(name.size()));
}

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
  // Wide enough at first for the quality figures with their names.
  resize(QSize(std::max(kDesignClientWidth, m_pnStatus->PreferredWidth()), kDesignClientHeight)
             .expandedTo(minimumSize()));
  FormCreate(settings);
}

TImportExpert::~TImportExpert() { m_timer.SetEnabled(false); }

void TImportExpert::CreateControls() {
  m_toolBar = new TImportToolBar(this);
  m_sbSource = new TSourcePane(this);
  m_sliders = new TImportSliders(this);
  m_sbDestin = new TDestinationPane(this);
  for (int index = 0; index < m_sliders->Count(); ++index)
    m_controls.Add(m_sliders->Row(index), m_sliders->Slider(index));
  for (std::size_t i = 0; i < m_toolBar->Rows().size(); ++i)
    m_controls.Add(*m_toolBar->Rows()[i], m_toolBar->Spins()[i]);
  for (const tinto::ImportOptionRow& row : tinto::ImportOptionTable()) {
    if (row.place != tinto::OptionPlace::BottomRow) continue;
    m_bottomRow.push_back(MakeBottomRowControl(row, this));
    m_controls.Add(row, m_bottomRow.back());
  }
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
  KeepEnterInSpinBoxes();
}

void TImportExpert::ConnectControls() {
  connect(m_toolBar->OBMP(), &QPushButton::clicked, this, &TImportExpert::OBMPClick);
  connect(m_toolBar->TMagnify(), &QSpinBox::valueChanged, this, &TImportExpert::TMagnifyChange);
  m_controls.ConnectChanges(this, [this](const tinto::ImportOptionRow& row) { OptionChange(row); });
  connect(m_sliders, &TImportSliders::SliderChanged, this, &TImportExpert::SliderChange);
  connect(m_sliders, &TImportSliders::StepFinished, this, &TImportExpert::ConvertImport);
  connect(m_sliders->Conv(), &QPushButton::clicked, this, &TImportExpert::ConvertImport);
  connect(m_sliders->Auto(), &QPushButton::clicked, this, &TImportExpert::AutoClick);
  connect(m_sliders->RT(), &QCheckBox::toggled, this, &TImportExpert::RTClick);
  connect(m_sbSource, &TSourcePane::CropRequested, this, &TImportExpert::CropPicture);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
  ScrollTogether(m_sbSource, m_sbDestin, this);
}

// Enter in a number field finishes the number, as in the main window: it must not take the
// result (the dialog's default button) before the number has even been looked at.
void TImportExpert::KeepEnterInSpinBoxes() {
  for (QSpinBox* spin : findChildren<QSpinBox*>()) spin->installEventFilter(this);
}

bool TImportExpert::eventFilter(QObject* watched, QEvent* event) {
  auto* spin = qobject_cast<QAbstractSpinBox*>(watched);
  if (spin == nullptr || event->type() != QEvent::KeyPress)
    return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  spin->interpretText();
  spin->selectAll();
  return true;
}

void TImportExpert::FormCreate(const tinto::IniFile& settings) {
  m_importReady = false;
  LoadImportSettings(settings);
  EnableImportControls();
}

void TImportExpert::LoadImportSettings(const tinto::IniFile& settings) {
  const ImportSettings s = ReadImportSettings(settings, Options(), CentredOnScreen(size()));
  m_session.SetOptions(s.options);
  m_controls.Write(s.options);
  m_sliders->LLink()->setChecked(s.lowLink);
  m_sliders->HLink()->setChecked(s.hiLink);
  m_sliders->RT()->setChecked(s.realTime);
  m_toolBar->TMagnify()->setValue(s.magnify);
  setGeometry(FittedToScreen(s.bounds));
}

ImportSettings TImportExpert::CurrentSettings() const {
  return {Options(),
          m_sliders->LLink()->isChecked(),
          m_sliders->HLink()->isChecked(),
          m_sliders->RT()->isChecked(),
          Magnify(),
          geometry()};
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

ImportedPicture TImportExpert::Picture() const {
  return {tinto::ImportGeometry(Options()), m_session.Result()};
}

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
  if (!isVisible() || !m_session.Loaded()) return;
  m_importReady = true;
  m_timer.SetEnabled(true);
}

void TImportExpert::FormDeactivate() {
  m_timer.SetEnabled(false);
  m_importReady = false;
}

void TImportExpert::EnableImportControls() {
  const bool loaded = m_session.Loaded();
  EnableOptions();
  for (QWidget* control : std::initializer_list<QWidget*>{m_sliders->RT(), m_sliders->LLink(),
                                                          m_sliders->HLink(), m_sliders->Auto()})
    control->setEnabled(loaded);
  m_sliders->Conv()->setEnabled(loaded && !m_sliders->RT()->isChecked());
  m_timer.SetEnabled(loaded);
}

// The options the chosen method reads, those that wait for a picture once there is one;
// "Contrast" only with "Dither", whose ramp it sets.
void TImportExpert::EnableOptions() {
  const tinto::ImportOptions options = Options();
  m_controls.Enable(m_session.Loaded(), options.Method, [&options](const auto& row) {
    return row.name != "Contrast" || options.Dither;
  });
}

void TImportExpert::UpdateStatusLabels() { m_pnStatus->ShowValues(Options()); }

// A slider that a linked move carries along leaves the labels and the preview to the slider
// that moved its group, which shows them once with every value in place.
void TImportExpert::SliderChange(int index) {
  if (!isVisible() || !m_importReady) return;
  m_sliders->LinkedMove(index);
  if (m_sliders->MovingGroup()) return;
  UpdateStatusLabels();
  const bool classic = m_sliders->Row(index).UsedBy(tinto::ImportMethod::Classic);
  if (m_sliders->RT()->isChecked() && classic) ComputeLevelPreview();
}

// A size field resizes the previews in any case, then every option converts again; the status
// bar shows the values again in place of any message.
void TImportExpert::OptionChange(const tinto::ImportOptionRow& row) {
  EnableOptions();
  UpdateStatusLabels();
  if (row.place == tinto::OptionPlace::ToolBar) {
    const tinto::ScreenGeometry geometry = tinto::ImportGeometry(Options());
    const tinto::Bitmap24& dest1 = m_session.Dest1();
    if (dest1.Width() != geometry.WidthPixels() || dest1.Height() != geometry.DY()) SizePreviews();
  }
  ConvertImport();
}

void TImportExpert::RTClick() { m_sliders->Conv()->setEnabled(!m_sliders->RT()->isChecked()); }

void TImportExpert::OBMPClick() {
  if (m_openDialog == nullptr) return;
  m_timer.SetEnabled(false);
  OpenRequest request;
  request.title = QString::fromLatin1(kOpenPictureTitle);
  request.showPicture = true;
  if (const std::optional<QString> chosen = m_openDialog->Execute(request)) LoadSourceFile(*chosen);
  FinishOpening();
}

void TImportExpert::OpenSourceFile(const QString& path) {
  m_timer.SetEnabled(false);
  LoadSourceFile(path);
  FinishOpening();
}

void TImportExpert::OpenSourceImage(const QImage& image) {
  m_timer.SetEnabled(false);
  LoadedPicture loaded;
  if (image.isNull() || !tinto::StoreAsBitmap(QImage(image), loaded.picture))
    m_messages.ShowMessage(MessageKind::Error, QString::fromLatin1(kImportErrorText),
                           MessageButtons::Ok);
  else
    ReplacePicture(std::move(loaded));
  FinishOpening();
}

bool TImportExpert::QueueSourceFile(const QString& path) {
  m_queuedSource = ReadSourceFile(path);
  return m_queuedSource.has_value();
}

void TImportExpert::LoadSourceFile(const QString& path) {
  if (std::optional<LoadedPicture> loaded = ReadSourceFile(path))
    ReplacePicture(std::move(*loaded));
}

std::optional<TImportExpert::LoadedPicture> TImportExpert::ReadSourceFile(const QString& path) {
  LoadedPicture loaded;
  tinto::PictureNotes notes;
  if (tinto::LoadPicture(path.toStdString(), loaded.picture, &notes)) {
    loaded.truncated = notes.truncated;
    return loaded;
  }
  m_messages.ShowMessage(MessageKind::Error, QString::fromLatin1(kImportErrorText),
                         MessageButtons::Ok);
  return std::nullopt;
}

// The pane shows the new picture at once: it must never paint from rows that were replaced.
// A damaged picture is kept, and the status bar says so once it is shown; what it said of the
// picture before goes.
void TImportExpert::ReplacePicture(LoadedPicture loaded) {
  m_session.SetPicture(std::move(loaded.picture));
  m_openingNote = loaded.truncated ? QString::fromLatin1(tinto::kTruncatedWarning) : QString();
  UpdateStatusLabels();
  if (m_session.Loaded())
    m_sbSource->ShowBitmap(m_session.Picture(), Magnify());
  else
    m_sbSource->ShowEmpty();
}

// An opened picture brings the dialog back to converting, as showing it does.
void TImportExpert::FinishOpening() {
  if (m_session.Loaded()) {
    m_sbSource->ShowBitmap(m_session.Picture(), Magnify());
    m_sbDestin->ShowFirst();
  } else {
    m_sbSource->ShowEmpty();
    m_sbDestin->ShowEmpty();
  }
  EnableImportControls();
  FitSizeToPicture();
  m_importReady = true;
  ConvertImport();
  if (!m_openingNote.isEmpty()) m_pnStatus->ShowMessage(std::exchange(m_openingNote, {}));
}

void TImportExpert::CropPicture(const tinto::PixelRect& rect) {
  m_session.SetOptions(Options());
  if (!m_session.Crop(rect)) return;
  m_openingNote.clear();
  m_sbSource->ShowBitmap(m_session.Picture(), Magnify());
  ShowOptions(*m_session.Options());
  m_importReady = true;
  ConvertImport();
}

void TImportExpert::FitSizeToPicture() {
  if (!m_session.Loaded()) return;
  m_session.SetOptions(Options());
  ShowOptions(*m_session.FitSizeToPicture());
}

// The controls show `options` (a copy: their handlers give the session their values as they go),
// with `ImportReady` off meanwhile: the handlers neither convert nor move the linked sliders,
// whose new values are remembered instead.
void TImportExpert::ShowOptions(tinto::ImportOptions options) {
  ScopedFlag rewriting(m_importReady, false);
  m_controls.Write(options);
  m_sliders->RememberValues();
}

void TImportExpert::ConvertImport() {
  if (!m_session.Loaded() || !isVisible() || !m_importReady) return;
  m_timer.SetEnabled(false);
  EnableOptions();
  ShowOptions(*m_session.SetOptions(Options()));
  if (const tinto::Status converted = m_session.Convert(); converted)
    ShowConversion();
  else
    m_messages.ShowMessage(MessageKind::Error, QString::fromStdString(converted.Message()),
                           MessageButtons::Ok);
  m_timer.SetEnabled(true);
}

void TImportExpert::ShowConversion() {
  m_sbSource->ShowBitmap(*m_session.Shown(), Magnify());
  m_pnStatus->ShowQuality(m_session.Score());
  ShowPreviews();
  m_sbDestin->RepaintPreviews();
}

void TImportExpert::AutoClick() {
  if (!m_session.Loaded() || !isVisible() || !m_importReady) return;
  m_timer.SetEnabled(false);
  ShowOptions(*m_session.SetOptions(Options()));
  QApplication::setOverrideCursor(Qt::WaitCursor);
  tinto::AutoOptions found;
  const tinto::Status status = m_session.RunAuto(found);
  QApplication::restoreOverrideCursor();
  if (status) {
    ShowOptions(*found.options);
    EnableImportControls();
    UpdateStatusLabels();
    ShowConversion();
    m_pnStatus->ShowMessage(QStringLiteral("Auto chose ") + MethodText(found.options->Method));
  } else {
    m_messages.ShowMessage(MessageKind::Error, QString::fromStdString(status.Message()),
                           MessageButtons::Ok);
  }
  m_timer.SetEnabled(m_session.Loaded());
}

void TImportExpert::ComputeLevelPreview() {
  if (!m_session.Loaded() || !isVisible() || !m_importReady) return;
  m_session.SetOptions(Options());
  if (m_session.PreviewLevels()) ShowPreviews();
}

// The source pane keeps the size of the bitmap it shows, magnified, so that a crop drawn
// after the change still maps onto that bitmap's pixels.
void TImportExpert::TMagnifyChange() {
  if (!isVisible()) return;
  SizePreviews();
  if (m_session.Loaded())
    m_sbSource->ShowBitmap(m_session.Shown() ? *m_session.Shown() : m_session.Picture(), Magnify());
}

void TImportExpert::SizePreviews() {
  m_session.SetOptions(Options());
  m_session.SizePreviews();
  ShowPreviews();
}

void TImportExpert::ShowPreviews() {
  const int m = Magnify();
  const tinto::Bitmap24& dest1 = m_session.Dest1();
  m_sbDestin->ShowPreviews(dest1, m_session.Dest2(), QSize(dest1.Width() * m, dest1.Height() * m));
  ShowMltLines();
}

void TImportExpert::ShowMltLines() {
  const tinto::ScreenGeometry geometry = tinto::ImportGeometry(Options());
  if (geometry.Mode() == tinto::AttrMode::Mode8x2) {
    m_sbDestin->SetMltLines(std::nullopt);
    return;
  }
  const int step = 8 * Magnify();
  m_sbDestin->SetMltLines(
      MltLines{geometry.MltLeft() * step, (geometry.MltLeft() + geometry.MltWidth()) * step});
}

void TImportExpert::TimerTimer() {
  if (!m_session.Loaded() || !isVisible()) return;
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
  for (const QWidget* control : m_bottomRow) width += control->sizeHint().width() + kRowGap;
  return width + m_ok->sizeHint().width() + kMargin + m_cancel->sizeHint().width() + kMargin;
}

QSize TImportExpert::MinimumClientSize() const {
  const int width = std::max({m_sliders->Count() * m_sliders->SliderWidth() + 44 + 550,
                              BottomRowWidth(), m_pnStatus->MinimumWidth()});
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
  if (isVisible()) m_timer.SetEnabled(m_session.Loaded());
}

void TImportExpert::LayoutBottomRow(int top) {
  const int rowHeight = m_ok->sizeHint().height();
  int left = kMargin;
  for (QWidget* control : m_bottomRow) {
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
  return m_controls.Read(*m_session.Options());
}

int TImportExpert::Magnify() const { return m_toolBar->TMagnify()->value(); }
