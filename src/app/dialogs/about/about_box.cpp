#include "app/dialogs/about/about_box.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

#include "app/skin/skin_data.h"
#include "app/widgets/caption_panel.h"
#include "app/widgets/lum_connect_label.h"
#include "tinto_version.h"

namespace {

// A title and a close button only: without the close button the window manager is given no
// list of allowed actions and offers them all, minimise and maximise included.
constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                              Qt::CustomizeWindowHint;
constexpr int kCaptionLeft = 8;
constexpr int kValueLeft = 72;
constexpr int kValueWidth = 150;
constexpr int kOkLeft = 92;
constexpr int kLabel1Top = 24;
constexpr int kLabel2Top = 72;

// The title lines keep their font under a skin that sets one for every widget.
const char* const kTitleFontSheet = "font: bold 20px \"Arial\";";

QFont TitleFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(20);
  font.setBold(true);
  return font;
}

TLumLabel* TitleLabel(const QString& text, const QColor& color, QWidget* parent) {
  auto* label = new TLumLabel(text, parent);
  label->setFont(TitleFont());
  label->SetStyleKind(TStyleKind::skNone);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  // The version line and its shadow keep their colours under a skin's text colour.
  label->setStyleSheet(QStringLiteral("color: %1; background: transparent; %2")
                           .arg(color.name(), QLatin1String(kTitleFontSheet)));
  label->AdjustSize();
  return label;
}

}  // namespace

ProgramVersion BuiltVersion() {
  return {kTintoVersionMajor, kTintoVersionMinor, kTintoVersionBuild};
}

QString VersionLine(const ProgramVersion& version) {
  return QStringLiteral("v. %1.%2 build %3")
      .arg(version.major)
      .arg(version.minor)
      .arg(version.build);
}

TAbout::TAbout(const SkinData& skin, std::function<bool()> skinEnabled, QWidget* parent,
               ProgramVersion version)
    : QDialog(parent, kFixedDialogFlags),
      m_skin(skin),
      m_skinEnabled(std::move(skinEnabled)),
      m_label1(new TLumLabel(QStringLiteral("Tinto Editor"), this)),
      m_label5(TitleLabel({}, Qt::black, this)),
      m_label2(TitleLabel({}, QColor(0, 128, 0), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_sysMen(new QMenu(this)),
      m_showSkinInfo1(m_sysMen->addAction(QStringLiteral("Show Skin Info"))) {
  setObjectName(QStringLiteral("About"));
  setWindowTitle(QStringLiteral("About"));
  m_label1->setFont(TitleFont());
  m_label1->setStyleSheet(QLatin1String(kTitleFontSheet));
  m_label1->AdjustSize();
  m_label1->setEnabled(false);
  m_ok->setObjectName(QStringLiteral("OK"));
  m_ok->setDefault(true);
  m_ok->resize(75, 25);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_showSkinInfo1, &QAction::triggered, this, &TAbout::ShowSkinInfo1Click);
  CreateSkinPanel();
  FormCreate(version);
}

void TAbout::CreateSkinPanel() {
  m_skinPanel = new TCaptionPanel(QStringLiteral("Skin Information"), this);
  m_skinPanel->setObjectName(QStringLiteral("SkinPanel"));
  m_skinPanel->setGeometry(kPanelLeft, kPanelTop, kPanelWidth,
                           TCaptionPanel::kDefaultCaptionHeight);
  QWidget* client = m_skinPanel->Client();
  const std::array<const char*, 5> captions = {
      "Name:", "Author:", "Autor URL:", "Author mail:", "Comments:"};
  m_lurl = new TLumConnectLabel(QString(), client);
  m_lurl->SetAddressStyle(TAddressStyle::asHttp);
  m_lemail = new TLumConnectLabel(QString(), client);
  m_values = {new QLabel(client), new QLabel(client), m_lurl, m_lemail, new QLabel(client)};
  for (std::size_t row = 0; row < captions.size(); ++row) {
    // The values come from the skin file: plain text, so that no markup in them is acted on.
    m_values[row]->setTextFormat(Qt::PlainText);
    m_captions[row] = new QLabel(QString::fromLatin1(captions[row]), client);
    m_captions[row]->move(kCaptionLeft, 0);
    m_values[row]->setWordWrap(true);
    m_values[row]->setGeometry(kValueLeft, 0, kValueWidth, 0);
  }
  connect(m_skinPanel, &TCaptionPanel::ChangeRollState, this, &TAbout::SkinPanelChangeRollState);
  connect(m_skinPanel, &TCaptionPanel::Closed, this, &TAbout::SkinPanelClose);
}

void TAbout::FormCreate(const ProgramVersion& version) {
  setFixedSize(kClientWidth, 179);
  m_label2->setText(VersionLine(version));
  m_label5->setText(m_label2->text());
  PlaceTitles();
  m_showSkinInfo = false;
}

// Sized and centred in the font they have now: a skin may have changed it since.
void TAbout::PlaceTitles() {
  for (TLumLabel* label : {m_label1, m_label2, m_label5}) label->AdjustSize();
  m_label1->move((kClientWidth - m_label1->width()) / 2, kLabel1Top);
  m_label2->move((kClientWidth - m_label2->width()) / 2, kLabel2Top);
  m_label5->move(m_label2->x() + 1, m_label2->y() + 1);
}

void TAbout::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

void TAbout::FormActivate() {
  setFixedWidth(kClientWidth);
  PlaceTitles();
  const bool enabled = m_skinEnabled && m_skinEnabled();
  const int caption = enabled ? m_skin.CaptionHeight() : TCaptionPanel::kDefaultCaptionHeight;
  m_skinPanel->SetCaptionHeight(caption);
  const int offset = PlaceSkinRows(caption);
  m_rowsPanelHeight = offset > 0 ? caption + offset + 6 : 0;
  if (offset > 0 && m_showSkinInfo) {
    m_skinPanel->SetExpandedHeight(m_rowsPanelHeight);
    m_skinPanel->show();
    PlaceOK(m_skinPanel->geometry().bottom() + 1 + 8);
    return;
  }
  PlaceOK(m_skinPanel->y());
  m_skinPanel->hide();
}

// Rows with an empty value are hidden; the others stack below the name row's top. Returns the
// height they take (the last row without its gap).
int TAbout::PlaceSkinRows(int captionHeight) {
  const SkinInfo& info = m_skin.Info();
  const std::array<const QString*, 5> values = {&info.name, &info.author, &info.url, &info.email,
                                                &info.comments};
  m_lurl->SetAddress(info.url);
  m_lemail->SetAddress(info.email);
  int offset = 0;
  for (std::size_t row = 0; row < values.size(); ++row) {
    QLabel* value = m_values[row];
    const bool shown = !values[row]->isEmpty();
    value->setVisible(shown);
    m_captions[row]->setVisible(shown);
    if (!shown) continue;
    value->setText(*values[row]);
    value->resize(kValueWidth, value->heightForWidth(kValueWidth));
    const int top = row == 0 ? captionHeight + 3 : m_values[0]->y() + offset;
    value->move(ValueLeft(), top);
    m_captions[row]->adjustSize();  // in the font of the skin on now
    m_captions[row]->move(kCaptionLeft, top);
    offset += value->height() + (row + 1 < values.size() ? 2 : 0);
  }
  return offset;
}

// The design column, or further right when a caption is wider in the current font, so that no
// caption covers the start of its value.
int TAbout::ValueLeft() const {
  int widest = 0;
  for (const QLabel* caption : m_captions) widest = std::max(widest, caption->sizeHint().width());
  return std::max(kValueLeft, kCaptionLeft + widest + 4);
}

void TAbout::ShowSkinInfo1Click() {
  m_showSkinInfo = true;
  // The rows were laid out when the box was shown; the panel takes their height at once, so the
  // information appears with the panel (without rows it keeps the height it last had).
  if (m_rowsPanelHeight > 0) m_skinPanel->SetExpandedHeight(m_rowsPanelHeight);
  PlaceOK(m_skinPanel->geometry().bottom() + 1 + 8);
  m_skinPanel->show();
  m_showSkinInfo1->setEnabled(false);
}

void TAbout::SkinPanelChangeRollState() { PlaceOK(m_skinPanel->geometry().bottom() + 1 + 8); }

void TAbout::SkinPanelClose() {
  PlaceOK(m_skinPanel->y());
  m_showSkinInfo = false;
  m_showSkinInfo1->setEnabled(true);
}

void TAbout::PlaceOK(int top) {
  m_ok->move(kOkLeft, top);
  setFixedHeight(top + m_ok->height() + 5);
}

void TAbout::contextMenuEvent(QContextMenuEvent* event) { m_sysMen->popup(event->globalPos()); }
