#include "app/color/color_panel.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QSlider>
#include <QStyle>
#include <initializer_list>

#include "app/color/color_swatch.h"
#include "app/editor/view_state.h"
#include "app/widgets/click_label.h"
#include "core/model/palette.h"
#include "core/model/screen_buffers.h"

namespace {

constexpr int kLeftColumn = 5;
constexpr int kRightColumn = 78;
constexpr int kSwatchTops[3] = {5, 35, 65};
constexpr int kSliderTops[3] = {96, 116, 136};
constexpr int kCheckBoxLeft = 8;
constexpr int kCheckBoxDesignWidth = 81;
constexpr int kCheckBoxTops[4] = {155, 176, 197, 218};
constexpr int kColumnGap = 5;
constexpr int kCancelled = 65535;

void SetNameLabel(TClickLabel* label, std::uint8_t color, tinto::ColorPart part) {
  label->setText(QString::fromStdString(tinto::ShortColorName(color, part)));
  const int value =
      (part == tinto::ColorPart::Ink ? color : tinto::PaperToInk(color)) & tinto::kInkBits;
  // Black and blue swatches are too dark for black letters.
  label->SetTextColor(value <= 1 ? Qt::white : Qt::black);
}

// Moves a slider without its change handler writing back: handlers ignore disabled senders.
void SetSliderQuietly(QSlider* slider, int value) {
  slider->setEnabled(false);
  slider->setValue(value);
  slider->setEnabled(true);
}

}  // namespace

TColorPanel::TColorPanel(TViewState& view, QWidget* parent) : QWidget(parent), m_view(view) {
  setObjectName(QStringLiteral("CPanel"));
  CreateSwatches();
  CreateSliders();
  CreateCheckBoxes();
  RefreshPanel(false);
  resize(2 * kSwatchWidth + 35, kDesignHeight);
  setMinimumHeight(kDesignHeight);
}

void TColorPanel::CreateSwatches() {
  const auto makeSwatch = [this](const char* name, int left, int top) {
    auto* swatch = new TColorSwatch(this);
    swatch->setObjectName(QString::fromLatin1(name));
    swatch->setGeometry(left, top, kSwatchWidth, kSwatchHeight);
    return swatch;
  };
  m_ink1 = makeSwatch("Ink1", kLeftColumn, kSwatchTops[0]);
  m_paper1 = makeSwatch("Paper1", kRightColumn, kSwatchTops[0]);
  m_ink2 = makeSwatch("Ink2", kLeftColumn, kSwatchTops[1]);
  m_paper2 = makeSwatch("Paper2", kRightColumn, kSwatchTops[1]);
  m_inkMix1 = makeSwatch("InkMix1", kLeftColumn, kSwatchTops[2]);
  m_paperMix1 = makeSwatch("PaperMix1", kRightColumn, kSwatchTops[2]);
  m_inkMix1->setToolTip(QStringLiteral("Ink Mix"));
  m_paperMix1->setToolTip(QStringLiteral("Paper Mix"));
  connect(m_inkMix1, &TColorSwatch::MouseDown, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) InkMix2MouseDown(event->globalPosition().toPoint());
  });
  connect(m_paperMix1, &TColorSwatch::MouseDown, this, [this](QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) PaperMix2MouseDown(event->globalPosition().toPoint());
  });

  const auto makeName = [this](const char* name, const char* hint, TColorSwatch* swatch) {
    auto* label = new TClickLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setToolTip(QString::fromLatin1(hint));
    label->setGeometry(swatch->geometry());
    label->raise();
    return label;
  };
  m_ink1Name = makeName("Ink1Name", "Ink 1", m_ink1);
  m_paper1Name = makeName("Paper1Name", "Paper 1", m_paper1);
  m_ink2Name = makeName("Ink2Name", "Ink 2", m_ink2);
  m_paper2Name = makeName("Paper2Name", "Paper 2", m_paper2);
  connect(m_ink1Name, &TClickLabel::Clicked, this, &TColorPanel::Ink1NameClick);
  connect(m_paper1Name, &TClickLabel::Clicked, this, &TColorPanel::Paper1NameClick);
  connect(m_ink2Name, &TClickLabel::Clicked, this, &TColorPanel::Ink2NameClick);
  connect(m_paper2Name, &TClickLabel::Clicked, this, &TColorPanel::Paper2NameClick);
}

void TColorPanel::CreateSliders() {
  const auto makeSlider = [this](const char* name, const char* hint, int left, int top, int value) {
    auto* slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setToolTip(QString::fromLatin1(hint));
    slider->setRange(0, 5);
    slider->setPageStep(1);
    slider->setValue(value);
    slider->setGeometry(left, top, kSwatchWidth, kSliderHeight);
    return slider;
  };
  m_itR = makeSlider("IT_R", "Ink Red", kLeftColumn, kSliderTops[0], 5);
  m_itG = makeSlider("IT_G", "Ink Green", kLeftColumn, kSliderTops[1], 5);
  m_itB = makeSlider("IT_B", "Ink Blue", kLeftColumn, kSliderTops[2], 5);
  m_ptR = makeSlider("PT_R", "Paper Red", kRightColumn, kSliderTops[0], 0);
  m_ptG = makeSlider("PT_G", "Paper Green", kRightColumn, kSliderTops[1], 0);
  m_ptB = makeSlider("PT_B", "Paper Blue", kRightColumn, kSliderTops[2], 0);
  for (QSlider* slider : {m_itR, m_itG, m_itB}) {
    connect(slider, &QSlider::valueChanged, this, [this, slider] { IT_RChange(slider); });
  }
  for (QSlider* slider : {m_ptR, m_ptG, m_ptB}) {
    connect(slider, &QSlider::valueChanged, this, [this, slider] { PT_RChange(slider); });
  }
}

void TColorPanel::CreateCheckBoxes() {
  const auto makeBox = [this](const char* name, const char* caption, const char* hint, int top,
                              bool checked, void (TViewState::*edit)(bool)) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), this);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(QString::fromLatin1(hint));
    box->setGeometry(kCheckBoxLeft, top, kCheckBoxDesignWidth, kCheckBoxHeight);
    box->setChecked(checked);
    connect(box, &QCheckBox::clicked, &m_view, edit);
    return box;
  };
  m_noFlic = makeBox("NoFlic", "No Flic", "Static or Dynamic Lightning", kCheckBoxTops[0],
                     m_view.NoFlic(), &TViewState::SetNoFlic);
  m_transAttr = makeBox("TransAttr", "Transparent", "Transparent Attributes", kCheckBoxTops[1],
                        m_view.Transparent(), &TViewState::SetTransparent);
  m_bright = makeBox("Bright", "Bright", "Use Bright", kCheckBoxTops[2], m_view.Bright(),
                     &TViewState::SetBright);
  m_cbAttrib = makeBox("cbAttrib", "Attributes", "Transparent Attributes", kCheckBoxTops[3],
                       m_view.Attributes(), &TViewState::SetAttributes);
  connect(&m_view, &TViewState::Changed, this, &TColorPanel::ShowSetting);
}

// A box set by anyone runs its click handler, as a user's click would.
void TColorPanel::ShowSetting(ViewSetting what) {
  switch (what) {
    case ViewSetting::NoFlic:
      m_noFlic->setChecked(m_view.NoFlic());
      emit NoFlicClicked();
      break;
    case ViewSetting::Transparent:
      m_transAttr->setChecked(m_view.Transparent());
      break;
    case ViewSetting::Bright:
      m_bright->setChecked(m_view.Bright());
      BrightClick();
      break;
    case ViewSetting::Attributes:
      m_cbAttrib->setChecked(m_view.Attributes());
      emit AttribClicked();
      break;
    default:
      break;
  }
}

std::uint8_t TColorPanel::Ink1() const { return m_view.Ink1(); }
std::uint8_t TColorPanel::Paper1() const { return m_view.Paper1(); }
std::uint8_t TColorPanel::Ink2() const { return m_view.Ink2(); }
std::uint8_t TColorPanel::Paper2() const { return m_view.Paper2(); }
void TColorPanel::SetInk1(std::uint8_t ink) { m_view.SetInk1(ink); }
void TColorPanel::SetPaper1(std::uint8_t paper) { m_view.SetPaper1(paper); }
void TColorPanel::SetInk2(std::uint8_t ink) { m_view.SetInk2(ink); }
void TColorPanel::SetPaper2(std::uint8_t paper) { m_view.SetPaper2(paper); }

void TColorPanel::RefreshPanel(bool withSliders) {
  using tinto::ColorPart;
  m_ink1->SetColor(SwatchColor(tinto::AttrColor(Ink1(), ColorPart::Ink)));
  m_ink2->SetColor(SwatchColor(tinto::AttrColor(Ink2(), ColorPart::Ink)));
  m_paper1->SetColor(SwatchColor(tinto::AttrColor(Paper1(), ColorPart::Paper)));
  m_paper2->SetColor(SwatchColor(tinto::AttrColor(Paper2(), ColorPart::Paper)));
  SetNameLabel(m_ink1Name, Ink1(), ColorPart::Ink);
  SetNameLabel(m_ink2Name, Ink2(), ColorPart::Ink);
  SetNameLabel(m_paper1Name, Paper1(), ColorPart::Paper);
  SetNameLabel(m_paper2Name, Paper2(), ColorPart::Paper);
  m_inkMix1->SetColor(SwatchColor(tinto::MixColor(Ink1(), Ink2())));
  m_paperMix1->SetColor(
      SwatchColor(tinto::MixColor(tinto::PaperToInk(Paper1()), tinto::PaperToInk(Paper2()))));
  if (!withSliders) return;
  const tinto::MixLevels ink = tinto::MixLevelsOf(Ink1(), Ink2(), ColorPart::Ink);
  SetSliderQuietly(m_itR, ink.red);
  SetSliderQuietly(m_itG, ink.green);
  SetSliderQuietly(m_itB, ink.blue);
  const tinto::MixLevels paper = tinto::MixLevelsOf(Paper1(), Paper2(), ColorPart::Paper);
  SetSliderQuietly(m_ptR, paper.red);
  SetSliderQuietly(m_ptG, paper.green);
  SetSliderQuietly(m_ptB, paper.blue);
}

void TColorPanel::SwapMixSwatches() {
  m_inkMix1->SetColor(m_inkMix1->Color() == m_ink1->Color() ? m_ink2->Color() : m_ink1->Color());
  m_paperMix1->SetColor(m_paperMix1->Color() == m_paper1->Color() ? m_paper2->Color()
                                                                  : m_paper1->Color());
}

void TColorPanel::SetColorChooser(ColorChooser chooser) { m_chooser = std::move(chooser); }

bool TColorPanel::NoFlicChecked() const { return m_view.NoFlic(); }
void TColorPanel::SetNoFlic(bool checked) { m_view.SetNoFlic(checked); }
void TColorPanel::SetBright(bool checked) { m_view.SetBright(checked); }
void TColorPanel::SetAttributes(bool checked) { m_view.SetAttributes(checked); }

int TColorPanel::MeasureCheckBoxWidth() const {
  const int caption = QFontMetrics(m_transAttr->font()).horizontalAdvance(m_transAttr->text());
  const QStyle* style = m_transAttr->style();
  const int allowance = style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, m_transAttr) +
                        style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, m_transAttr);
  return caption + allowance + 4;
}

void TColorPanel::ArrangeColumns(int panelWidth, int checkBoxWidth) {
  const int left = (panelWidth - (2 * m_ink1->width() + kColumnGap)) / 2;
  const int right = left + m_ink1->width() + kColumnGap;
  for (QWidget* control : std::initializer_list<QWidget*>{m_ink1, m_ink2, m_inkMix1, m_ink1Name,
                                                          m_ink2Name, m_itR, m_itG, m_itB}) {
    control->move(left, control->y());
  }
  for (QWidget* control : std::initializer_list<QWidget*>{
           m_paper1, m_paper2, m_paperMix1, m_paper1Name, m_paper2Name, m_ptR, m_ptG, m_ptB}) {
    control->move(right, control->y());
  }
  const int boxLeft = (panelWidth - checkBoxWidth) / 2;
  for (QCheckBox* box : {m_transAttr, m_noFlic, m_bright, m_cbAttrib}) {
    box->setGeometry(boxLeft, box->y(), checkBoxWidth, box->height());
  }
}

void TColorPanel::IT_RChange(QSlider* sender) {
  if (!sender->isEnabled()) return;
  const tinto::ColorPair inks = tinto::ColorsFromMixLevels(
      {m_itR->value(), m_itG->value(), m_itB->value()}, m_view.Bright(), tinto::ColorPart::Ink);
  SetInk1(inks.frame0);
  SetInk2(inks.frame1);
  RefreshPanel(false);
}

void TColorPanel::PT_RChange(QSlider* sender) {
  if (!sender->isEnabled()) return;
  const tinto::ColorPair papers = tinto::ColorsFromMixLevels(
      {m_ptR->value(), m_ptG->value(), m_ptB->value()}, m_view.Bright(), tinto::ColorPart::Paper);
  SetPaper1(papers.frame0);
  SetPaper2(papers.frame1);
  RefreshPanel(false);
}

void TColorPanel::BrightClick() {
  if (m_view.Bright()) return;
  SetInk1(Ink1() & tinto::kInkBits);
  SetInk2(Ink2() & tinto::kInkBits);
  SetPaper1(Paper1() & tinto::kPaperBits);
  SetPaper2(Paper2() & tinto::kPaperBits);
  RefreshPanel(true);
}

int TColorPanel::ChooseColor(QPoint globalPos) const {
  return m_chooser ? m_chooser(globalPos) : kCancelled;
}

void TColorPanel::Ink1NameClick(QPoint globalPos) {
  const int r = ChooseColor(globalPos);
  if (r == kCancelled) return;
  SetInk1(static_cast<std::uint8_t>(r & 255));
  RefreshPanel(true);
}

// Like every single-colour pick, this takes the frame-0 byte of the chosen pair.
void TColorPanel::Ink2NameClick(QPoint globalPos) {
  const int r = ChooseColor(globalPos);
  if (r == kCancelled) return;
  SetInk2(static_cast<std::uint8_t>(r & 255));
  RefreshPanel(true);
}

void TColorPanel::Paper1NameClick(QPoint globalPos) {
  const int r = ChooseColor(globalPos);
  if (r == kCancelled) return;
  SetPaper1(tinto::InkToPaper(r));
  RefreshPanel(true);
}

void TColorPanel::Paper2NameClick(QPoint globalPos) {
  const int r = ChooseColor(globalPos);
  if (r == kCancelled) return;
  SetPaper2(tinto::InkToPaper(r));
  RefreshPanel(true);
}

void TColorPanel::InkMix2MouseDown(QPoint globalPos) {
  const int r = ChooseColor(globalPos);
  if (r == kCancelled) return;
  SetInk1(static_cast<std::uint8_t>(r & 255));
  SetInk2(static_cast<std::uint8_t>((r >> 8) & 255));
  RefreshPanel(true);
}

void TColorPanel::PaperMix2MouseDown(QPoint globalPos) {
  const int r = ChooseColor(globalPos);
  if (r == kCancelled) return;
  SetPaper1(tinto::InkToPaper(r));
  SetPaper2(tinto::InkToPaper(r >> 8));
  RefreshPanel(true);
}
