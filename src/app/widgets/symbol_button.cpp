#include "app/widgets/symbol_button.h"

#include <QPainter>
#include <QStyleOptionToolButton>
#include <QStylePainter>
#include <algorithm>

namespace {

constexpr int kDesignSize = 18;

// A triangle pointing the symbol's way, inside a square of side `size` at the origin.
QPolygonF Arrow(TSymbolButton::Symbol symbol, qreal size) {
  const qreal s = size;
  switch (symbol) {
    case TSymbolButton::Symbol::Left:
      return QPolygonF({{s * 0.7, 0}, {s * 0.7, s}, {s * 0.2, s / 2}});
    case TSymbolButton::Symbol::Right:
      return QPolygonF({{s * 0.3, 0}, {s * 0.3, s}, {s * 0.8, s / 2}});
    case TSymbolButton::Symbol::Up:
      return QPolygonF({{0, s * 0.7}, {s, s * 0.7}, {s / 2, s * 0.2}});
    default:
      return QPolygonF({{0, s * 0.3}, {s, s * 0.3}, {s / 2, s * 0.8}});
  }
}

}  // namespace

TSymbolButton::TSymbolButton(Symbol symbol, QWidget* parent)
    : QToolButton(parent), m_symbol(symbol) {}

void TSymbolButton::SetSymbol(Symbol symbol) {
  m_symbol = symbol;
  update();
}

QSize TSymbolButton::sizeHint() const { return {kDesignSize, kDesignSize}; }

void TSymbolButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionToolButton option;
  initStyleOption(&option);
  painter.drawComplexControl(QStyle::CC_ToolButton, option);
  // Half the button's side, so that the symbol keeps clear of any border the skin draws.
  const qreal side = std::max(4, std::min(width(), height()) / 2);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate((width() - side) / 2, (height() - side) / 2);
  const QColor ink =
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
  if (m_symbol == Symbol::Cross) {
    painter.setPen(QPen(ink, std::max(1.5, side / 6)));
    painter.drawLine(QPointF(0, 0), QPointF(side, side));
    painter.drawLine(QPointF(side, 0), QPointF(0, side));
    return;
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(ink);
  painter.drawPolygon(Arrow(m_symbol, side));
}
