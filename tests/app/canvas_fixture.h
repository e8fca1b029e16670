#pragma once
// A shown main window on a test picture, and a user's mouse on its canvas.

#include "app/main_form_fixture.h"
#include "core/model/pointer_mapping.h"

namespace tinto::test {

constexpr int kM = 4;  // the magnification of every test picture

// Section, key, value.
using IniOverrides = std::vector<std::array<std::string, 3>>;

// Or mode, attributes written, magnification 4, a 32 x 192 picture with the MLT window at
// columns 0..17; Ink 1 red, Paper 1 blue, Ink 2 green, Paper 2 yellow, none bright.
constexpr const char* kCanvasSettings =
    "[Main]\nDraw Mode=0\nTransparent=0\nUse Attributes=1\nMagnify=4\nTool=2\n"
    "[Colors]\nInk 1=2\nPaper 1=8\nInk 2=4\nPaper 2=48\n"
    "[Size]\nDX=32\nDY=192\nMLT Left=0\nMLT Width=18\n";
// The centre of picture pixel (x, y) on a canvas image; any pixel, also outside the picture.
inline QPoint At(int x, int y) { return QPoint(x * kM + kM / 2, y * kM + kM / 2); }

class CanvasTest : public MainFormTest {
 protected:
  TMainForm& Shown(const IniOverrides& overrides = {}) {
    WriteSettings(kCanvasSettings);
    IniFile settings(SettingsPath());
    for (const auto& [section, key, value] : overrides)
      EXPECT_TRUE(settings.WriteString(section, key, value));
    TMainForm& form = CreateShown();
    ColorPanel(form)->SetNoFlic(true);
    return form;
  }

  TKelImage* Image(TMainForm& form) {
    return Panel2(form)->S_1()->isChecked() ? KelImage(form, "Image_1") : KelImage(form, "Image_2");
  }

  // A drag with the left button over the visible canvas image through the given pixels; every
  // event reports `held` as the modifiers, as the platform does.
  void Drag(TMainForm& form, const std::vector<PixelPoint>& pixels,
            Qt::KeyboardModifiers held = {}) {
    TKelImage* image = Image(form);
    QTest::mousePress(image, Qt::LeftButton, held, At(pixels.front().x, pixels.front().y));
    for (std::size_t i = 1; i < pixels.size(); ++i)
      SendMouse(image, QEvent::MouseMove, At(pixels[i].x, pixels[i].y), Qt::NoButton,
                Qt::LeftButton, held);
    QTest::mouseRelease(image, Qt::LeftButton, held, At(pixels.back().x, pixels.back().y));
  }

  // Hovers without a button, as a user does before pressing; the pointer mode follows.
  void Hover(TMainForm& form, PixelPoint pixel, Qt::KeyboardModifiers held = {}) {
    QTest::mouseMove(Image(form), At(pixel.x, pixel.y));
    SendMouse(Image(form), QEvent::MouseMove, At(pixel.x, pixel.y), Qt::NoButton, Qt::NoButton,
              held);
  }

  // A marquee drawn with the marquee tool from `from` to `to`.
  void Select(TMainForm& form, PixelPoint from, PixelPoint to) {
    PnTools(form)->SelectTool(tinto::ToolButton::Marque);
    Hover(form, {-1, -1});
    Drag(form, {from, to});
  }
};

}  // namespace tinto::test
