#include "app/main_settings.h"

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/color_form.h"
#include "app/color_panel.h"
#include "app/colors_preview_panel.h"
#include "app/geometry_bar.h"
#include "app/main_form.h"
#include "app/mode_bar.h"
#include "app/open_dialog.h"
#include "app/tool_palette.h"
#include "app/window_placement.h"
#include "core/format/settings_keys.h"

namespace setting = tinto::setting;
using tinto::ReadSetting;
using tinto::ReadSettingBool;

namespace {

// Window bounds beyond these are no screen's; a garbage value must not ask the window system
// for an impossible window.
constexpr int kMaxPosition = 16384;
constexpr int kMaxSize = 16384;

void LoadBounds(TMainForm& form, const tinto::IniFile& ini) {
  // Without saved bounds the window starts centred; a client rectangle at 0, 0 would put the
  // frame's title bar above the screen.
  const QRect current = CentredOnScreen(form.geometry().size());
  const int left =
      std::clamp(ReadSetting(ini, setting::kMainLeft, current.x()), -kMaxPosition, kMaxPosition);
  const int top =
      std::clamp(ReadSetting(ini, setting::kMainTop, current.y()), -kMaxPosition, kMaxPosition);
  const int width = std::clamp(ReadSetting(ini, setting::kMainWidth, current.width()), 1, kMaxSize);
  const int height =
      std::clamp(ReadSetting(ini, setting::kMainHeight, current.height()), 1, kMaxSize);
  form.setGeometry(KeptOnScreen(QRect(left, top, width, height)));
  form.setWindowState(ReadSettingBool(ini, setting::kMainMaximized) ? Qt::WindowMaximized
                                                                    : Qt::WindowNoState);
}

void LoadViewOptions(TMainForm& form, const tinto::IniFile& ini) {
  form.Panel4()->SetRolledUp(ReadSettingBool(ini, setting::kMainColorPanel));
  form.SetGrid(ReadSettingBool(ini, setting::kMainGrid));
  TModeBar* bar = form.Panel2();
  (ReadSetting(ini, setting::kMainScreen) == 0 ? bar->S_1() : bar->S_2())->setChecked(true);
  bar->SetDrawMode(ReadSetting(ini, setting::kMainDrawMode));
  bar->TMagnify()->setValue(ReadSetting(ini, setting::kMainMagnify));
  form.ColorPanel()->SetNoFlic(true);
}

void LoadPanelOptions(TMainForm& form, const tinto::IniFile& ini) {
  TColorPanel* panel = form.ColorPanel();
  panel->SetBright(ReadSettingBool(ini, setting::kMainBright));
  panel->SetTransAttr(ReadSettingBool(ini, setting::kMainTransparent));
  panel->SetAttributes(ReadSettingBool(ini, setting::kMainUseAttributes));
  const int interval = ReadSetting(ini, setting::kMainTimerInterval);
  form.Timer().SetInterval(static_cast<quint16>(std::clamp(interval, 0, 0xFFFF)));
  form.PnTools()->pSize()->setValue(ReadSetting(ini, setting::kMainPencilSize));
  form.PnTools()->SelectTool(ReadSetting(ini, setting::kMainTool));
}

void LoadColors(TMainForm& form, const tinto::IniFile& ini) {
  // Only the colour and bright bits of each form are kept, so that a hand-edited value can
  // never put paper bits into an ink or set the uninterpreted bit 7 of a written attribute.
  constexpr int kInkMask = tinto::kInkBits | tinto::kBrightBit;
  constexpr int kPaperMask = tinto::kPaperBits | tinto::kBrightBit;
  TColorPanel* panel = form.ColorPanel();
  panel->SetInk1(static_cast<std::uint8_t>(ReadSetting(ini, setting::kColorsInk1) & kInkMask));
  panel->SetInk2(static_cast<std::uint8_t>(ReadSetting(ini, setting::kColorsInk2) & kInkMask));
  panel->SetPaper1(
      static_cast<std::uint8_t>(ReadSetting(ini, setting::kColorsPaper1) & kPaperMask));
  panel->SetPaper2(
      static_cast<std::uint8_t>(ReadSetting(ini, setting::kColorsPaper2) & kPaperMask));
}

void LoadSize(TMainForm& form, const tinto::IniFile& ini) {
  TGeometryBar* bar = form.SizePanel();
  bar->DX()->setValue(ReadSetting(ini, setting::kSizeDX));
  bar->DY()->setValue(ReadSetting(ini, setting::kSizeDY));
  bar->MLTLeft()->setValue(ReadSetting(ini, setting::kSizeMltLeft));
  bar->MLTWidth()->setValue(ReadSetting(ini, setting::kSizeMltWidth));
  // The controls clamp each value alone; a hand-edited window that reaches past DX is clamped
  // here as a later edit would, so that the bar shows what will be saved.
  const tinto::MltWindow fitted =
      tinto::ClampMltWindow(form.Geometry().Window(), form.Geometry().DX());
  bar->MLTLeft()->setValue(fitted.left);
  bar->MLTWidth()->setValue(fitted.width);
}

// Writes keys one by one until the first failure; later writes are skipped.
class SettingsWriter {
 public:
  explicit SettingsWriter(tinto::IniFile& ini) : m_ini(ini) {}

  void Int(const tinto::SettingKey& key, int value) {
    if (m_status) m_status = tinto::WriteSetting(m_ini, key, value);
  }
  void Bool(const tinto::SettingKey& key, bool value) {
    if (m_status) m_status = tinto::WriteSettingBool(m_ini, key, value);
  }
  void String(const tinto::SettingKey& key, const std::string& value) {
    if (m_status) m_status = tinto::WriteSettingString(m_ini, key, value);
  }
  const tinto::Status& Result() const { return m_status; }

 private:
  tinto::IniFile& m_ini;
  tinto::Status m_status = tinto::Status::Ok();
};

void SaveMain(TMainForm& form, SettingsWriter& out) {
  if (!form.isMaximized() && !form.isMinimized() && !form.isFullScreen()) {
    const QRect bounds = form.geometry();
    out.Int(setting::kMainLeft, bounds.x());
    out.Int(setting::kMainTop, bounds.y());
    out.Int(setting::kMainWidth, bounds.width());
    out.Int(setting::kMainHeight, bounds.height());
  }
  out.Bool(setting::kMainMaximized, form.isMaximized());
  out.Bool(setting::kMainColorPanel, form.Panel4()->RolledUp());
  out.Bool(setting::kMainGrid, form.Panel2()->Grid()->isChecked());
  out.Int(setting::kMainScreen, form.Panel2()->S_1()->isChecked() ? 0 : 1);
  out.Int(setting::kMainDrawMode, form.DrawMode());
  out.Int(setting::kMainMagnify, form.Panel2()->TMagnify()->value());
  if (form.ColorForm() != nullptr) out.Bool(setting::kMainVSync, form.ColorForm()->VSyncChecked());
  const TColorPanel* panel = form.ColorPanel();
  out.Bool(setting::kMainBright, panel->BrightChecked());
  out.Bool(setting::kMainTransparent, panel->TransAttrChecked());
  out.Bool(setting::kMainUseAttributes, panel->AttributesChecked());
  out.Int(setting::kMainTimerInterval, form.Timer().Interval());
  const int tool = form.PnTools()->CurrentTool();
  if (tool >= 0) out.Int(setting::kMainTool, tool);
  out.Int(setting::kMainPencilSize, form.PnTools()->pSize()->value());
}

void SaveColorsAndSize(TMainForm& form, SettingsWriter& out) {
  const TColorPanel* panel = form.ColorPanel();
  out.Int(setting::kColorsInk1, panel->Ink1());
  out.Int(setting::kColorsInk2, panel->Ink2());
  out.Int(setting::kColorsPaper1, panel->Paper1());
  out.Int(setting::kColorsPaper2, panel->Paper2());
  const TGeometryBar* bar = form.SizePanel();
  out.Int(setting::kSizeDX, bar->DX()->value());
  out.Int(setting::kSizeDY, bar->DY()->value());
  out.Int(setting::kSizeMltLeft, bar->MLTLeft()->value());
  out.Int(setting::kSizeMltWidth, bar->MLTWidth()->value());
}

}  // namespace

void LoadMainSettings(TMainForm& form, const tinto::IniFile& ini) {
  form.Actions().SkinEnabled->setChecked(ReadSettingBool(ini, setting::kSkinEnabled));
  form.SetSkinFileName(tinto::ReadSettingString(ini, setting::kSkinName));
  LoadBounds(form, ini);
  LoadViewOptions(form, ini);
  LoadPanelOptions(form, ini);
  LoadColors(form, ini);
  LoadSize(form, ini);
  form.SetSaveTreePanelState(ReadSettingBool(ini, setting::kDialogsSaveTree));
}

tinto::Status SaveMainSettings(TMainForm& form, tinto::IniFile& ini) {
  SettingsWriter out(ini);
  out.Bool(setting::kSkinEnabled, form.Actions().SkinEnabled->isChecked());
  out.String(setting::kSkinName, StoredSkinName(form.SkinFileName(), form.ProgramDir()));
  SaveMain(form, out);
  SaveColorsAndSize(form, out);
  if (const TfrmOpen* openDialog = form.OpenDialog())
    out.Bool(setting::kDialogsOpenTree, openDialog->TreeRolledUp());
  out.Bool(setting::kDialogsSaveTree, form.SaveTreePanelState());
  return out.Result();
}

std::string StoredSkinName(const std::string& skinFileName, const std::string& programDir) {
  std::string name = skinFileName;
  if (!programDir.empty() && name.starts_with(programDir)) name.erase(0, programDir.size());
  std::error_code error;
  if (!std::filesystem::is_regular_file(programDir + name, error)) return {};
  return name;
}
