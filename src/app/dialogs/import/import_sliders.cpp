#include "app/dialogs/import/import_sliders.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "app/skin/control_metrics.h"

namespace {

constexpr int kGapInGroup = 1;
constexpr int kGapBetweenGroups = 5;
constexpr int kCaptionHeight = 18;
constexpr int kRowGap = 4;
constexpr int kThresholdPageStep = 16;

// Left of each slider for sliders `w` wide: groups of 3, 2 and 3.
int SliderLeft(int index, int w) {
  int groupGaps = 0;
  if (index >= TImportSliders::kHTH) ++groupGaps;
  if (index >= TImportSliders::kHR) ++groupGaps;
  return index * (w + kGapInGroup) - groupGaps * kGapInGroup + groupGaps * kGapBetweenGroups;
}

}  // namespace

TImportSliders::TImportSliders(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SliderColumn"));
  m_scr1 = new QLabel(QStringLiteral("Scr 1"), this);
  m_scr1->setObjectName(QStringLiteral("Scr1"));
  const tinto::ImportOptions design;
  AddSlider("LR", tinto::kThresholdRange, design.LR, nullptr);
  AddSlider("LG", tinto::kThresholdRange, design.LG, nullptr);
  AddSlider("LB", tinto::kThresholdRange, design.LB, nullptr);
  AddSlider("HTH", tinto::kHthRange, design.HTH, "Half TresHold");
  AddSlider("Contrast", tinto::kContrastRange, design.Contrast, "Contrast");
  m_scr2 = new QLabel(QStringLiteral("Scr 2"), this);
  m_scr2->setObjectName(QStringLiteral("Scr2"));
  AddSlider("HR", tinto::kThresholdRange, design.HR, nullptr);
  AddSlider("HG", tinto::kThresholdRange, design.HG, nullptr);
  AddSlider("HB", tinto::kThresholdRange, design.HB, nullptr);
  m_lLink = AddCheck("LLink", "Link");
  m_hLink = AddCheck("HLink", "Link");
  m_rt = AddCheck("RT", "Realtime");
  m_conv = new QPushButton(QStringLiteral("Convert"), this);
  m_conv->setObjectName(QStringLiteral("Conv"));
  m_conv->setAutoDefault(false);
  m_auto = new QPushButton(QStringLiteral("Auto"), this);
  m_auto->setObjectName(QStringLiteral("Auto"));
  m_auto->setAutoDefault(false);
  m_auto->setToolTip(QStringLiteral("Find the dithered settings that bring this picture closest"));
  RememberValues();
}

QSlider* TImportSliders::AddSlider(const char* name, tinto::IntRange range, int value,
                                   const char* hint) {
  const int index = static_cast<int>(
      std::count_if(m_sliders.begin(), m_sliders.end(), [](QSlider* s) { return s != nullptr; }));
  auto* slider = new QSlider(Qt::Vertical, this);
  slider->setObjectName(QString::fromLatin1(name));
  slider->setRange(range.min, range.max);
  slider->setValue(value);
  slider->setPageStep(range.max - range.min > kThresholdPageStep ? kThresholdPageStep : 1);
  if (hint != nullptr) slider->setToolTip(QString::fromLatin1(hint));
  connect(slider, &QSlider::valueChanged, this, [this, index] { emit SliderChanged(index); });
  connect(slider, &QSlider::sliderReleased, this, &TImportSliders::StepFinished);
  // Keys, the wheel and clicks beside the handle move the slider without a release; the step
  // is finished once the new value has been applied.
  connect(slider, &QSlider::actionTriggered, this, [this, slider] {
    if (!slider->isSliderDown())
      QMetaObject::invokeMethod(this, &TImportSliders::StepFinished, Qt::QueuedConnection);
  });
  m_sliders[static_cast<std::size_t>(index)] = slider;
  return slider;
}

QCheckBox* TImportSliders::AddCheck(const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), this);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(true);
  return box;
}

bool TImportSliders::IsThreshold(int index) { return index != kHTH && index != kContrast; }

int TImportSliders::RememberedSlot(int index) { return index < kHTH ? index : index - 2; }

void TImportSliders::RememberValues() {
  for (int index = 0; index < kSliderCount; ++index)
    if (IsThreshold(index))
      m_remembered[static_cast<std::size_t>(RememberedSlot(index))] = Slider(index)->value();
}

void TImportSliders::LinkedMove(int index) {
  if (!IsThreshold(index)) return;
  const int first = index < kHTH ? kLR : kHR;
  QCheckBox* link = index < kHTH ? m_lLink : m_hLink;
  auto remembered = [this](int i) -> int& {
    return m_remembered[static_cast<std::size_t>(RememberedSlot(i))];
  };
  if (link->isChecked()) {
    const int delta = Slider(index)->value() - remembered(index);
    link->setChecked(false);
    for (int other = first; other < first + 3; ++other) {
      if (other == index) continue;
      Slider(other)->setValue(Slider(other)->value() + delta);
      remembered(other) = Slider(other)->value();
    }
    link->setChecked(true);
  }
  remembered(index) = Slider(index)->value();
}

void TImportSliders::ReadValues(tinto::ImportOptions& o) const {
  o.LR = Slider(kLR)->value();
  o.LG = Slider(kLG)->value();
  o.LB = Slider(kLB)->value();
  o.HTH = Slider(kHTH)->value();
  o.Contrast = Slider(kContrast)->value();
  o.HR = Slider(kHR)->value();
  o.HG = Slider(kHG)->value();
  o.HB = Slider(kHB)->value();
}

void TImportSliders::WriteValues(const tinto::ImportOptions& o) {
  const int values[] = {o.LR, o.LG, o.LB, o.HTH, o.Contrast, o.HR, o.HG, o.HB};
  const bool lowLink = m_lLink->isChecked(), highLink = m_hLink->isChecked();
  m_lLink->setChecked(false);
  m_hLink->setChecked(false);
  for (int index = 0; index < kSliderCount; ++index) Slider(index)->setValue(values[index]);
  m_lLink->setChecked(lowLink);
  m_hLink->setChecked(highLink);
  RememberValues();
}

int TImportSliders::SliderWidth() const { return Slider(kLR)->sizeHint().width(); }

int TImportSliders::ColumnWidth() const { return SliderLeft(kHB, SliderWidth()) + SliderWidth(); }

void TImportSliders::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
}

void TImportSliders::Layout() {
  const int w = SliderWidth();
  for (QCheckBox* box : {m_lLink, m_hLink, m_rt}) box->adjustSize();
  m_conv->adjustSize();
  m_auto->adjustSize();
  const int below = m_lLink->height() + kRowGap + m_rt->height() + kRowGap + m_conv->height();
  const int sliderHeight = std::max(0, height() - kCaptionHeight - kRowGap - below);
  for (int index = 0; index < kSliderCount; ++index)
    Slider(index)->setGeometry(SliderLeft(index, w), kCaptionHeight, w, sliderHeight);
  const int groupWidth = SliderLeft(kLB, w) + w;
  for (QLabel* caption : {m_scr1, m_scr2}) caption->adjustSize();
  m_scr1->move((groupWidth - m_scr1->width()) / 2, CenteredTop(kCaptionHeight, m_scr1->height()));
  m_scr2->move(SliderLeft(kHR, w) + (groupWidth - m_scr2->width()) / 2, m_scr1->y());
  const int linkTop = kCaptionHeight + sliderHeight + kRowGap;
  m_lLink->move(0, linkTop);
  m_hLink->move(std::min(SliderLeft(kHR, w), width() - m_hLink->width()), linkTop);
  m_rt->move((width() - m_rt->width()) / 2, linkTop + m_lLink->height() + kRowGap);
  const int buttonsLeft = (width() - m_conv->width() - kRowGap - m_auto->width()) / 2;
  m_conv->move(buttonsLeft, m_rt->y() + m_rt->height() + kRowGap);
  m_auto->move(RightOf(m_conv) + kRowGap, m_conv->y());
}
