#pragma once
// A text label drawn with a shadow copy of its text. Choosing a style kind sets the shadow's
// position, colour and size; skCustom keeps them as they are. A disabled label (kind other than
// skCustom) is drawn embossed instead: the text in the button-highlight colour one pixel right
// and down, then in the button-shadow colour on top. With automatic sizing the label is the
// shadow's size wider and taller than its text.

#include <QColor>
#include <QLabel>
#include <QPoint>

enum class TShadowPos { spLeftTop, spLeftBottom, spRightBottom, spRightTop };
enum class TStyleKind { skRaised, skLowered, skShadow, skNone, skCustom };

// Where the shadow copy and the text go, from the text rectangle's corner, for shadow size s.
struct LumTextOffsets {
  QPoint shadow;
  QPoint text;
};
LumTextOffsets LumOffsets(TShadowPos pos, int size);

class TLumLabel : public QLabel {
  Q_OBJECT

 public:
  explicit TLumLabel(const QString& text = {}, QWidget* parent = nullptr);

  void SetStyleKind(TStyleKind kind);

  // Sizes the label to its text plus the shadow.
  void AdjustSize();
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  // Word-wrapped height of the text in `width` less the shadow, plus the shadow.
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The text as measured: an empty caption or a lone "&" counts as one space.
  QString MeasuredText() const;
  void DrawText(QPainter& painter, QPoint offset, const QColor& color);

  QColor m_shadowColor;
  int m_shadowSize = 1;
  TShadowPos m_shadowPos = TShadowPos::spRightBottom;
  TStyleKind m_styleKind = TStyleKind::skLowered;
};
