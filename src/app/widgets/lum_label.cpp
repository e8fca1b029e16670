#include "app/widgets/lum_label.h"

#include <QPainter>

LumTextOffsets LumOffsets(TShadowPos pos, int size) {
  switch (pos) {
    case TShadowPos::spLeftTop:
      return {{0, 0}, {size, size}};
    case TShadowPos::spLeftBottom:
      return {{0, size}, {size, 0}};
    case TShadowPos::spRightBottom:
      return {{size, size}, {0, 0}};
    case TShadowPos::spRightTop:
      return {{size, 0}, {0, size}};
  }
  return {};
}

TLumLabel::TLumLabel(const QString& text, QWidget* parent)
    : QLabel(text, parent), m_shadowColor(palette().color(QPalette::Light)) {
  // Its text may come from a file (a skin's author, address): never read as HTML, which could
  // make QLabel fetch images from anywhere while measuring it.
  setTextFormat(Qt::PlainText);
}

void TLumLabel::SetStyleKind(TStyleKind kind) {
  const QColor highlight = palette().color(QPalette::Light);
  switch (kind) {
    case TStyleKind::skRaised:
      m_shadowPos = TShadowPos::spLeftTop;
      m_shadowColor = highlight;
      m_shadowSize = 1;
      break;
    case TStyleKind::skLowered:
      m_shadowPos = TShadowPos::spRightBottom;
      m_shadowColor = highlight;
      m_shadowSize = 1;
      break;
    case TStyleKind::skShadow:
      m_shadowPos = TShadowPos::spRightBottom;
      m_shadowColor = palette().color(QPalette::Dark);
      m_shadowSize = 2;
      break;
    case TStyleKind::skNone:
      m_shadowSize = 0;
      break;
    case TStyleKind::skCustom:
      break;
  }
  m_styleKind = kind;
  updateGeometry();
  update();
}

QString TLumLabel::MeasuredText() const {
  const QString shown = text();
  if (shown.isEmpty() || shown == QLatin1String("&")) return QStringLiteral(" ");
  return shown;
}

QSize TLumLabel::sizeHint() const {
  const QSize text = fontMetrics().size(Qt::TextShowMnemonic, MeasuredText());
  const QMargins margins = contentsMargins();
  return text + QSize(m_shadowSize + margins.left() + margins.right(),
                      m_shadowSize + margins.top() + margins.bottom());
}

int TLumLabel::heightForWidth(int width) const {
  return QLabel::heightForWidth(width - m_shadowSize) + m_shadowSize;
}

void TLumLabel::AdjustSize() { resize(sizeHint()); }

void TLumLabel::DrawText(QPainter& painter, QPoint offset, const QColor& color) {
  painter.setPen(color);
  const int wrap = wordWrap() ? int(Qt::TextWordWrap) : 0;
  painter.drawText(contentsRect().translated(offset),
                   int(alignment()) | Qt::TextShowMnemonic | wrap, text());
}

void TLumLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setFont(font());
  if (!isEnabled() && m_styleKind != TStyleKind::skCustom) {
    DrawText(painter, {1, 1}, palette().color(QPalette::Light));
    DrawText(painter, {0, 0}, palette().color(QPalette::Dark));
    return;
  }
  const LumTextOffsets offsets = LumOffsets(m_shadowPos, m_shadowSize);
  if (m_shadowSize > 0) DrawText(painter, offsets.shadow, m_shadowColor);
  DrawText(painter, offsets.text, palette().color(foregroundRole()));
}
