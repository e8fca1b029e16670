#include "app/dialogs/import/import_expert.h"

#include <QAction>
#include <QCheckBox>
#include <QKeyEvent>
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
#include "app/platform/window_placement.h"

namespace {

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

// The controls show `options` (a copy: their handlers give the session their values as they go),
// with `ImportReady` off meanwhile: the handlers neither convert nor move the linked sliders,
// whose new values are remembered instead.
void TImportExpert::ShowOptions(tinto::ImportOptions options) {
  ScopedFlag rewriting(m_importReady, false);
  m_controls.Write(options);
  m_sliders->RememberValues();
}

tinto::ImportOptions TImportExpert::Options() const {
  return m_controls.Read(*m_session.Options());
}

int TImportExpert::Magnify() const { return m_toolBar->TMagnify()->value(); }
