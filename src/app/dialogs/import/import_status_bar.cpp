#include "app/dialogs/import/import_status_bar.h"

#include <QLabel>
#include <algorithm>
#include <cmath>

#include "app/skin/control_metrics.h"

namespace {

constexpr int kMinimumSpacing = 8;
constexpr int kQualityMargin = 8;
constexpr int kQualityForms = 3;

// The quality text in one of its forms, from the longest (0) to the shortest.
QString QualityText(const tinto::PictureScore& score, int form) {
  static const char16_t* const kForms[kQualityForms] = {u"Blur ΔE %1 · SSIM %2", u"ΔE %1 · SSIM %2",
                                                        u"%1 / %2"};
  const QString text = QString::fromUtf16(kForms[form]).arg(score.de00Blur, 0, 'f', 2);
  return std::isnan(score.ssimY) ? text.arg(QStringLiteral("-")) : text.arg(score.ssimY, 0, 'f', 3);
}

// "Red 1: 007": the caption followed by the value with leading zeros to three digits.
QString StatusLabelText(const tinto::ImportOptionRow& row, int value) {
  const QString caption = QString::fromLatin1(row.status.caption);
  if (row.decimals > 0) return caption + QString::fromStdString(tinto::OptionValueText(row, value));
  return caption + QStringLiteral("%1").arg(value, 3, 10, QLatin1Char('0'));
}

}  // namespace

TImportStatusBar::TImportStatusBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnStatus"));
  setFixedHeight(kDesignHeight);
  for (const tinto::ImportOptionRow& row : tinto::ImportOptionTable())
    if (row.status.name != nullptr) m_rows.push_back(&row);
  std::sort(m_rows.begin(), m_rows.end(),
            [](auto* a, auto* b) { return a->status.order < b->status.order; });
  for (const tinto::ImportOptionRow* row : m_rows) {
    m_labels.push_back(new QLabel(StatusLabelText(*row, row->range.max), this));
    m_labels.back()->setObjectName(QString::fromLatin1(row->status.name));
  }
  m_message = new QLabel(this);
  m_message->setObjectName(QStringLiteral("lbMessage"));
  m_message->setTextFormat(Qt::PlainText);
  m_message->hide();
  m_quality = new QLabel(this);
  m_quality->setObjectName(QStringLiteral("lbQuality"));
  ShowQuality(std::nullopt);
}

void TImportStatusBar::ShowQuality(const std::optional<tinto::PictureScore>& score) {
  m_score = score;
  QString tip = QStringLiteral(
      "How close the mix of both frames is to the picture:\n"
      "Blur ΔE: the mean colour difference (CIEDE2000) of the two, both blurred as seen from a "
      "distance; lower is better.\n"
      "SSIM: how much of the picture's structure the mix keeps, up to 1; higher is better.");
  if (score)
    tip += QStringLiteral(
               "\nFlicker %1 (worst 8x8 blocks %2): how much the two frames differ "
               "in brightness, 0..1; lower is better.")
               .arg(score->flicker.mean, 0, 'f', 3)
               .arg(score->flicker.block95, 0, 'f', 3);
  m_quality->setToolTip(tip);
  PlaceLabels();
}

void TImportStatusBar::ShowMessage(const QString& text) {
  m_message->setText(text);
  m_message->show();
  for (QLabel* label : m_labels) label->hide();
  PlaceLabels();
}

void TImportStatusBar::ShowValues(const tinto::ImportOptions& options) {
  for (std::size_t i = 0; i < m_labels.size(); ++i) {
    m_labels[i]->setText(StatusLabelText(*m_rows[i], m_rows[i]->Get(options)));
    m_labels[i]->show();
  }
  m_message->hide();
  PlaceLabels();
  repaint();
}

void TImportStatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceLabels();
}

// The design steps are minimums: a font wider than the design's never runs labels together.
int TImportStatusBar::ValuesRight(const std::vector<int>& widths, double gapScale,
                                  std::vector<int>* lefts) const {
  int left = 0;
  int right = 0;
  for (std::size_t i = 0; i < widths.size(); ++i) {
    left = std::max(left + static_cast<int>(m_rows[i]->status.gapBefore * gapScale),
                    right + kMinimumSpacing);
    if (lefts != nullptr) lefts->push_back(left);
    right = left + widths[i];
  }
  return right;
}

int TImportStatusBar::PlaceValues(double gapScale) {
  if (m_message->isVisibleTo(this)) {
    m_message->adjustSize();
    m_message->move(m_rows.empty() ? 0 : m_rows.front()->status.gapBefore,
                    CenteredTop(height(), m_message->height()));
    return RightOf(m_message);
  }
  std::vector<int> widths, lefts;
  for (QLabel* label : m_labels) {
    label->adjustSize();
    widths.push_back(label->width());
  }
  const int right = ValuesRight(widths, gapScale, &lefts);
  for (std::size_t i = 0; i < m_labels.size(); ++i)
    m_labels[i]->move(lefts[i], CenteredTop(height(), m_labels[i]->height()));
  return right;
}

namespace {

// The width `label` takes for `text`: the text's and the label's own margins.
int WidthWith(const QLabel* label, const QString& text) {
  const QFontMetrics metrics = label->fontMetrics();
  return label->sizeHint().width() - metrics.horizontalAdvance(label->text()) +
         metrics.horizontalAdvance(text);
}

}  // namespace

int TImportStatusBar::WidthFor(double gapScale, int form) const {
  std::vector<int> widths;
  for (std::size_t i = 0; i < m_labels.size(); ++i)
    widths.push_back(WidthWith(m_labels[i], StatusLabelText(*m_rows[i], m_rows[i]->range.max)));
  const QString widest = QualityText({99.99, 99.99, 0.999, {}}, form);
  return ValuesRight(widths, gapScale) + kMinimumSpacing + WidthWith(m_quality, widest) +
         kQualityMargin;
}

int TImportStatusBar::MinimumWidth() const { return WidthFor(0.0, 1); }

int TImportStatusBar::PreferredWidth() const { return WidthFor(1.0, 0); }

// The quality goes right-aligned after the values: in its longest form that fits with the
// design's spacing, else with the values drawn closer together, else in a shorter form.
void TImportStatusBar::PlaceLabels() {
  int valuesRight = 0;
  bool fits = false;
  for (int form = 0; form < kQualityForms && !fits; ++form) {
    m_quality->setText(m_score ? QualityText(*m_score, form) : QString());
    m_quality->adjustSize();
    for (double gapScale : {1.0, 0.5, 0.0}) {
      valuesRight = PlaceValues(gapScale);
      fits = valuesRight + kMinimumSpacing + m_quality->width() + kQualityMargin <= width();
      if (fits) break;
    }
  }
  m_quality->move(
      std::max(valuesRight + kMinimumSpacing, width() - m_quality->width() - kQualityMargin),
      CenteredTop(height(), m_quality->height()));
}
