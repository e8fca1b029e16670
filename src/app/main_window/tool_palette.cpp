#include "app/main_window/tool_palette.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QSlider>
#include <QToolButton>
#include <algorithm>
#include <iterator>

#include "app/editor/view_state.h"
#include "app/skin/control_metrics.h"
#include "core/model/pencil.h"

namespace {

using Tool = tinto::ToolButton;

constexpr int kButtonSize = 25;
constexpr int kSliderHeight = 120;
// Below this the slider is too short to choose among 50 sizes; it hides with its label.
constexpr int kMinSliderHeight = 40;
constexpr int kGap = 5;
constexpr int kIconSize = 17;

struct ButtonDesign {
  tinto::ToolButton tool;
  const char* name;
  int top;
  const char* tip;  // the tool's name and the key that selects it
};

// Top to bottom as the palette shows them.
constexpr ButtonDesign kButtons[] = {{Tool::Marque, "tbMarque", 5, "Marquee (M)"},
                                     {Tool::Move, "tbMove", 37, "Move"},
                                     {Tool::Brush, "tbBrush", 69, "Brush"},
                                     {Tool::Pencil, "tbPencil", 101, "Pencil (P)"},
                                     {Tool::Pick, "tbPick", 133, "Pick (I)"}};
constexpr int kButtonsBottom = kButtons[std::size(kButtons) - 1].top + kButtonSize;

void DrawGlyph(QPainter& p, Tool tool) {
  switch (tool) {
    case Tool::Marque:
      p.setPen(QPen(Qt::black, 1, Qt::DashLine));
      p.drawRect(2, 3, 12, 10);
      break;
    case Tool::Move:
      p.drawLine(8, 1, 8, 15);
      p.drawLine(1, 8, 15, 8);
      p.drawPolyline(QPolygon({QPoint(5, 4), QPoint(8, 1), QPoint(11, 4)}));
      p.drawPolyline(QPolygon({QPoint(5, 12), QPoint(8, 15), QPoint(11, 12)}));
      p.drawPolyline(QPolygon({QPoint(4, 5), QPoint(1, 8), QPoint(4, 11)}));
      p.drawPolyline(QPolygon({QPoint(12, 5), QPoint(15, 8), QPoint(12, 11)}));
      break;
    case Tool::Brush:
      p.drawLine(14, 2, 7, 9);
      p.setBrush(Qt::black);
      p.drawEllipse(2, 9, 5, 5);
      break;
    case Tool::Pencil:
      p.drawPolygon(
          QPolygon({QPoint(2, 14), QPoint(3, 10), QPoint(12, 1), QPoint(15, 4), QPoint(6, 13)}));
      p.drawLine(3, 10, 6, 13);
      break;
    case Tool::Pick:
      p.setPen(QPen(Qt::black, 2));
      p.drawLine(3, 13, 11, 5);
      p.setBrush(Qt::black);
      p.drawEllipse(10, 1, 5, 5);
      break;
    case Tool::None:
      break;
  }
}

QIcon ToolIcon(Tool tool) {
  QPixmap pixmap(kIconSize, kIconSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawGlyph(painter, tool);
  return QIcon(pixmap);
}

}  // namespace

TToolPalette::TToolPalette(TViewState& view, QWidget* parent) : QWidget(parent), m_view(view) {
  setObjectName(QStringLiteral("pnTools"));
  setFixedWidth(kDesignWidth);
  for (const ButtonDesign& design : kButtons) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(design.name));
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIcon(ToolIcon(design.tool));
    button->setToolTip(QString::fromLatin1(design.tip));
    button->setGeometry(5, design.top, kButtonSize, kButtonSize);
    const Tool tool = design.tool;
    connect(button, &QToolButton::clicked, this, [this, tool] { m_view.SetTool(tool); });
    m_buttons[ButtonIndex(tool)] = button;
  }
  Button(Tool::Brush)->setEnabled(false);

  m_pSize = new QSlider(Qt::Vertical, this);
  m_pSize->setObjectName(QStringLiteral("pSize"));
  m_pSize->setRange(tinto::kPencilSizeRange.min, tinto::kPencilSizeRange.max);
  m_pSize->setValue(view.PencilSize());
  m_pSize->resize(m_pSize->sizeHint().width(), kSliderHeight);
  m_lbPSize = new QLabel(this);
  m_lbPSize->setObjectName(QStringLiteral("lbPSize"));
  connect(m_pSize, &QSlider::valueChanged, &m_view, &TViewState::SetPencilSize);
  connect(&m_view, &TViewState::Changed, this, [this](ViewSetting what) {
    if (what == ViewSetting::Tool) ToolClick(m_view.Tool());
    if (what == ViewSetting::PencilSize) {
      m_pSize->setValue(m_view.PencilSize());
      pSizeChange();
    }
  });
  Button(view.Tool())->setChecked(true);
  pSizeChange();
}

tinto::ToolButton TToolPalette::CurrentTool() const {
  for (const ButtonDesign& design : kButtons)
    if (Button(design.tool)->isChecked()) return design.tool;
  return Tool::None;
}

void TToolPalette::SelectTool(Tool tool) { m_view.SetTool(tool); }

void TToolPalette::ToolClick(Tool tool) {
  for (const ButtonDesign& design : kButtons) Button(design.tool)->setChecked(design.tool == tool);
  pnToolsResize();
  pSizeChange();
  emit ToolChanged();
}

void TToolPalette::pSizeChange() {
  m_lbPSize->setText(QString::number(m_pSize->value()));
  m_lbPSize->adjustSize();
  m_lbPSize->move((width() - m_lbPSize->width()) / 2, m_lbPSize->y());
}

void TToolPalette::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  pnToolsResize();
}

// The slider stands above the label at the bottom and never reaches into the buttons: it
// gives up height down to its minimum, below which it hides with its label.
void TToolPalette::pnToolsResize() {
  m_lbPSize->adjustSize();
  const int labelTop = height() - m_lbPSize->height() - kGap;
  const int room = labelTop - kGap - (kButtonsBottom + kGap);
  const bool fits = room >= kMinSliderHeight;
  const bool shown = fits && Button(Tool::Pencil)->isChecked();
  m_pSize->setVisible(shown);
  m_lbPSize->setVisible(shown);
  if (fits) m_pSize->resize(m_pSize->width(), std::min(kSliderHeight, room));
  m_lbPSize->move((width() - m_lbPSize->width()) / 2, labelTop);
  m_pSize->move((width() - m_pSize->width()) / 2, labelTop - m_pSize->height() - kGap);
}
