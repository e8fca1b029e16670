#include "picture/wmf_text.h"

#include <QFont>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <cstdlib>

extern "C" {
#include <uwmf.h>
}

namespace tinto {
namespace {

constexpr double kMaxFontPixels = 4096;
constexpr double kDefaultFontHeight = 12;  // logical units, for fonts that give no height

QFont FontFor(const WmfTextStyle& style) {
  const WmfFont& f = style.font;
  const double height = f.height != 0 ? std::abs(f.height) : kDefaultFontHeight;
  QFont font(f.face);
  font.setPixelSize(
      static_cast<int>(std::lround(std::clamp(height * style.pixelsPerUnit, 1.0, kMaxFontPixels))));
  font.setWeight(static_cast<QFont::Weight>(f.weight));
  font.setItalic(f.italic);
  font.setUnderline(f.underline);
  font.setStrikeOut(f.strikeOut);
  return font;
}

}  // namespace

double DrawWmfText(QPainter& painter, QPointF origin, const QString& text,
                   const WmfTextStyle& style) {
  const QFont font = FontFor(style);
  const QFontMetricsF metrics(font);
  const double width = metrics.horizontalAdvance(text);
  const int horizontal = style.align & U_TA_CENTER, vertical = style.align & U_TA_BASELINE;
  const double dx = horizontal == U_TA_CENTER ? -width / 2 : horizontal == U_TA_RIGHT ? -width : 0;
  const double dy = vertical == U_TA_BASELINE ? 0
                    : vertical == U_TA_BOTTOM ? -metrics.descent()
                                              : metrics.ascent();
  // Escapement turns the text counter-clockwise on screen.
  painter.setWorldTransform(
      QTransform().translate(origin.x(), origin.y()).rotate(-style.font.escapement / 10.0));
  if (style.back)
    painter.fillRect(QRectF(dx, dy - metrics.ascent(), width, metrics.height()), *style.back);
  painter.setFont(font);
  painter.setPen(style.color);
  painter.drawText(QPointF(dx, dy), text);
  return width;
}

}  // namespace tinto
