#include "app/widgets/wait_form.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {
constexpr int kClientWidth = 174;
constexpr int kClientHeight = 47;
const QColor kMaroon(128, 0, 0);
const QColor kBevelGrey(128, 128, 128);
}  // namespace

TWait::TWait(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_mess(new QLabel(this)) {
  setObjectName(QStringLiteral("TWait"));
  setWindowTitle(QStringLiteral("Please Wait..."));
  setFixedSize(kClientWidth, kClientHeight);
  setCursor(Qt::WaitCursor);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, kMaroon);
  setPalette(pal);
  setAutoFillBackground(true);

  m_mess->setObjectName(QStringLiteral("Mess"));
  m_mess->setTextFormat(Qt::PlainText);
  m_mess->setCursor(Qt::WaitCursor);
  m_mess->setAttribute(Qt::WA_TranslucentBackground);
  QFont font(QStringLiteral("Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  m_mess->setFont(font);
  QPalette labelPal = m_mess->palette();
  labelPal.setColor(QPalette::WindowText, Qt::white);
  m_mess->setPalette(labelPal);
}

void TWait::SetMessage(const QString& text) {
  m_mess->setText(text);
  m_mess->adjustSize();
  FormActivate();
}

QString TWait::Message() const { return m_mess->text(); }

void TWait::ShowAndPaint() {
  CenterOnDesktop();
  show();
  raise();
  repaint();
  QApplication::processEvents();
}

void TWait::showEvent(QShowEvent* event) {
  FormActivate();
  QWidget::showEvent(event);
}

void TWait::FormActivate() {
  m_mess->move((width() - m_mess->width()) / 2, (height() - m_mess->height()) / 2);
}

void TWait::CenterOnDesktop() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect desktop = screen->availableGeometry();
  move(desktop.left() + (desktop.width() - width()) / 2,
       desktop.top() + (desktop.height() - height()) / 2);
}

void TWait::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  // A one-pixel raised bevel: light on the top and left edges, grey on the bottom and right.
  QPainter painter(this);
  const int w = width();
  const int h = height();
  painter.setPen(Qt::white);
  painter.drawLine(w, 0, 0, 0);
  painter.drawLine(0, 0, 0, h - 1);
  painter.setPen(kBevelGrey);
  painter.drawLine(0, h - 1, w - 1, h - 1);
  painter.drawLine(w - 1, h - 1, w - 1, 0);
}
