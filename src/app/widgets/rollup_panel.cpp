#include "app/widgets/rollup_panel.h"

#include <QPainter>

#include "app/widgets/symbol_button.h"

TRollUpPanel::TRollUpPanel(const QString& caption, QWidget* parent)
    : QWidget(parent),
      m_caption(caption),
      m_rollButton(new TSymbolButton(TSymbolButton::Symbol::Right, this)),
      m_client(new QWidget(this)) {
  m_rollButton->setObjectName(QStringLiteral("RollButton"));
  m_rollButton->setAutoRaise(true);
  m_rollButton->setFocusPolicy(Qt::NoFocus);
  connect(m_rollButton, &QToolButton::clicked, this, [this] { SetRolledUp(!m_rolledUp); });
  m_expandedWidth = width();
  ApplyRollState();
}

int TRollUpPanel::CaptionHeight() const { return fontMetrics().height() + 6; }

void TRollUpPanel::SetCaption(const QString& caption) {
  m_caption = caption;
  update();
}

void TRollUpPanel::SetCaptionElideMode(Qt::TextElideMode mode) {
  m_captionElideMode = mode;
  update();
}

void TRollUpPanel::SetRolledUp(bool rolledUp) {
  if (rolledUp == m_rolledUp) return;
  m_rolledUp = rolledUp;
  ApplyRollState();
  emit ChangeRollState();
}

void TRollUpPanel::SetExpandedWidth(int width) {
  m_expandedWidth = width;
  ApplyRollState();
}

void TRollUpPanel::ApplyRollState() {
  // The arrow points where the panel will go when the button is pressed.
  m_rollButton->SetSymbol(m_rolledUp ? TSymbolButton::Symbol::Left : TSymbolButton::Symbol::Right);
  m_rollButton->setToolTip(m_rolledUp ? tr("Unroll") : tr("Roll up"));
  m_client->setVisible(!m_rolledUp);
  setFixedWidth(m_rolledUp ? CaptionHeight() : m_expandedWidth);
  PlaceChildren();
  update();
}

void TRollUpPanel::PlaceChildren() {
  const int bar = CaptionHeight();
  const int button = bar - 4;
  if (m_rolledUp) {
    m_rollButton->setGeometry(2, 2, button, button);
    return;
  }
  m_rollButton->setGeometry(width() - button - 2, 2, button, button);
  m_client->setGeometry(0, bar, width(), height() - bar);
}

void TRollUpPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceChildren();
}

void TRollUpPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int bar = CaptionHeight();
  const QColor barColor = palette().color(QPalette::Highlight);
  painter.setPen(palette().color(QPalette::HighlightedText));
  if (m_rolledUp) {
    painter.fillRect(0, 0, width(), height(), barColor);
    painter.translate(0, height());
    painter.rotate(-90);
    const QRect text(0, 0, height() - bar - 4, width());
    painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                     fontMetrics().elidedText(m_caption, m_captionElideMode, text.width()));
    return;
  }
  painter.fillRect(0, 0, width(), bar, barColor);
  const QRect text(4, 0, width() - bar - 4, bar);
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                   fontMetrics().elidedText(m_caption, m_captionElideMode, text.width()));
}
