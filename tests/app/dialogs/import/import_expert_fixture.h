#pragma once
// An Import Expert on a settings file in a per-test folder, with scripted messages, and small
// pictures written by the tests themselves.

#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/import/import_sliders.h"
#include "app/dialogs/import/import_tool_bar.h"
#include "app/gui_test.h"
#include "core/format/ini_file.h"

namespace tinto::test {

class ImportExpertTest : public WindowTest {
 protected:
  TImportExpert& Create(const std::string& settingsText = {}) {
    if (!settingsText.empty()) WriteAll(SettingsPath(), settingsText);
    const IniFile settings(SettingsPath());
    ImportExpertLinks links{[] { return quint16{5}; }, [] { return false; }};
    m_expert = std::make_unique<TImportExpert>(settings, m_messages, std::move(links));
    return *m_expert;
  }

  // Shown, exposed and active, with the magnification at 1 so that control pixels are
  // picture pixels unless a test says otherwise.
  TImportExpert& CreateShown(const std::string& settingsText = "[Import]\nMagnify=1\n") {
    TImportExpert& expert = Create(settingsText);
    expert.Start();
    ShowActive(expert);
    return expert;
  }

  // A PNG of `width` x `height` whose pixel (x, y) is (x * 4, y * 4, 128), so conversions of
  // different parts of it differ.
  QString WritePicture(const std::string& name, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb((x * 4) & 255, (y * 4) & 255, 128));
    EXPECT_TRUE(image.save(QPath(name)));
    return QPath(name);
  }

  QSlider* Slider(const char* name) const { return m_expert->Sliders()->Slider(name); }
  QSpinBox* Spin(const char* name) const { return m_expert->ToolBar()->Spin(name); }

  std::unique_ptr<TImportExpert> m_expert;
};

}  // namespace tinto::test
