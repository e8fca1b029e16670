#include "app/widgets/lum_connect_label.h"

#include <QDesktopServices>
#include <QMouseEvent>

QUrl ConnectUrl(TAddressStyle style, const QString& address) {
  const QString scheme =
      style == TAddressStyle::asMail ? QStringLiteral("mailto:") : QStringLiteral("http://");
  return QUrl(scheme + address);
}

TLumConnectLabel::TLumConnectLabel(const QString& text, QWidget* parent)
    : TLumLabel(text, parent),
      m_opener([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  QFont underlined = font();
  underlined.setUnderline(true);
  setFont(underlined);
}

void TLumConnectLabel::enterEvent(QEnterEvent* event) {
  TLumLabel::enterEvent(event);
  m_rememberedColor = palette().color(foregroundRole());
  QPalette highlighted = palette();
  highlighted.setColor(foregroundRole(), m_highlightColor);
  setPalette(highlighted);
  setCursor(Qt::PointingHandCursor);
}

void TLumConnectLabel::leaveEvent(QEvent* event) {
  TLumLabel::leaveEvent(event);
  if (!m_rememberedColor.isValid()) return;
  QPalette restored = palette();
  restored.setColor(foregroundRole(), m_rememberedColor);
  setPalette(restored);
}

void TLumConnectLabel::mouseReleaseEvent(QMouseEvent* event) {
  TLumLabel::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) return;
  emit Clicked();
  emit Opened(m_opener(ConnectUrl(m_addressStyle, m_address)));
}
