#pragma once
// The about box: the program's name drawn embossed, the version line in green over its black
// shadow, and on request ("Show Skin Info" on the right-click menu) the roll-up panel "Skin
// Information" with one row for each piece of the active skin's information that is not
// empty. The client height is always the bottom of OK + 5.

#include <QDialog>
#include <array>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class SkinData;
class TCaptionPanel;
class TLumConnectLabel;
class TLumLabel;

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int build = 0;
};
// The version this program was built as.
ProgramVersion BuiltVersion();
// "v. major.minor build N".
QString VersionLine(const ProgramVersion& version);

class TAbout : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 259;
  static constexpr int kPanelLeft = 9;
  static constexpr int kPanelTop = 136;
  static constexpr int kPanelWidth = 241;

  // `skinEnabled` tells whether "Skin Enabled" is ticked. `skin` must outlive the box.
  TAbout(const SkinData& skin, std::function<bool()> skinEnabled, QWidget* parent = nullptr,
         ProgramVersion version = BuiltVersion());

  TLumLabel* Label1() const { return m_label1; }
  TLumLabel* Label2() const { return m_label2; }
  TLumLabel* Label5() const { return m_label5; }
  TCaptionPanel* SkinPanel() const { return m_skinPanel; }
  QPushButton* OK() const { return m_ok; }
  QAction* ShowSkinInfo1() const { return m_showSkinInfo1; }
  // 0 name, 1 author, 2 URL, 3 e-mail, 4 comments.
  QLabel* ValueLabel(int row) const { return m_values[static_cast<std::size_t>(row)]; }

  void ShowSkinInfo1Click();

 protected:
  void showEvent(QShowEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void FormCreate(const ProgramVersion& version);
  void PlaceTitles();
  void CreateSkinPanel();
  void FormActivate();
  int PlaceSkinRows(int captionHeight);
  int ValueLeft() const;
  void SkinPanelChangeRollState();
  void SkinPanelClose();
  void PlaceOK(int top);

  const SkinData& m_skin;
  std::function<bool()> m_skinEnabled;
  TLumLabel* m_label1;
  TLumLabel* m_label5;
  TLumLabel* m_label2;
  TCaptionPanel* m_skinPanel = nullptr;
  std::array<QLabel*, 5> m_captions{};
  std::array<QLabel*, 5> m_values{};
  TLumConnectLabel* m_lurl = nullptr;
  TLumConnectLabel* m_lemail = nullptr;
  QPushButton* m_ok;
  QMenu* m_sysMen;
  QAction* m_showSkinInfo1;
  bool m_showSkinInfo = false;
  // The panel height the skin rows need, as laid out at the last showing; 0 without rows.
  int m_rowsPanelHeight = 0;
};
