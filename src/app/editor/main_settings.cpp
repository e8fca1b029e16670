#include "app/editor/main_settings.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/editor/view_state.h"
#include "app/editor/window_bounds_settings.h"
#include "core/format/settings_keys.h"

namespace setting = tinto::setting;
using tinto::ReadSetting;
using tinto::ReadSettingBool;
using tinto::SettingsWriter;

namespace {

void LoadViewOptions(const tinto::IniFile& ini, TViewState& view, MainWindowSettings& window) {
  window.colorPanelRolledUp = ReadSettingBool(ini, setting::kMainColorPanel);
  view.SetGrid(ReadSettingBool(ini, setting::kMainGrid));
  view.SetEditedFrame(ReadSetting(ini, setting::kMainScreen) == 0 ? 0 : 1);
  view.SetDrawMode(tinto::DrawModeOfCode(ReadSetting(ini, setting::kMainDrawMode)));
  view.SetMagnification(ReadSetting(ini, setting::kMainMagnify));
  view.SetNoFlic(true);
  view.SetMasterNoFlic(ReadSettingBool(ini, setting::kMainStatic));
  view.SetVSync(ReadSettingBool(ini, setting::kMainVSync));
}

void LoadPanelOptions(const tinto::IniFile& ini, TViewState& view, MainWindowSettings& window) {
  view.SetBright(ReadSettingBool(ini, setting::kMainBright));
  view.SetTransparent(ReadSettingBool(ini, setting::kMainTransparent));
  view.SetAttributes(ReadSettingBool(ini, setting::kMainUseAttributes));
  window.timerInterval = std::clamp(ReadSetting(ini, setting::kMainTimerInterval), 0, 0xFFFF);
  view.SetPencilSize(ReadSetting(ini, setting::kMainPencilSize));
  if (const auto tool = tinto::ToolButtonFromCode(ReadSetting(ini, setting::kMainTool)))
    view.SetTool(*tool);
  window.undoHistory = ReadSettingBool(ini, setting::kMainUndoHistory);
}

void LoadColors(const tinto::IniFile& ini, TViewState& view) {
  view.SetInk1(ReadSetting(ini, setting::kColorsInk1));
  view.SetInk2(ReadSetting(ini, setting::kColorsInk2));
  view.SetPaper1(ReadSetting(ini, setting::kColorsPaper1));
  view.SetPaper2(ReadSetting(ini, setting::kColorsPaper2));
}

void LoadSize(const tinto::IniFile& ini, tinto::ScreenGeometry& geometry) {
  geometry.SetDX(ReadSetting(ini, setting::kSizeDX));
  geometry.SetDY(ReadSetting(ini, setting::kSizeDY));
  geometry.SetMltLeft(ReadSetting(ini, setting::kSizeMltLeft));
  geometry.SetMltWidth(ReadSetting(ini, setting::kSizeMltWidth));
  // Each value is clamped alone; a hand-edited window that reaches past DX is clamped here as
  // a later edit would, so that the bar shows what will be saved.
  const tinto::MltWindow fitted = tinto::ClampMltWindow(geometry.Window(), geometry.DX());
  geometry.SetMltLeft(fitted.left);
  geometry.SetMltWidth(fitted.width);
}

void SaveMain(const TViewState& view, const MainWindowSettings& window, SettingsWriter& out) {
  if (window.normalState) WriteWindowBounds(out, kMainBounds, window.bounds);
  out.Bool(setting::kMainMaximized, window.maximized);
  out.Bool(setting::kMainColorPanel, window.colorPanelRolledUp);
  out.Bool(setting::kMainGrid, view.Grid());
  out.Int(setting::kMainScreen, view.EditedFrame());
  out.Int(setting::kMainDrawMode, tinto::DrawModeCode(view.DrawMode()));
  out.Int(setting::kMainMagnify, view.Magnification());
  out.Bool(setting::kMainVSync, view.VSync());
  out.Bool(setting::kMainBright, view.Bright());
  out.Bool(setting::kMainTransparent, view.Transparent());
  out.Bool(setting::kMainUseAttributes, view.Attributes());
  out.Int(setting::kMainTimerInterval, window.timerInterval);
  out.Int(setting::kMainTool, tinto::ToolButtonCode(view.Tool()));
  out.Int(setting::kMainPencilSize, view.PencilSize());
  out.Bool(setting::kMainUndoHistory, window.undoHistory);
}

void SaveColorsAndSize(const TViewState& view, const tinto::ScreenGeometry& geometry,
                       SettingsWriter& out) {
  out.Int(setting::kColorsInk1, view.Ink1());
  out.Int(setting::kColorsInk2, view.Ink2());
  out.Int(setting::kColorsPaper1, view.Paper1());
  out.Int(setting::kColorsPaper2, view.Paper2());
  out.Int(setting::kSizeDX, geometry.DX());
  out.Int(setting::kSizeDY, geometry.DY());
  out.Int(setting::kSizeMltLeft, geometry.MltLeft());
  out.Int(setting::kSizeMltWidth, geometry.MltWidth());
}

}  // namespace

void LoadMainSettings(const tinto::IniFile& ini, TViewState& view, tinto::ScreenGeometry& geometry,
                      MainWindowSettings& window) {
  window.skinEnabled = ReadSettingBool(ini, setting::kSkinEnabled);
  window.skinFileName = tinto::ReadSettingString(ini, setting::kSkinName);
  window.bounds = ReadWindowBounds(ini, kMainBounds, window.bounds);
  window.maximized = ReadSettingBool(ini, setting::kMainMaximized);
  LoadViewOptions(ini, view, window);
  LoadPanelOptions(ini, view, window);
  LoadColors(ini, view);
  LoadSize(ini, geometry);
  window.saveTreeRolledUp = ReadSettingBool(ini, setting::kDialogsSaveTree);
}

tinto::Status SaveMainSettings(tinto::IniFile& ini, const TViewState& view,
                               const tinto::ScreenGeometry& geometry,
                               const MainWindowSettings& window) {
  SettingsWriter out(ini);
  out.Bool(setting::kSkinEnabled, window.skinEnabled);
  out.String(setting::kSkinName, window.skinFileName);
  SaveMain(view, window, out);
  SaveColorsAndSize(view, geometry, out);
  if (window.openTreeRolledUp) out.Bool(setting::kDialogsOpenTree, *window.openTreeRolledUp);
  out.Bool(setting::kDialogsSaveTree, window.saveTreeRolledUp);
  return out.Result();
}

std::string StoredSkinName(const std::string& skinFileName, const std::string& programDir) {
  std::string name = skinFileName;
  if (!programDir.empty() && name.starts_with(programDir)) name.erase(0, programDir.size());
  std::error_code error;
  if (!std::filesystem::is_regular_file(programDir + name, error)) return {};
  return name;
}
