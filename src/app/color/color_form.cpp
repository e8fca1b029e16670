#include "app/color/color_form.h"

#include <QCheckBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QSlider>
#include <functional>

#include "app/color/color_swatch.h"
#include "app/editor/view_state.h"
#include "app/platform/vertical_retrace.h"
#include "app/widgets/kel_image.h"
#include "core/format/settings_keys.h"
#include "core/model/palette.h"

namespace {

constexpr int kCellSize = 15;
constexpr int kGridColors = 16;
constexpr int kGridSize = kCellSize * kGridColors;  // 240
constexpr int kSwatchSize = 24;
constexpr int kSwatchLeft = 29;
constexpr int kSwatchRowTops[2] = {6, 34};
constexpr int kColPanHeight = 64;
constexpr int kCtPanHeight = 20;
constexpr int kMargin = 5;
constexpr int kPointerAboveTop = 30;
constexpr std::uint8_t kNoColor = 255;

void FillGridImage(QImage& image, const std::function<tinto::Rgb(int, int)>& cellColor) {
  image = QImage(kGridSize, kGridSize, QImage::Format_BGR888);
  for (int y = 0; y < kGridSize; ++y) {
    std::uint8_t* row = image.scanLine(y);
    for (int x = 0; x < kGridSize; ++x) {
      const tinto::Rgb rgb = cellColor(x / kCellSize, y / kCellSize);
      row[x * 3] = static_cast<std::uint8_t>(tinto::BlueOf(rgb));
      row[x * 3 + 1] = static_cast<std::uint8_t>(tinto::GreenOf(rgb));
      row[x * 3 + 2] = static_cast<std::uint8_t>(tinto::RedOf(rgb));
    }
  }
}

QString IntervalText(int ms) { return QStringLiteral("Interval: %1 ms").arg(ms); }

}  // namespace

TColorForm::TColorForm(TViewState& view, const tinto::IniFile& settings, QWidget* parent)
    : QDialog(parent), m_view(view) {
  // A popup opens at the pointer on every windowing system and closes on a click outside it,
  // which is how a choice is cancelled.
  setWindowFlags(Qt::Popup);
  setWindowTitle(QStringLiteral("Pick Color..."));
  m_timer.SetThreadPriority(QThread::HighestPriority);
  m_timer.SetOnTimer([this] { Timer1Timer(); });
  CreateControls();
  BuildGridImages();
  ReadSettings(settings);
  ConnectView();
  LayoutForm();
}

TColorForm::~TColorForm() = default;

void TColorForm::CreateControls() {
  CreateColPan();
  CreateOptPan();
  CreateInkPan();
  CreateCtPan();
}

// The 16 palette swatches in two rows of eight.
void TColorForm::CreateColPan() {
  m_colPan = new QWidget(this);
  m_colPan->setObjectName(QStringLiteral("ColPan"));
  for (int k = 0; k < kGridColors; ++k) {
    auto* swatch = new TColorSwatch(m_colPan);
    swatch->setObjectName(QStringLiteral("C%1").arg(k));
    swatch->SetColor(SwatchColor(tinto::PaletteColor(k)));
    swatch->setToolTip(QStringLiteral("Standart Color"));
    swatch->setCursor(Qt::PointingHandCursor);
    swatch->setGeometry(kSwatchLeft + kSwatchSize * (k % 8), kSwatchRowTops[k / 8], kSwatchSize,
                        kSwatchSize);
    connect(swatch, &TColorSwatch::MouseMove, this, [this, k] { C0MouseMove(k); });
    connect(swatch, &TColorSwatch::MouseDown, this, [this] { InkMouseDown(); });
    m_swatches[static_cast<std::size_t>(k)] = swatch;
  }
}

void TColorForm::CreateOptPan() {
  m_optPan = new QWidget(this);
  m_optPan->setObjectName(QStringLiteral("OptPan"));
  m_label1 = new QLabel(IntervalText(5), m_optPan);
  m_label1->setObjectName(QStringLiteral("Label1"));
  m_label1->setToolTip(QStringLiteral("Timer Interval"));
  m_noFlic = new QCheckBox(QStringLiteral("No Flic"), m_optPan);
  m_noFlic->setObjectName(QStringLiteral("NoFlic"));
  m_noFlic->setToolTip(QStringLiteral("Static or Dynamic Lightning"));
  m_vSync = new QCheckBox(QStringLiteral("VSync"), m_optPan);
  m_vSync->setObjectName(QStringLiteral("VSync"));
  m_vSync->setToolTip(QStringLiteral("Vertical Synchornization"));
  m_interval = new QSlider(Qt::Horizontal, m_optPan);
  m_interval->setObjectName(QStringLiteral("Interval"));
  m_interval->setRange(0, 100);
  m_interval->setValue(5);
  m_interval->setToolTip(QStringLiteral("Лечше когда интервал кратен частоте экрана."));
  connect(m_interval, &QSlider::valueChanged, this, [this] { IntervalChange(); });
}

// The grid of colour pairs, and the two grids of its flicker's halves stacked under it.
void TColorForm::CreateInkPan() {
  m_inkPan = new QWidget(this);
  m_inkPan->setObjectName(QStringLiteral("InkPan"));
  m_ink = CreateGrid("Ink");
  m_cMix1 = CreateGrid("cMix1");
  m_cMix2 = CreateGrid("cMix2");
  m_cMix1->hide();
  m_cMix2->hide();
}

TKelImage* TColorForm::CreateGrid(const char* name) {
  auto* image = new TKelImage(m_inkPan);
  image->setObjectName(QString::fromLatin1(name));
  image->setToolTip(QStringLiteral("Chose eXtended color"));
  image->setCursor(Qt::PointingHandCursor);
  image->setGeometry(kMargin, kMargin, kGridSize, kGridSize);
  connect(image, &TKelImage::MouseMove, this, &TColorForm::InkMouseMove);
  connect(image, &TKelImage::MouseDown, this, [this] { InkMouseDown(); });
  return image;
}

// The names of the two colours under the pointer.
void TColorForm::CreateCtPan() {
  m_ctPan = new QWidget(this);
  m_ctPan->setObjectName(QStringLiteral("CTPan"));
  m_ct1 = new QLabel(QStringLiteral("C1:"), m_ctPan);
  m_ct1->setObjectName(QStringLiteral("CT1"));
  m_ct2 = new QLabel(QStringLiteral("C2:"), m_ctPan);
  m_ct2->setObjectName(QStringLiteral("CT2"));
}

// Column i is the frame-0 colour, row j the frame-1 colour; cMix1 and cMix2 hold the two
// halves of each cell's flicker.
void TColorForm::BuildGridImages() {
  FillGridImage(m_inkPicture, [](int i, int j) {
    return tinto::MixColor(tinto::InkOfIndex(i), tinto::InkOfIndex(j));
  });
  FillGridImage(m_mix1Picture, [](int, int j) { return tinto::PaletteColor(j); });
  FillGridImage(m_mix2Picture, [](int i, int) { return tinto::PaletteColor(i); });
  m_ink->SetPicture(&m_inkPicture);
  m_cMix1->SetPicture(&m_mix1Picture);
  m_cMix2->SetPicture(&m_mix2Picture);
}

void TColorForm::ReadSettings(const tinto::IniFile& settings) {
  m_noFlic->setChecked(m_view.MasterNoFlic());
  m_vSync->setChecked(m_view.VSync());
  m_interval->setValue(tinto::ReadSetting(settings, tinto::setting::kMainTimerInterval));
  m_timer.SetInterval(static_cast<quint16>(m_interval->value()));
  m_label1->setText(IntervalText(m_interval->value()));
}

void TColorForm::LayoutForm() {
  const int vSyncHeight = m_vSync->sizeHint().height();
  const int intervalHeight = m_interval->sizeHint().height();
  const int width = kGridSize + 2 * kMargin;
  const int optHeight = vSyncHeight + 3 * kMargin + intervalHeight;
  m_colPan->setGeometry(0, 0, width, kColPanHeight);
  m_optPan->setGeometry(0, m_colPan->geometry().bottom() + 1, width, optHeight);
  m_inkPan->setGeometry(0, m_optPan->geometry().bottom() + 1, width, kGridSize + 2 * kMargin);
  m_ctPan->setGeometry(0, m_inkPan->geometry().bottom() + 1, width, kCtPanHeight);
  m_label1->setGeometry(kMargin, kMargin, m_label1->sizeHint().width(), vSyncHeight);
  m_interval->setGeometry(kMargin, kMargin + vSyncHeight + kMargin, width - 2 * kMargin,
                          intervalHeight);
  setFixedSize(width, m_ctPan->geometry().bottom() + 1);
  FormResize();
  CTPanResize();
}

void TColorForm::FormResize() {
  for (QCheckBox* box : {m_noFlic, m_vSync}) box->resize(box->sizeHint());
  m_vSync->move(m_optPan->width() - kMargin - m_vSync->width(), kMargin);
  m_noFlic->move(m_vSync->x() - kMargin - m_noFlic->width(), kMargin);
}

void TColorForm::CTPanResize() {
  for (QLabel* label : {m_ct1, m_ct2})
    label->resize(m_ctPan->width() / 2 - 15, label->sizeHint().height());
  m_ct1->move(15, (m_ctPan->height() - m_ct1->height()) / 2);
  m_ct2->move(m_ctPan->width() / 2, (m_ctPan->height() - m_ct2->height()) / 2);
}

QPoint TColorForm::PlaceAtPointer(QPoint pointer, QSize size, QRect available) {
  int left = pointer.x() - size.width() / 2;
  const int right = available.x() + available.width();
  if (left + size.width() > right) left = right - size.width();
  return {left, pointer.y() - kPointerAboveTop};
}

void TColorForm::ConnectView() {
  connect(m_noFlic, &QCheckBox::clicked, &m_view, &TViewState::SetMasterNoFlic);
  connect(m_vSync, &QCheckBox::clicked, &m_view, &TViewState::SetVSync);
  connect(&m_view, &TViewState::Changed, this, &TColorForm::ShowSetting);
}

// A box set by anyone runs its click handler, as a user's click would.
void TColorForm::ShowSetting(ViewSetting what) {
  if (what == ViewSetting::MasterNoFlic) {
    m_noFlic->setChecked(m_view.MasterNoFlic());
    NoFlicClick();
  }
  if (what == ViewSetting::VSync) m_vSync->setChecked(m_view.VSync());
}

void TColorForm::BeginPick(QPoint globalPointer) {
  if (m_picking) return;
  const QScreen* screen = QGuiApplication::screenAt(globalPointer);
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  const QRect available = screen != nullptr ? screen->availableGeometry() : QRect();
  move(available.isValid() ? PlaceAtPointer(globalPointer, size(), available)
                           : globalPointer - QPoint(width() / 2, kPointerAboveTop));
  show();
}

int TColorForm::Result() const {
  if (m_picking) return kCancelled;
  return m_result0 | (m_result1 << 8);
}

int TColorForm::Choose(QPoint globalPointer) {
  if (m_picking) return kCancelled;
  QEventLoop loop;
  connect(this, &TColorForm::PickEnded, &loop, &QEventLoop::quit);
  BeginPick(globalPointer);
  if (m_picking) loop.exec();
  return Result();
}

void TColorForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TColorForm::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  FormDeactivate();
}

void TColorForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TColorForm::FormActivate() {
  LayoutForm();
  m_view.SetMasterNoFlic(m_view.NoFlic());
  m_picking = true;
  m_result0 = kNoColor;
  m_result1 = kNoColor;
  m_pickedOk = false;
}

void TColorForm::FormDeactivate() {
  if (!m_pickedOk) {
    m_result0 = kNoColor;
    m_result1 = kNoColor;
  }
  m_timer.SetEnabled(false);
  m_cMix1->hide();
  m_cMix2->hide();
  m_ink->show();
  const bool wasPicking = m_picking;
  m_picking = false;
  if (wasPicking) emit PickEnded(Result());
}

void TColorForm::NoFlicClick() {
  if (!isVisible()) return;
  const bool noFlic = m_noFlic->isChecked();
  if (noFlic) m_timer.SetEnabled(false);
  m_label1->setEnabled(!noFlic);
  m_interval->setEnabled(!noFlic);
  m_vSync->setEnabled(!noFlic);
  m_cMix1->hide();
  m_cMix2->setVisible(!noFlic);
  m_ink->setVisible(noFlic);
  if (!noFlic) m_timer.SetEnabled(true);
}

void TColorForm::IntervalChange() {
  if (!isVisible()) return;
  m_timer.SetInterval(static_cast<quint16>(m_interval->value()));
  m_label1->setText(IntervalText(m_interval->value()));
  m_label1->resize(m_label1->sizeHint().width(), m_label1->height());
}

void TColorForm::Timer1Timer() {
  if (m_view.VSync()) WaitForVerticalRetrace(this);
  const bool showFirst = m_cMix1->isHidden();
  m_cMix1->setVisible(showFirst);
  m_cMix2->setVisible(!showFirst);
}

void TColorForm::ShowColorNames(int color1, int color2) {
  m_ct1->setText(QStringLiteral("C1: ") + QString::fromStdString(tinto::ColorName(color1)));
  m_ct2->setText(QStringLiteral("C2: ") + QString::fromStdString(tinto::ColorName(color2)));
}

void TColorForm::InkMouseMove(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  // Moves outside the image arrive while a button is held; they name no cell.
  if (pos.x() < 0 || pos.y() < 0 || pos.x() >= kGridSize || pos.y() >= kGridSize) return;
  const int i = pos.x() / kCellSize;
  const int j = pos.y() / kCellSize;
  ShowColorNames(i, j);
  m_result0 = tinto::InkOfIndex(i);
  m_result1 = tinto::InkOfIndex(j);
}

void TColorForm::C0MouseMove(int index) {
  ShowColorNames(index, index);
  m_result0 = tinto::InkOfIndex(index);
  m_result1 = m_result0;
}

void TColorForm::InkMouseDown() {
  m_pickedOk = true;
  close();
}
