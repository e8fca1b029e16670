#include "app/widgets/caption_panel.h"

#include <QLabel>

#include "app/widgets/symbol_button.h"

TCaptionPanel::TCaptionPanel(const QString& caption, QWidget* parent)
    : QWidget(parent),
      m_caption(new QLabel(caption, this)),
      m_rollButton(new TSymbolButton(TSymbolButton::Symbol::Up, this)),
      m_closeButton(new TSymbolButton(TSymbolButton::Symbol::Cross, this)),
      m_client(new QWidget(this)) {
  m_caption->setObjectName(QStringLiteral("Caption"));
  m_caption->setTextFormat(Qt::PlainText);
  m_rollButton->setObjectName(QStringLiteral("RollButton"));
  m_closeButton->setObjectName(QStringLiteral("CloseButton"));
  m_caption->setAutoFillBackground(true);
  connect(m_rollButton, &QToolButton::clicked, this, [this] { SetRolledUp(!m_rolledUp); });
  connect(m_closeButton, &QToolButton::clicked, this, [this] {
    hide();
    emit Closed();
  });
}

void TCaptionPanel::SetCaptionHeight(int height) {
  m_captionHeight = height;
  ApplyHeight();
}

void TCaptionPanel::SetExpandedHeight(int height) {
  m_expandedHeight = height;
  ApplyHeight();
}

void TCaptionPanel::SetRolledUp(bool rolledUp) {
  if (rolledUp == m_rolledUp) return;
  m_rolledUp = rolledUp;
  m_rollButton->SetSymbol(rolledUp ? TSymbolButton::Symbol::Down : TSymbolButton::Symbol::Up);
  ApplyHeight();
  emit ChangeRollState();
}

void TCaptionPanel::ApplyHeight() {
  resize(width(), m_rolledUp ? m_captionHeight : m_expandedHeight);
}

void TCaptionPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  const int button = m_captionHeight - 4;
  m_caption->setGeometry(0, 0, width(), m_captionHeight);
  m_closeButton->setGeometry(width() - button - 2, 2, button, button);
  m_rollButton->setGeometry(width() - 2 * button - 4, 2, button, button);
  m_client->setGeometry(0, 0, width(), height());
  m_client->lower();
  m_client->setVisible(!m_rolledUp);
}
