#pragma once
// A shown main window on a test picture, and a user's mouse on its canvas.

#include "app/main_form_fixture.h"
#include "core/model/pointer_mapping.h"

namespace tinto::test {

constexpr int kM = 4;  // the magnification of every test picture

struct Setting {
  std::string section;
  std::string key;
  std::string value;
};
using IniOverrides = std::vector<Setting>;

// Or mode, attributes written, magnification 4, a 32 x 192 picture with the MLT window at
// columns 0..17; Ink 1 red, Paper 1 blue, Ink 2 green, Paper 2 yellow, none bright.
inline std::string SettingsText(const IniOverrides& overrides) {
  std::map<std::string, std::map<std::string, std::string>> ini = {
      {"Main",
       {{"Draw Mode", "0"},
        {"Transparent", "0"},
        {"Use Attributes", "1"},
        {"Magnify", "4"},
        {"Tool", "2"}}},
      {"Colors", {{"Ink 1", "2"}, {"Paper 1", "8"}, {"Ink 2", "4"}, {"Paper 2", "48"}}},
      {"Size", {{"DX", "32"}, {"DY", "192"}, {"MLT Left", "0"}, {"MLT Width", "18"}}}};
  for (const Setting& s : overrides) ini[s.section][s.key] = s.value;
  std::string text;
  for (const auto& [section, keys] : ini) {
    text += "[" + section + "]\n";
    for (const auto& [key, value] : keys) text += key + "=" + value + "\n";
  }
  return text;
}
// The centre of picture pixel (x, y) on a canvas image; any pixel, also outside the picture.
inline QPoint At(int x, int y) { return QPoint(x * kM + kM / 2, y * kM + kM / 2); }

class CanvasTest : public MainFormTest {
 protected:
  TMainForm& Shown(const IniOverrides& overrides = {}) {
    WriteSettings(SettingsText(overrides));
    TMainForm& form = CreateShown();
    form.ColorPanel()->SetNoFlic(true);
    return form;
  }

  TKelImage* Image(TMainForm& form) {
    return form.Panel2()->S_1()->isChecked() ? form.Image_1() : form.Image_2();
  }

  // A drag with the left button over the visible canvas image through the given pixels.
  void Drag(TMainForm& form, const std::vector<PixelPoint>& pixels) {
    TKelImage* image = Image(form);
    QTest::mousePress(image, Qt::LeftButton, {}, At(pixels.front().x, pixels.front().y));
    for (std::size_t i = 1; i < pixels.size(); ++i)
      QTest::mouseMove(image, At(pixels[i].x, pixels[i].y));
    QTest::mouseRelease(image, Qt::LeftButton, {}, At(pixels.back().x, pixels.back().y));
  }

  // Hovers without a button, as a user does before pressing; the pointer mode follows.
  void Hover(TMainForm& form, PixelPoint pixel) {
    QTest::mouseMove(Image(form), At(pixel.x, pixel.y));
  }

  // A marquee drawn with the marquee tool from `from` to `to`.
  void Select(TMainForm& form, PixelPoint from, PixelPoint to) {
    form.PnTools()->SelectTool(kToolMarque);
    Hover(form, {-1, -1});
    Drag(form, {from, to});
  }
};

}  // namespace tinto::test
