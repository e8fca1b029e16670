// Every window under every shipped skin (any added to resources/skins too) stays readable: each
// caption fits its control, enabled and disabled controls (and a chosen and an unchosen tool)
// look different, and text, arrows, icons and check marks stand out from what lies under them
// by the contrast ratio WCAG asks of interface parts, 3:1. Switched off, captions fit again.

#include <algorithm>
#include <cmath>
#include <map>

#include "app/color/color_form.h"
#include "app/dialogs/about/about_box.h"
#include "app/dialogs/file/export_dialog.h"
#include "app/dialogs/file/open_dialog.h"
#include "app/dialogs/file/save_dialog.h"
#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/preview/preview_form.h"
#include "app/editor/document_flows.h"
#include "app/editor/export_flow.h"
#include "app/gui_test.h"
#include "app/shell/editor_windows.h"
#include "app/skin/skin_data.h"
#include "app/widgets/kel_image.h"
#include "app/widgets/rollup_panel.h"

namespace tinto::test {
namespace {

constexpr double kReadable = 3.0;
constexpr int kMinInkPixels = 3;  // fewer are edge smoothing, not a mark anyone reads
// A pixel looks changed between two states when its colour moves at least this far in RGB.
constexpr int kChangedDistance = 60;
constexpr int kMinChangedPixels = 12;

double Contrast(QRgb a, QRgb b) {
  const auto linear = [](int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  const auto luminance = [&](QRgb c) {
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
  };
  const double first = luminance(a), second = luminance(b);
  return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

// How far the marks on a part stand out: the contrast ratio to its most common colour (taken
// to 4 bits a channel, so that a gradient counts as one) that at least kMinInkPixels reach.
double InkContrast(const QImage& image) {
  std::map<QRgb, int> buckets;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) ++buckets[image.pixel(x, y) & 0xF0F0F0u];
  if (image.width() * image.height() < kMinInkPixels) return 1.0;
  const QRgb background = std::max_element(buckets.begin(), buckets.end(),
                                           [](auto& a, auto& b) { return a.second < b.second; })
                              ->first |
                          0x080808u;
  std::vector<double> contrasts;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      contrasts.push_back(Contrast(image.pixel(x, y), background));
  std::nth_element(contrasts.begin(), contrasts.begin() + kMinInkPixels - 1, contrasts.end(),
                   std::greater<>());
  return contrasts[kMinInkPixels - 1];
}

int ChangedPixels(const QImage& a, const QImage& b) {
  int changed = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const int dr = qRed(p) - qRed(q), dg = qGreen(p) - qGreen(q), db = qBlue(p) - qBlue(q);
      changed += dr * dr + dg * dg + db * db >= kChangedDistance * kChangedDistance;
    }
  return changed;
}

bool Skipped(const QWidget& window, const QWidget* widget) {
  if (!widget->isVisibleTo(&window) || widget->size().isEmpty() ||
      qobject_cast<const QScrollBar*>(widget) || qobject_cast<const TKelImage*>(widget))
    return true;
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget())
    if (qobject_cast<const QAbstractItemView*>(w) != nullptr) return true;  // items, not parts
  return false;
}

template <typename Option, typename Control>
Option OptionOf(const Control* control) {
  Option option;
  option.initFrom(control);
  if constexpr (std::is_same_v<Option, QStyleOptionSpinBox>) {
    option.subControls = QStyle::SC_All;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
  }
  return option;
}

// Looks at one window under one skin and lists what is unreadable.
class Reader {
 public:
  Reader(std::string skin, bool fitOnly) : m_skin(std::move(skin)), m_fitOnly(fitOnly) {}

  void Read(QWidget& window) {
    QApplication::processEvents();
    for (QWidget* widget : window.findChildren<QWidget*>()) {
      if (Skipped(window, widget)) continue;
      ReadFit(widget);
      if (m_fitOnly) continue;
      if (widget->isEnabled()) ReadContrast(widget);
      ReadStates(widget);
    }
  }

  const std::vector<std::string>& Problems() const { return m_problems; }

 private:
  void Report(const QWidget* widget, const std::string& what) {
    const QString name =
        widget->objectName().isEmpty() ? widget->metaObject()->className() : widget->objectName();
    m_problems.push_back(m_skin + ": " + widget->window()->objectName().toStdString() + "/" +
                         name.toStdString() + ": " + what);
  }

  static QImage Shot(QWidget* widget, const QRect& area) {
    QWidget* window = widget->window();
    return window->grab(QRect(widget->mapTo(window, area.topLeft()), area.size())).toImage();
  }

  void NeedsContrast(QWidget* widget, const QRect& area, const char* what) {
    const double contrast = InkContrast(Shot(widget, area & widget->rect()));
    if (contrast < kReadable) Report(widget, what + (" contrast " + std::to_string(contrast)));
  }

  void NeedsRoom(QWidget* widget, QSize needed, QSize room, const QString& text) {
    if (needed.width() > room.width() || needed.height() > room.height())
      Report(widget, QStringLiteral("'%1' needs %2 px, has %3")
                         .arg(text, QString::number(needed.width()), QString::number(room.width()))
                         .toStdString());
  }

  void ReadFit(QWidget* widget) {
    const QFontMetrics metrics = widget->fontMetrics();
    const auto textSize = [&](const QString& text) {
      return QSize(metrics.horizontalAdvance(QString(text).remove('&')), 0);
    };
    const QStyle* style = widget->style();
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
      NeedsRoom(
          label,
          label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint(),
          label->size(), label->text());
    } else if (auto* push = qobject_cast<QPushButton*>(widget)) {
      auto option = OptionOf<QStyleOptionButton>(push);
      option.features =
          push->autoDefault() ? QStyleOptionButton::AutoDefaultButton : QStyleOptionButton::None;
      const int icon = push->icon().isNull() ? 0 : push->iconSize().width() + 4;
      NeedsRoom(push, textSize(push->text()) + QSize(icon, 0),
                style->subElementRect(QStyle::SE_PushButtonContents, &option, push).size(),
                push->text());
    } else if (auto* tool = qobject_cast<QToolButton*>(widget)) {
      // A skin's border and padding shrink an icon they leave too little room. (Qt's own file
      // dialog gives its tool buttons a pixel less than the plain look asks.)
      if (!tool->icon().isNull() && !m_fitOnly)
        NeedsRoom(tool, tool->sizeHint(), tool->size(), "icon");
    } else if (auto* box = qobject_cast<QAbstractButton*>(widget)) {  // check or radio box
      const auto option = OptionOf<QStyleOptionButton>(box);
      const auto contents = qobject_cast<QCheckBox*>(box) ? QStyle::SE_CheckBoxContents
                                                          : QStyle::SE_RadioButtonContents;
      NeedsRoom(box, textSize(box->text()), style->subElementRect(contents, &option, box).size(),
                box->text());
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      if (TextClipped(combo))
        Report(combo, QStringLiteral("'%1' cut").arg(combo->currentText()).toStdString());
    } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
      const QString widest = spin->prefix() + QString::number(spin->maximum()) + spin->suffix();
      const auto option = OptionOf<QStyleOptionSpinBox>(spin);
      NeedsRoom(
          spin, textSize(widest) + QSize(4, 0),
          style->subControlRect(QStyle::CC_SpinBox, &option, QStyle::SC_SpinBoxEditField, spin)
              .size(),
          widest);
      // Qt once left a removed style sheet's font on the edit inside a spin box.
      if (spin->findChild<QLineEdit*>()->font() != spin->font()) Report(spin, "font of its edit");
    }
  }

  // Style sheets draw a drop-down's text further in than its edit field says: the field is
  // compared as drawn at the box's width and with room to spare.
  static bool TextClipped(QComboBox* combo) {
    const auto option = OptionOf<QStyleOptionComboBox>(combo);
    const int arrow =
        combo->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo)
            .left();
    const QRect field(0, 0, arrow, combo->height());
    const QImage fitted = combo->grab(field).toImage();
    const QSize kept = combo->size();
    combo->resize(kept.width() + 200, kept.height());
    const QImage roomy = combo->grab(field).toImage();
    combo->resize(kept);
    return ChangedPixels(fitted, roomy) >= kMinInkPixels;
  }

  void ReadContrast(QWidget* widget) {
    const QStyle* style = widget->style();
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
      NeedsContrast(label, label->contentsRect(), "text");
    } else if (qobject_cast<QPushButton*>(widget) || qobject_cast<QToolButton*>(widget)) {
      NeedsContrast(widget, widget->rect().adjusted(3, 3, -3, -3), "caption or symbol");
    } else if (auto* box = qobject_cast<QAbstractButton*>(widget)) {
      ReadIndicator(box);
      if (!box->isCheckable() || box->isChecked() || qobject_cast<QRadioButton*>(box)) return;
      const QSignalBlocker quiet(box);
      box->setChecked(true);
      ReadIndicator(box);
      box->setChecked(false);
    } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
      const auto option = OptionOf<QStyleOptionSpinBox>(spin);
      for (const auto part : {QStyle::SC_SpinBoxUp, QStyle::SC_SpinBoxDown})
        NeedsContrast(spin, style->subControlRect(QStyle::CC_SpinBox, &option, part, spin),
                      "arrow");
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      const auto option = OptionOf<QStyleOptionComboBox>(combo);
      NeedsContrast(
          combo,
          style->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo),
          "arrow");
    } else if (auto* panel = qobject_cast<TRollUpPanel*>(widget); panel && !panel->RolledUp()) {
      NeedsContrast(panel, QRect(0, 0, panel->width() / 2, panel->CaptionHeight()), "caption");
    }
  }

  // The check mark against the box, or an empty box against what is round it; then the text.
  void ReadIndicator(QAbstractButton* box) {
    const auto option = OptionOf<QStyleOptionButton>(box);
    const QRect mark = box->style()->subElementRect(qobject_cast<QCheckBox*>(box)
                                                        ? QStyle::SE_CheckBoxIndicator
                                                        : QStyle::SE_RadioButtonIndicator,
                                                    &option, box);
    NeedsContrast(box, mark.adjusted(-1, -1, 1, 1), box->isChecked() ? "check mark" : "box");
    if (!box->text().isEmpty())
      NeedsContrast(box, QRect(mark.right() + 2, 0, box->width(), box->height()), "text");
  }

  // Enabled against disabled, and a chosen tool against an unchosen one (its whole face).
  void ReadStates(QWidget* widget) {
    const bool control = qobject_cast<QAbstractButton*>(widget) ||
                         qobject_cast<QAbstractSpinBox*>(widget) ||
                         qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractSlider*>(widget);
    if (!control || !widget->parentWidget()->isEnabled()) return;
    const bool enabled = widget->isEnabled();
    const QImage before = Shot(widget, widget->rect());
    widget->setEnabled(!enabled);
    const QImage after = Shot(widget, widget->rect());
    widget->setEnabled(enabled);
    if (ChangedPixels(before, after) < kMinChangedPixels) Report(widget, "disabled looks enabled");
    auto* tool = qobject_cast<QToolButton*>(widget);
    if (tool == nullptr || !tool->isCheckable() || !enabled) return;
    const QSignalBlocker quiet(tool);
    const bool chosen = tool->isChecked();
    tool->setChecked(!chosen);
    if (tool->isChecked() == chosen) return;  // the chosen one of an exclusive group
    const QImage toggled = Shot(tool, tool->rect());
    tool->setChecked(chosen);
    if (ChangedPixels(before, toggled) < before.width() * before.height() / 4)
      Report(tool, "chosen looks like not chosen");
  }

  std::string m_skin;
  bool m_fitOnly;
  std::vector<std::string> m_problems;
};

class ReadabilityTest : public WindowTest {
 protected:
  void TearDown() override { qApp->setStyleSheet({}); }

  // Every window shown in turn, as a user meets it, and read.
  void ReadAll(EditorWindows& windows, Reader& reader) {
    TMainForm& form = windows.MainForm();
    const auto read = [&reader](QWidget& window) {
      window.show();
      reader.Read(window);
      window.hide();
      return false;  // as a file dialog's runner: cancelled
    };
    form.show();
    reader.Read(form);
    windows.ColorForm().BeginPick(form.geometry().center());
    read(windows.ColorForm());
    windows.ImportExpert().Start();
    QImage photo(96, 64, QImage::Format_RGB32);
    photo.fill(qRgb(120, 60, 200));
    windows.ImportExpert().OpenSourceImage(photo);
    read(windows.ImportExpert());
    read(windows.PreviewForm());
    OpenRequest pictures;
    pictures.showPicture = true;
    form.OpenDialog()->Start(pictures);
    read(*form.OpenDialog());
    form.SaveDialog().SetRunner(read);
    form.SaveDialog().Execute();
    form.ExportDialog().SetRunner(read);
    form.ExportDialog().Execute();
    windows.About().show();
    windows.About().ShowSkinInfo1Click();
    read(windows.About());
  }
};

// Each skin as the editor starts with it, then replaced by the next one, then switched off.
TEST_F(ReadabilityTest, EveryWindowIsReadableUnderEveryShippedSkinAndAfterIt) {
  const MainFormOptions options{m_dir.Path().string() + "/", SettingsPath(), &m_messages};
  const QDir shipped(QStringLiteral(TINTO_SHIPPED_SKINS));
  const QStringList skins = shipped.entryList({"*.ini", "*.ods"}, QDir::Files, QDir::Name);
  ASSERT_GE(skins.size(), 3);
  std::vector<Reader> readers;
  for (qsizetype i = 0; i < skins.size(); ++i) {
    const std::string name = skins[i].toStdString();
    const QString next = shipped.filePath(skins[(i + 1) % skins.size()]);
    qApp->setStyleSheet({});  // as a program starts
    WriteSettings("[Skin]\nEnabled=1\nName=" + shipped.filePath(skins[i]).toStdString() + "\n");
    EditorWindows windows(options);
    ASSERT_TRUE(windows.MainForm().Skin().Active()) << name;
    ReadAll(windows, readers.emplace_back("started with " + name, false));
    windows.MainForm().SkinCommands().LoadSkinFile(next);
    ReadAll(windows, readers.emplace_back(name + " replaced by " + next.toStdString(), false));
    windows.MainForm().Skin().SwitchOff();
    ReadAll(windows, readers.emplace_back("after " + name, true));
  }
  for (const Reader& reader : readers)
    for (const std::string& problem : reader.Problems()) ADD_FAILURE() << problem;
}

}  // namespace
}  // namespace tinto::test
