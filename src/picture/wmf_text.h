#pragma once
// Text of WMF text records, placed the way GDI places it: the reference point is the text's
// top, baseline or bottom and its left, centre or right, as the text alignment flags say.
// Needs a QGuiApplication (see font_support.h).

#include <QColor>
#include <QPainter>
#include <QPointF>
#include <QString>
#include <optional>

#include "picture/wmf_objects.h"

namespace tinto {

struct WmfTextStyle {
  WmfFont font;
  double pixelsPerUnit = 1;  // device pixels per logical unit of font height
  int align = 0;             // TA_* alignment flags
  QColor color;
  std::optional<QColor> back;  // the box behind the text, when the background is opaque
};

// Draws `text` with its reference point at `origin` (device pixels), replacing the painter's
// transform. Returns the text's advance in device pixels.
double DrawWmfText(QPainter& painter, QPointF origin, const QString& text,
                   const WmfTextStyle& style);

}  // namespace tinto
