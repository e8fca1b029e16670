#include "app/dialogs/preview/preview_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QWheelEvent>
#include <QtMath>

#include "app/dialogs/preview/preview_settings.h"
#include "app/editor/display_images.h"
#include "app/editor/editor_session.h"
#include "app/editor/view_state.h"
#include "app/platform/vertical_retrace.h"
#include "app/platform/window_placement.h"
#include "app/widgets/kel_image.h"
#include "core/model/renderer.h"

namespace {

constexpr int kGap = 5;
constexpr int kMagnifyMin = 1;
constexpr int kMagnifyMax = 20;
constexpr int kMagnifyDesign = 3;
constexpr int kWheelStep = 120;  // one notch, in eighths of a degree
constexpr int kHintMilliseconds = 2000;
constexpr int kHintTop = 20;

}  // namespace

TPreviewForm::TPreviewForm(TEditorSession& session, const TViewState& view,
                           const TAsyncTimer& mainTimer, const tinto::IniFile& settings,
                           QWidget* parent)
    : QDialog(parent), m_session(session), m_view(view), m_mainTimer(mainTimer) {
  setObjectName(QStringLiteral("PreviewForm"));
  setWindowTitle(QStringLiteral("Preview"));
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  m_timer.SetThreadPriority(QThread::HighestPriority);
  m_timer.SetOnTimer([this] { TimerTimer(); });
  CreateControls();
  setGeometry(CentredOnScreen(QSize(kDesignClientWidth, kDesignClientHeight)));
  FormCreate(settings);
}

TPreviewForm::~TPreviewForm() {
  qApp->removeEventFilter(this);
  EndPanning();
  m_timer.SetEnabled(false);
}

void TPreviewForm::CreateControls() {
  m_panel = new QWidget(this);
  m_panel->setObjectName(QStringLiteral("Panel"));
  m_magnify = new QSpinBox(m_panel);
  m_magnify->setObjectName(QStringLiteral("Magnify"));
  m_magnify->setRange(kMagnifyMin, kMagnifyMax);
  m_magnify->setValue(kMagnifyDesign);
  m_magnify->setKeyboardTracking(false);
  m_pf = new QCheckBox(QStringLiteral("Pseudo Fli"), m_panel);
  m_pf->setObjectName(QStringLiteral("PF"));
  m_pf->setEnabled(false);
  m_noFlic = new QCheckBox(QStringLiteral("No Flic"), m_panel);
  m_noFlic->setObjectName(QStringLiteral("NoFlic"));
  m_ok = new QPushButton(QStringLiteral("OK"), m_panel);
  m_ok->setObjectName(QStringLiteral("OK"));
  m_ok->setDefault(true);

  m_pnImage = new QWidget(this);
  m_pnImage->setObjectName(QStringLiteral("pnImage"));
  // A click on the picture takes the focus from the spin edit, so that the wheel zooms again.
  m_pnImage->setFocusPolicy(Qt::ClickFocus);
  // Black round the picture, as the machine's border would be.
  QPalette palette = m_pnImage->palette();
  palette.setColor(QPalette::Window, Qt::black);
  m_pnImage->setPalette(palette);
  m_pnImage->setAutoFillBackground(true);
  // A skin's background for every widget would cover the palette's.
  m_pnImage->setStyleSheet(QStringLiteral("#pnImage { background-color: #000000; }"));
  m_prev1 = CreateImage("Prev1", &m_bitmap1);
  m_prev2 = CreateImage("Prev2", &m_bitmap2);
  m_prev2->hide();
  m_fullScreenHint = new QLabel(QStringLiteral("Esc or Alt+Enter leaves full screen"), m_pnImage);
  m_fullScreenHint->setObjectName(QStringLiteral("FullScreenHint"));
  // Its own colours: it lies over the black border, whatever the skin gives labels.
  m_fullScreenHint->setStyleSheet(QStringLiteral(
      "color: #ffffff; background-color: #505050; border: 1px solid #a0a0a0; padding: 6px 12px;"));
  m_fullScreenHint->hide();
  m_hintTimer = new QTimer(this);
  m_hintTimer->setObjectName(QStringLiteral("FullScreenHintTimer"));
  m_hintTimer->setSingleShot(true);
  m_hintTimer->setInterval(kHintMilliseconds);
  connect(m_hintTimer, &QTimer::timeout, m_fullScreenHint, &QWidget::hide);

  connect(m_magnify, &QSpinBox::valueChanged, this, &TPreviewForm::MagnifyChange);
  connect(m_pf, &QCheckBox::toggled, this, &TPreviewForm::PFClick);
  connect(m_noFlic, &QCheckBox::toggled, this, &TPreviewForm::NoFlicClick);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

TKelImage* TPreviewForm::CreateImage(const char* name, QImage* bitmap) {
  auto* image = new TKelImage(m_pnImage);
  image->setObjectName(QString::fromLatin1(name));
  image->SetPicture(bitmap);
  connect(image, &TKelImage::MouseDown, this,
          [this, image](QMouseEvent* event) { Prev1MouseDown(image, event); });
  connect(image, &TKelImage::MouseMove, this,
          [this, image](QMouseEvent* event) { Prev1MouseMove(image, event); });
  connect(image, &TKelImage::MouseUp, this, &TPreviewForm::Prev1MouseUp);
  return image;
}

void TPreviewForm::FormCreate(const tinto::IniFile& settings) {
  // Sees the key presses and wheel turns of every control before the control does.
  qApp->installEventFilter(this);
  m_fullScreen = false;
  PreviewSettings stored;
  stored.bounds = geometry();
  LoadPreviewSettings(settings, stored);
  m_magnify->setValue(stored.magnify);
  m_noFlic->setChecked(stored.noFlic);
  // The keys are read state first, bounds after; applied the other way round, because a window
  // un-maximizes to the bounds it had when it was maximized.
  setGeometry(FittedToScreen(stored.bounds));
  setWindowState(stored.maximized ? Qt::WindowMaximized : Qt::WindowNoState);
  m_prev1->SetStretch(true);
  m_prev2->SetStretch(true);
}

tinto::Status TPreviewForm::WriteSettings(tinto::IniFile& settings) const {
  PreviewSettings stored;
  stored.magnify = m_magnify->value();
  stored.noFlic = m_noFlic->isChecked();
  // The full-screen view is a maximized window without a border.
  stored.maximized = isMaximized() || isFullScreen();
  stored.normalState = !stored.maximized && !isMinimized();
  stored.bounds = geometry();
  return SavePreviewSettings(settings, stored);
}

void TPreviewForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow())
    FormActivate();
  else
    FormDeactivate();
}

void TPreviewForm::FormActivate() {
  m_timer.SetInterval(m_mainTimer.Interval());
  Render();
  MagnifyChange();
  m_timer.SetEnabled(true);
}

void TPreviewForm::FormDeactivate() { m_timer.SetEnabled(false); }

void TPreviewForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  m_pnImage->setFocus();
  // Reopened in full-screen view, the window has no control that says how to get out of it.
  if (m_fullScreen) ShowFullScreenHint();
}

void TPreviewForm::ShowFullScreenHint() {
  m_fullScreenHint->adjustSize();
  PlaceFullScreenHint();
  m_fullScreenHint->raise();
  m_fullScreenHint->show();
  m_hintTimer->start();
}

// Centred at the top of the picture area, which reaches its full-screen size only after showing.
void TPreviewForm::PlaceFullScreenHint() {
  m_fullScreenHint->move((m_pnImage->width() - m_fullScreenHint->width()) / 2, kHintTop);
}

// A hidden window never flickers, whatever order the window system reports activation in, and
// a pan cut short by Esc must not leave the pointer's shape behind.
void TPreviewForm::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  m_hintTimer->stop();
  m_fullScreenHint->hide();
  EndPanning();
  m_timer.SetEnabled(false);
}

void TPreviewForm::Render() {
  if (!isVisible()) return;
  const bool timerWasOn = m_timer.Enabled();
  m_timer.SetEnabled(false);
  const tinto::ScreenGeometry& geometry = m_session.Geometry();
  const QSize size(geometry.WidthPixels(), geometry.DY());
  for (QImage* bitmap : {&m_bitmap1, &m_bitmap2})
    if (bitmap->size() != size) *bitmap = QImage(size, QImage::Format_BGR888);
  m_image.width = size.width() * m_magnify->value();
  m_image.height = size.height() * m_magnify->value();
  const tinto::RenderOptions options{m_view.Attributes(), m_noFlic->isChecked()};
  tinto::RenderScreen(m_session.Screen(), geometry, options,
                      {{}, {}, BitmapViewOf(m_bitmap1), BitmapViewOf(m_bitmap2)});
  m_prev1->PictureChanged();
  m_prev2->PictureChanged();
  PlaceImages();
  m_timer.SetEnabled(timerWasOn);
}

void TPreviewForm::MagnifyChange() {
  if (!isVisible() || m_image.width <= 0 || m_image.height <= 0 || m_bitmap1.isNull()) return;
  m_image = tinto::ZoomAboutCentre(m_image, {m_bitmap1.width(), m_bitmap1.height()},
                                   m_magnify->value(), ViewportExtent());
  PlaceImages();
}

// The controls' geometry is in logical pixels; the picture's in device pixels, drawn from the
// control's top left so that each picture pixel stays a whole square.
void TPreviewForm::PlaceImages() {
  const qreal ratio = devicePixelRatioF();
  const QRect logical(qRound(m_image.left / ratio), qRound(m_image.top / ratio),
                      qCeil(m_image.width / ratio), qCeil(m_image.height / ratio));
  for (TKelImage* image : {m_prev1, m_prev2}) {
    image->setGeometry(logical);
    image->SetStretchDeviceSize(QSize(m_image.width, m_image.height));
  }
}

tinto::Extent TPreviewForm::ViewportExtent() const {
  const qreal ratio = devicePixelRatioF();
  return {qRound(m_pnImage->width() * ratio), qRound(m_pnImage->height() * ratio)};
}

void TPreviewForm::NoFlicClick() {
  if (!isVisible()) return;
  if (m_noFlic->isChecked()) {
    m_prev1->show();
    m_prev2->hide();
  } else {
    PFClick();
  }
  Render();
}

void TPreviewForm::PFClick() {
  Render();
  m_prev1->show();
  m_prev2->hide();
}

void TPreviewForm::TimerTimer() {
  if (!m_noFlic->isChecked() && isVisible()) {
    const bool firstShown = !m_prev1->isHidden();
    m_prev2->setVisible(firstShown);
    m_prev1->setVisible(!firstShown);
  }
  WaitForVerticalRetrace(this);
}

QPoint TPreviewForm::PointerOnImage(const QWidget* image, const QMouseEvent& event) const {
  const QPointF inViewport = image->mapTo(m_pnImage, event.position());
  const qreal ratio = devicePixelRatioF();
  return {qRound(inViewport.x() * ratio) - m_image.left,
          qRound(inViewport.y() * ratio) - m_image.top};
}

void TPreviewForm::Prev1MouseDown(const QWidget* image, QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_pressPoint = PointerOnImage(image, *event);
  m_storedPosition = {m_image.left, m_image.top};
  m_panning = true;
}

// The picture moves by the pointer's displacement, which puts the pointer back on the picture
// point it was pressed on: the picture follows the pointer one to one until an edge stops it.
void TPreviewForm::Prev1MouseMove(const QWidget* image, QMouseEvent* event) {
  if (!m_panning) return;
  if (!m_panCursorShown) {
    m_prev1->setCursor(Qt::SizeAllCursor);
    m_prev2->setCursor(Qt::SizeAllCursor);
    QApplication::setOverrideCursor(Qt::SizeAllCursor);
    m_panCursorShown = true;
  }
  const QPoint moved = PointerOnImage(image, *event) - m_pressPoint;
  const tinto::Extent viewport = ViewportExtent();
  m_image.left =
      tinto::PanAxis(m_image.left, m_image.width, m_storedPosition.x(), moved.x(), viewport.width);
  m_image.top =
      tinto::PanAxis(m_image.top, m_image.height, m_storedPosition.y(), moved.y(), viewport.height);
  m_storedPosition = {m_image.left, m_image.top};
  PlaceImages();
}

void TPreviewForm::Prev1MouseUp() { EndPanning(); }

void TPreviewForm::EndPanning() {
  m_panning = false;
  if (!m_panCursorShown) return;
  m_prev1->unsetCursor();
  m_prev2->unsetCursor();
  QApplication::restoreOverrideCursor();
  m_panCursorShown = false;
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
  if (m_typedKeys.Forwarding() || !watched->isWidgetType() ||
      static_cast<QWidget*>(watched)->window() != this)
    return QDialog::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    const auto& key = *static_cast<QKeyEvent*>(event);
    FormKeyDown(key);
    m_typedKeys.Forward(watched, key);
    return true;
  }
  // A focused spin edit keeps the wheel for itself, except in full-screen view, where it is
  // out of sight.
  if (event->type() == QEvent::Wheel && (m_fullScreen || !m_magnify->hasFocus())) {
    FormMouseWheel(*static_cast<QWheelEvent*>(event));
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TPreviewForm::keyPressEvent(QKeyEvent* event) { event->accept(); }

void TPreviewForm::FormKeyDown(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = event.modifiers() & Qt::KeypadModifier;
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && (event.modifiers() & Qt::AltModifier)) {
    if (m_fullScreen)
      LeaveFullScreen();
    else
      EnterFullScreen();
  } else if (key == Qt::Key_F) {
    m_noFlic->toggle();
  } else if (m_fullScreen && keypad && key == Qt::Key_Plus) {
    m_magnify->setValue(m_magnify->value() + 1);
  } else if (m_fullScreen && keypad && key == Qt::Key_Minus) {
    m_magnify->setValue(m_magnify->value() - 1);
  } else if (key == Qt::Key_Escape) {
    reject();
  }
}

// Touch pads turn the wheel in fractions of a notch; a step is taken per whole notch.
void TPreviewForm::FormMouseWheel(const QWheelEvent& event) {
  m_wheelDelta += event.angleDelta().y();
  for (; m_wheelDelta >= kWheelStep; m_wheelDelta -= kWheelStep) FormMouseWheelUp();
  for (; m_wheelDelta <= -kWheelStep; m_wheelDelta += kWheelStep) FormMouseWheelDown();
}

void TPreviewForm::FormMouseWheelUp() { m_magnify->setValue(m_magnify->value() - 1); }

void TPreviewForm::FormMouseWheelDown() { m_magnify->setValue(m_magnify->value() + 1); }

void TPreviewForm::EnterFullScreen() {
  m_boundsBeforeFullScreen = geometry();
  m_fullScreen = true;
  m_panel->hide();
  showFullScreen();
  FormResize();
}

void TPreviewForm::LeaveFullScreen() {
  m_fullScreen = false;
  m_panel->show();
  showNormal();
  setGeometry(m_boundsBeforeFullScreen);
  FormResize();
}

void TPreviewForm::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TPreviewForm::FormResize() {
  for (QWidget* control : {static_cast<QWidget*>(m_magnify), static_cast<QWidget*>(m_pf),
                           static_cast<QWidget*>(m_noFlic), static_cast<QWidget*>(m_ok)})
    control->resize(control->sizeHint());
  const bool okLower = m_ok->height() < m_pf->height() || m_ok->height() < m_magnify->height();
  const int panelHeight = (okLower ? m_magnify->height() : m_ok->height()) + 2 * kGap;
  m_panel->setGeometry(0, 0, width(), panelHeight);
  m_ok->move(m_panel->width() - kGap - m_ok->width(), (panelHeight - m_ok->height()) / 2);
  m_magnify->move(kGap, (panelHeight - m_magnify->height()) / 2);
  m_pf->move(m_magnify->x() + m_magnify->width() + kGap, (panelHeight - m_pf->height()) / 2);
  m_noFlic->move(m_pf->x() + m_pf->width() + kGap, m_pf->y());
  const int imageTop = m_panel->isHidden() ? 0 : panelHeight;
  m_pnImage->setGeometry(0, imageTop, width(), height() - imageTop);
  PlaceFullScreenHint();
  MagnifyChange();
}
