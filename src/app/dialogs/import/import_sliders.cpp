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
constexpr int kPageStep = 16;
// The slider groups of the two screens, captioned "Scr 1" and "Scr 2", each with a "Link" box.
constexpr int kScreen1Group = 0;
constexpr int kScreen2Group = 2;

}  // namespace

TImportSliders::TImportSliders(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SliderColumn"));
  m_scr1 = new QLabel(QStringLiteral("Scr 1"), this);
  m_scr1->setObjectName(QStringLiteral("Scr1"));
  m_scr2 = new QLabel(QStringLiteral("Scr 2"), this);
  m_scr2->setObjectName(QStringLiteral("Scr2"));
  for (const tinto::ImportOptionRow& row : tinto::ImportOptionTable())
    if (row.place == tinto::OptionPlace::Sliders) AddSlider(row);
  m_lLink = AddCheck("LLink", "Link");
  m_hLink = AddCheck("HLink", "Link");
  m_rt = AddCheck("RT", "Realtime");
  m_conv = new QPushButton(QStringLiteral("Convert"), this);
  m_conv->setObjectName(QStringLiteral("Conv"));
  m_conv->setAutoDefault(false);
  m_auto = new QPushButton(QStringLiteral("Auto"), this);
  m_auto->setObjectName(QStringLiteral("Auto"));
  m_auto->setAutoDefault(false);
  m_auto->setToolTip(
      QStringLiteral("Find the method and the settings that bring this picture "
                     "closest, keeping its structure"));
  RememberValues();
}

void TImportSliders::AddSlider(const tinto::ImportOptionRow& row) {
  const int index = Count();
  auto* slider = new QSlider(Qt::Vertical, this);
  slider->setObjectName(QString::fromLatin1(row.name.data(), static_cast<int>(row.name.size())));
  slider->setRange(row.range.min, row.range.max);
  slider->setValue(row.Default());
  slider->setPageStep(row.range.max - row.range.min > kPageStep ? kPageStep : 1);
  if (!row.hint.empty())
    slider->setToolTip(QString::fromLatin1(row.hint.data(), static_cast<int>(row.hint.size())));
  connect(slider, &QSlider::valueChanged, this, [this, index] { emit SliderChanged(index); });
  connect(slider, &QSlider::sliderReleased, this, &TImportSliders::StepFinished);
  // Keys, the wheel and clicks beside the handle move the slider without a release; the step
  // is finished once the new value has been applied.
  connect(slider, &QSlider::actionTriggered, this, [this, slider] {
    if (!slider->isSliderDown())
      QMetaObject::invokeMethod(this, &TImportSliders::StepFinished, Qt::QueuedConnection);
  });
  m_sliders.push_back(slider);
  m_rows.push_back(&row);
  m_remembered.push_back(slider->value());
}

QCheckBox* TImportSliders::AddCheck(const char* name, const char* caption) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), this);
  box->setObjectName(QString::fromLatin1(name));
  box->setChecked(true);
  return box;
}

QSlider* TImportSliders::Slider(std::string_view name) const {
  for (int index = 0; index < Count(); ++index)
    if (Row(index).name == name) return Slider(index);
  return nullptr;
}

QCheckBox* TImportSliders::LinkOf(int index) const {
  if (Row(index).group == kScreen1Group) return m_lLink;
  if (Row(index).group == kScreen2Group) return m_hLink;
  return nullptr;
}

void TImportSliders::RememberValues() {
  for (int index = 0; index < Count(); ++index)
    m_remembered[static_cast<std::size_t>(index)] = Slider(index)->value();
}

void TImportSliders::LinkedMove(int index) {
  QCheckBox* link = LinkOf(index);
  if (link == nullptr) return;
  auto remembered = [this](int i) -> int& { return m_remembered[static_cast<std::size_t>(i)]; };
  if (link->isChecked()) {
    const int delta = Slider(index)->value() - remembered(index);
    link->setChecked(false);
    m_movingGroup = true;
    for (int other = 0; other < Count(); ++other) {
      if (other == index || Row(other).group != Row(index).group) continue;
      Slider(other)->setValue(Slider(other)->value() + delta);
      remembered(other) = Slider(other)->value();
    }
    m_movingGroup = false;
    link->setChecked(true);
  }
  remembered(index) = Slider(index)->value();
}

int TImportSliders::SliderWidth() const { return Slider(0)->sizeHint().width(); }

int TImportSliders::SliderLeft(int index, int width) const {
  int left = 0;
  for (int i = 1; i <= index; ++i)
    left += width + (Row(i).group == Row(i - 1).group ? kGapInGroup : kGapBetweenGroups);
  return left;
}

std::pair<int, int> TImportSliders::GroupSpan(int group, int width) const {
  int left = -1, right = 0;
  for (int index = 0; index < Count(); ++index) {
    if (Row(index).group != group) continue;
    if (left < 0) left = SliderLeft(index, width);
    right = SliderLeft(index, width) + width;
  }
  return {std::max(left, 0), right};
}

int TImportSliders::ColumnWidth() const {
  return SliderLeft(Count() - 1, SliderWidth()) + SliderWidth();
}

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
  for (int index = 0; index < Count(); ++index)
    Slider(index)->setGeometry(SliderLeft(index, w), kCaptionHeight, w, sliderHeight);
  const auto [screen1Left, screen1Right] = GroupSpan(kScreen1Group, w);
  const auto [screen2Left, screen2Right] = GroupSpan(kScreen2Group, w);
  for (QLabel* caption : {m_scr1, m_scr2}) caption->adjustSize();
  m_scr1->move((screen1Left + screen1Right - m_scr1->width()) / 2,
               CenteredTop(kCaptionHeight, m_scr1->height()));
  m_scr2->move((screen2Left + screen2Right - m_scr2->width()) / 2, m_scr1->y());
  const int linkTop = kCaptionHeight + sliderHeight + kRowGap;
  m_lLink->move(screen1Left, linkTop);
  m_hLink->move(std::min(screen2Left, width() - m_hLink->width()), linkTop);
  m_rt->move((width() - m_rt->width()) / 2, linkTop + m_lLink->height() + kRowGap);
  // Buttons keep a style's minimum width even for a short caption: in a narrow column they
  // share its width rather than run out of it.
  if (m_conv->width() + kRowGap + m_auto->width() > width()) {
    const int half = std::max(0, (width() - kRowGap) / 2);
    m_conv->resize(half, m_conv->height());
    m_auto->resize(half, m_auto->height());
  }
  const int buttonsLeft = (width() - m_conv->width() - kRowGap - m_auto->width()) / 2;
  m_conv->move(buttonsLeft, m_rt->y() + m_rt->height() + kRowGap);
  m_auto->move(RightOf(m_conv) + kRowGap, m_conv->y());
}
