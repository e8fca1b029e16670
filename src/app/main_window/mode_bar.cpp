#include "app/main_window/mode_bar.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <algorithm>

#include "app/editor/view_state.h"
#include "app/skin/control_metrics.h"
#include "core/model/pointer_mapping.h"

TModeBar::TModeBar(TViewState& view, QWidget* parent)
    : QWidget(parent), m_view(view), m_scrPanel(new QWidget(this)), m_modePanel(new QWidget(this)) {
  setObjectName(QStringLiteral("Panel2"));
  setFixedHeight(kDesignHeight);
  m_scrPanel->setObjectName(QStringLiteral("ScrPanel"));
  m_modePanel->setObjectName(QStringLiteral("ModePanel"));
  m_s1 = AddRadio(m_scrPanel, "S_1", "1");
  m_s2 = AddRadio(m_scrPanel, "S_2", "2");
  m_or = AddRadio(m_modePanel, "M_or", "or");
  m_xor = AddRadio(m_modePanel, "M_xor", "xor");
  m_cls = AddRadio(m_modePanel, "M_cls", "cls");
  (view.EditedFrame() == 0 ? m_s1 : m_s2)->setChecked(true);
  ModeRadio(view.DrawMode())->setChecked(true);

  m_grid = new QCheckBox(QStringLiteral("Grid"), this);
  m_grid->setObjectName(QStringLiteral("Grid"));
  m_grid->setToolTip(QStringLiteral("Use Grid (bugged)"));
  m_grid->setChecked(view.Grid());
  m_magLab = new QLabel(QStringLiteral("Mag:"), this);
  m_magLab->setObjectName(QStringLiteral("MagLab"));
  m_magnify = new QSpinBox(this);
  m_magnify->setObjectName(QStringLiteral("TMagnify"));
  m_magnify->setRange(tinto::kMagnificationRange.min, tinto::kMagnificationRange.max);
  m_magnify->setValue(view.Magnification());
  m_magnify->setKeyboardTracking(false);
  m_magnify->setToolTip(QStringLiteral("Magnify Factor"));
  m_progress = new QProgressBar(this);
  m_progress->setObjectName(QStringLiteral("ProgressBar1"));
  m_progress->setRange(0, 100);
  m_progress->setFormat(QStringLiteral("Working... %p%"));
  m_progress->hide();
  ConnectView();
}

void TModeBar::ConnectView() {
  QRadioButton* const frames[] = {m_s1, m_s2};
  for (int frame = 0; frame < 2; ++frame)
    connect(frames[frame], &QRadioButton::toggled, this, [this, frame](bool on) {
      if (on) m_view.SetEditedFrame(frame);
    });
  for (const tinto::DrawMode mode :
       {tinto::DrawMode::Or, tinto::DrawMode::Xor, tinto::DrawMode::Cls})
    connect(ModeRadio(mode), &QRadioButton::toggled, this, [this, mode](bool on) {
      if (on) m_view.SetDrawMode(mode);
    });
  connect(m_grid, &QCheckBox::clicked, &m_view, &TViewState::SetGrid);
  connect(m_magnify, &QSpinBox::valueChanged, &m_view, &TViewState::SetMagnification);
  connect(&m_view, &TViewState::Changed, this, &TModeBar::ShowSetting);
}

QRadioButton* TModeBar::ModeRadio(tinto::DrawMode mode) const {
  switch (mode) {
    case tinto::DrawMode::Or:
      return m_or;
    case tinto::DrawMode::Xor:
      return m_xor;
    case tinto::DrawMode::Cls:
      break;
  }
  return m_cls;
}

void TModeBar::ShowSetting(ViewSetting what) {
  switch (what) {
    case ViewSetting::EditedFrame:
      (m_view.EditedFrame() == 0 ? m_s1 : m_s2)->setChecked(true);
      break;
    case ViewSetting::DrawMode:
      ModeRadio(m_view.DrawMode())->setChecked(true);
      break;
    case ViewSetting::Grid:
      m_grid->setChecked(m_view.Grid());
      break;
    case ViewSetting::Magnification:
      m_magnify->setValue(m_view.Magnification());
      break;
    default:
      break;
  }
}

QRadioButton* TModeBar::AddRadio(QWidget* panel, const char* name, const char* caption) {
  auto* radio = new QRadioButton(QString::fromLatin1(caption), panel);
  radio->setObjectName(QString::fromLatin1(name));
  return radio;
}

ModeBarMetrics TModeBar::FittedToText(ModeBarMetrics metrics) const {
  const auto fit = [](int& width, const QWidget* control) {
    width = std::max(width, control->sizeHint().width());
  };
  fit(metrics.grid, m_grid);
  fit(metrics.screen1, m_s1);
  fit(metrics.screen2, m_s2);
  fit(metrics.modeOr, m_or);
  fit(metrics.modeXor, m_xor);
  fit(metrics.modeCls, m_cls);
  metrics.spin = metrics.spin.expandedTo(m_magnify->sizeHint());
  return metrics;
}

void TModeBar::Layout(const ModeBarMetrics& metrics) {
  const int barHeight = height();
  m_s1->resize(metrics.screen1, m_s1->sizeHint().height());
  m_s2->resize(metrics.screen2, m_s2->sizeHint().height());
  m_or->resize(metrics.modeOr, m_or->sizeHint().height());
  m_xor->resize(metrics.modeXor, m_xor->sizeHint().height());
  m_cls->resize(metrics.modeCls, m_cls->sizeHint().height());
  m_grid->resize(metrics.grid, m_grid->sizeHint().height());
  m_magnify->resize(metrics.spin);

  m_scrPanel->setGeometry(0, 0, m_s1->width() + m_s2->width() + 15, barHeight);
  const int radioTop = CenteredTop(m_scrPanel->height(), m_s1->height());
  m_s1->move(5, radioTop);
  m_s2->move(RightOf(m_s1) + 5, radioTop);

  m_modePanel->setGeometry(RightOf(m_scrPanel), 0,
                           m_or->width() + m_xor->width() + m_cls->width() + 20, barHeight);
  m_or->move(5, radioTop);
  m_xor->move(RightOf(m_or) + 5, radioTop);
  m_cls->move(RightOf(m_xor) + 5, radioTop);

  m_grid->move(RightOf(m_modePanel) + 5, CenteredTop(barHeight, m_grid->height()));
  m_magLab->adjustSize();
  m_magLab->move(RightOf(m_grid) + 10, CenteredTop(barHeight, m_magLab->height()));
  m_magnify->move(RightOf(m_magLab) + 3, CenteredTop(barHeight, m_magnify->height()));
}

void TModeBar::PlaceProgressBar() {
  const int left = RightOf(m_magnify) + 5;
  m_progress->setGeometry(left, CenteredTop(height(), m_progress->height()), width() - left - 5,
                          m_progress->height());
}
