#include "app/dialogs/file/open_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "app/dialogs/file/file_filter.h"
#include "app/dialogs/file/file_list.h"
#include "app/dialogs/file/folder_tree.h"
#include "app/dialogs/file/view_style_icons.h"
#include "app/platform/message_service.h"
#include "app/skin/control_metrics.h"
#include "app/widgets/kel_image.h"
#include "app/widgets/rollup_panel.h"
#include "app/widgets/side_splitter.h"
#include "core/format/ini_file.h"
#include "core/format/settings_keys.h"
#include "picture/picture_io.h"

namespace {

constexpr int kDirWidth = 150;
constexpr int kImageWidth = 164;
constexpr int kSplitterWidth = 10;
constexpr int kSpeedButtonSize = 25;
constexpr int kMinPanelWidth = 40;
constexpr int kLabelLeft = 8;
constexpr int kDesignEditLeft = 72;
const QSize kLevUpSize(75, 30);
const QSize kButtonSize(75, 25);

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// The folder itself when it exists, else its nearest existing parent, else the home folder;
// always clean and absolute, so that it compares equal to what the list and tree report.
QString ExistingFolder(const QString& folder) {
  QString path = QDir::cleanPath(
      QFileInfo(folder.isEmpty() ? QDir::currentPath() : folder).absoluteFilePath());
  while (!QFileInfo(path).isDir()) {
    const QString parent = QFileInfo(path).absolutePath();
    if (parent == path) return QDir::homePath();
    path = parent;
  }
  return path;
}

}  // namespace

TfrmOpen::TfrmOpen(const tinto::IniFile& settings, MessageService& messages,
                   const QString& programDir, QWidget* parent)
    : QDialog(parent), m_messages(messages) {
  setObjectName(QStringLiteral("frmOpen"));
  setWindowTitle(QStringLiteral("Open Picture"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  setSizeGripEnabled(true);
  CreateControls();
  ConnectControls();
  FormCreate(settings, programDir);
  resize(kDesignClientWidth, kDesignClientHeight);
}

TfrmOpen::~TfrmOpen() = default;

std::optional<QString> TfrmOpen::Execute(const OpenRequest& request) {
  const QString filter = m_filter;
  const QString typedName = m_edFileName->text();
  Prepare(request);
  const bool accepted = m_runner ? m_runner(*this) : exec() == QDialog::Accepted;
  if (request.restoresFilterAndName) {
    m_filter = filter;
    m_edFileName->setText(typedName);
  }
  if (!accepted) return std::nullopt;
  return m_fileName;
}

void TfrmOpen::Start(const OpenRequest& request) {
  Prepare(request);
  Start();
}

void TfrmOpen::Start() {
  setResult(QDialog::Rejected);
  show();
}

void TfrmOpen::Prepare(const OpenRequest& request) {
  m_title = request.title;
  m_filter = request.filter;
  m_showPicture = request.showPicture;
  if (!request.startFolder.isEmpty() && QDir(m_directory) == QDir(request.replacedFolder))
    m_directory = QDir::cleanPath(request.startFolder);
}

bool TfrmOpen::TreeRolledUp() const { return m_pnDir->RolledUp(); }

void TfrmOpen::CreateControls() {
  m_pnTools = CreateToolsPanel();
  m_middle = CreateMiddle();
  m_pnEdits = CreateEditsPanel();
}

QWidget* TfrmOpen::CreateToolsPanel() {
  auto* panel = Named(new QWidget(this), "pnTools");
  m_btLevUp = Named(new QPushButton(panel), "btLevUp");
  m_btLevUp->setIcon(style()->standardIcon(QStyle::SP_FileDialogToParent));
  m_btLevUp->setToolTip(QStringLiteral("Up One Level"));
  m_btLevUp->setAutoDefault(false);
  m_btLevUp->resize(kLevUpSize);
  static const char* const kNames[] = {"sbL1", "sbL2", "sbL3", "sbL4"};
  static const char* const kTips[] = {"List", "Small Icons", "Large Icons", "Details"};
  auto* group = new QButtonGroup(panel);
  for (int k = 0; k < 4; ++k) {
    auto* button = Named(new QToolButton(panel), kNames[k]);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setIcon(ViewStyleIcon(static_cast<FileViewStyle>(k), palette()));
    button->setToolTip(QString::fromLatin1(kTips[k]));
    button->resize(kSpeedButtonSize, kSpeedButtonSize);
    group->addButton(button, k);
    m_sbL[static_cast<std::size_t>(k)] = button;
  }
  m_sbL[0]->setChecked(true);
  m_sbStretch = Named(new QToolButton(panel), "sbStretch");
  m_sbStretch->setCheckable(true);
  m_sbStretch->setAutoRaise(true);
  m_sbStretch->setIcon(StretchIcon(palette()));
  m_sbStretch->setToolTip(QStringLiteral("Stretch Preview"));
  m_sbStretch->resize(kSpeedButtonSize, kSpeedButtonSize);
  return panel;
}

QWidget* TfrmOpen::CreateMiddle() {
  auto* middle = new QWidget(this);
  auto* row = new QHBoxLayout(middle);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  m_pnDir = Named(new TRollUpPanel(QString(), middle), "pnDir");
  m_pnDir->SetExpandedWidth(kDirWidth);
  // The end of a long path names the folder itself.
  m_pnDir->SetCaptionElideMode(Qt::ElideLeft);
  m_dirList = Named(new TFolderTree(m_pnDir->Client()), "DirList");
  auto* dirLayout = new QVBoxLayout(m_pnDir->Client());
  dirLayout->setContentsMargins(0, 0, 0, 0);
  dirLayout->addWidget(m_dirList);
  m_dirSplitter = new TSideSplitter(kSplitterWidth, middle);
  auto* pnFiles = Named(new QWidget(middle), "pnFiles");
  m_fileList = Named(new TFileList(pnFiles), "FileList");
  auto* filesLayout = new QVBoxLayout(pnFiles);
  filesLayout->setContentsMargins(0, 0, 0, 0);
  filesLayout->addWidget(m_fileList);
  m_spltImage = Named(new TSideSplitter(kSplitterWidth, middle), "spltImage");
  row->addWidget(m_pnDir);
  row->addWidget(m_dirSplitter);
  row->addWidget(pnFiles, 1);
  row->addWidget(m_spltImage);
  row->addWidget(CreateImagePanel());
  return middle;
}

QWidget* TfrmOpen::CreateImagePanel() {
  m_pnImage = Named(new QWidget(m_middle), "pnImage");
  m_pnImage->setFixedWidth(kImageWidth);
  m_sboxImage = Named(new QScrollArea(m_pnImage), "sboxImage");
  m_sboxImage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  m_image1 = Named(new TKelImage, "Image1");
  m_image1->SetPicture(&m_preview);
  m_image1->SetAutoSize(true);
  m_sboxImage->setWidget(m_image1);
  auto* layout = new QVBoxLayout(m_pnImage);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_sboxImage);
  return m_pnImage;
}

QWidget* TfrmOpen::CreateEditsPanel() {
  auto* panel = Named(new QWidget(this), "pnEdits");
  m_label1 = Named(new QLabel(QStringLiteral("File Name:"), panel), "Label1");
  m_edFileName = Named(new QLineEdit(panel), "edFileName");
  m_label2 = Named(new QLabel(QStringLiteral("File Type:"), panel), "Label2");
  m_filters = Named(new QComboBox(panel), "Filters");
  m_filters->setMaxVisibleItems(8);
  m_btOpen = Named(new QPushButton(QStringLiteral("Open"), panel), "btOpen");
  m_btOpen->setDefault(true);
  m_btCancel = Named(new QPushButton(QStringLiteral("Cancel"), panel), "btCancel");
  m_btCancel->setAutoDefault(false);
  SizeEditControls();
  return panel;
}

// The design sizes, or larger where the current font and frames need it, so that no caption
// is clipped; measured again at every layout, since a skin may have changed them.
void TfrmOpen::SizeEditControls() {
  QSize buttonSize = kButtonSize;
  for (const QPushButton* button : {m_btOpen, m_btCancel})
    buttonSize = buttonSize.expandedTo(QSize(0, button->sizeHint().height()));
  m_btOpen->resize(buttonSize);
  m_btCancel->resize(buttonSize);
  m_label1->adjustSize();
  m_label2->adjustSize();
  const int labelWidth = std::max(m_label1->width(), m_label2->width());
  const int editLeft = std::max(kDesignEditLeft, kLabelLeft + labelWidth + kLabelLeft);
  m_label1->move(kLabelLeft, 0);
  m_label2->move(kLabelLeft, 0);
  m_edFileName->move(editLeft, 0);
  m_filters->move(editLeft, 0);
}

void TfrmOpen::ConnectControls() {
  for (int k = 0; k < 4; ++k)
    connect(m_sbL[static_cast<std::size_t>(k)], &QToolButton::clicked, this,
            [this, k] { SbLClick(k); });
  connect(m_sbStretch, &QToolButton::clicked, this, &TfrmOpen::SbStretchClick);
  connect(m_btLevUp, &QPushButton::clicked, this, &TfrmOpen::BtLevUpClick);
  connect(m_btOpen, &QPushButton::clicked, this, &TfrmOpen::BtOpenClick);
  connect(m_btCancel, &QPushButton::clicked, this, &TfrmOpen::reject);
  connect(m_filters, &QComboBox::currentIndexChanged, this, &TfrmOpen::FiltersChange);
  connect(m_fileList, &TFileList::Click, this, &TfrmOpen::FileListClick);
  connect(m_fileList, &TFileList::DblClick, this, &TfrmOpen::FileListDblClick);
  connect(m_fileList, &TFileList::FolderEntered, this, &TfrmOpen::FollowListFolder);
  connect(m_fileList, &TFileList::SelectItem, this,
          [this](const QString&, bool selected) { FileListSelectItem(selected); });
  connect(m_dirList, &QTreeView::doubleClicked, this, &TfrmOpen::DirListDblClick);
  connect(m_dirSplitter, &TSideSplitter::Dragged, this, [this](int dx) {
    if (m_pnDir->RolledUp()) return;
    const int limit = std::max(kMinPanelWidth, width() / 2);
    m_pnDir->SetExpandedWidth(std::clamp(m_pnDir->ExpandedWidth() + dx, kMinPanelWidth, limit));
  });
  connect(m_spltImage, &TSideSplitter::Dragged, this, [this](int dx) {
    const int limit = std::max(kMinPanelWidth, width() / 2);
    m_pnImage->setFixedWidth(std::clamp(m_pnImage->width() - dx, kMinPanelWidth, limit));
  });
  m_edFileName->installEventFilter(this);
}

void TfrmOpen::FormCreate(const tinto::IniFile& settings, const QString& programDir) {
  m_pnDir->SetRolledUp(tinto::ReadSettingBool(settings, tinto::setting::kDialogsOpenTree));
  connect(m_pnDir, &TRollUpPanel::ChangeRollState, this, &TfrmOpen::PnDirChangeRollState);
  // An installed program's folder holds none of the user's pictures: Open starts in the working
  // folder there, as Save and Export do.
  const bool installed = !tinto::IsWritableFolder(programDir.toStdString());
  m_directory = installed ? QDir::currentPath() : programDir;
  m_filter = QString::fromLatin1(kOpenCreationFilter);
  m_showPicture = false;
  m_title = QStringLiteral("Open...");
}

void TfrmOpen::showEvent(QShowEvent* event) {
  FormActivate();
  QDialog::showEvent(event);
}

void TfrmOpen::hideEvent(QHideEvent* event) {
  FormDeactivate();
  QDialog::hideEvent(event);
}

void TfrmOpen::FormActivate() {
  m_btOpen->setDown(false);
  const QString folder = ExistingFolder(m_directory);
  if (m_pnDir->Caption() != folder) m_pnDir->SetCaption(folder);
  if (m_fileList->Folder() != folder) m_fileList->SetFolder(folder);
  if (!m_pnDir->RolledUp() && m_dirList->SelectedFolder() != folder)
    m_dirList->SelectFolder(folder);
  m_spltImage->setVisible(m_showPicture);
  m_pnImage->setVisible(m_showPicture);
  m_sbStretch->setVisible(m_showPicture);
  if (m_showPicture) m_filter = QString::fromLatin1(kOpenPictureFilter);
  if (!m_filter.isEmpty()) {
    m_typeBoxFilter = m_filter;
    m_filters->clear();
    for (const FileFilterItem& item : ParseFileFilter(m_filter))
      m_filters->addItem(item.description, item.masks);
  }
  m_filters->setCurrentIndex(0);
  FiltersChange();
  if (!m_title.isEmpty()) setWindowTitle(m_title);
  if (!ExtensionFitsFilter(m_edFileName->text(), m_typeBoxFilter)) m_edFileName->clear();
  // The speed buttons' places depend on whether the stretch button shows.
  FormResize();
  // A name or a full path can be typed at once, as in any file dialog.
  m_edFileName->setFocus();
}

void TfrmOpen::FormDeactivate() { m_directory = m_fileList->Folder(); }

void TfrmOpen::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  FormResize();
}

void TfrmOpen::FormResize() {
  const int toolsHeight = m_btLevUp->height() + 10;
  m_pnTools->setGeometry(0, 0, width(), toolsHeight);
  m_btLevUp->move(5, 5);
  const int speedTop = CenteredTop(toolsHeight, m_sbL[0]->height());
  const int stretchLeft = width() - m_sbStretch->width() - 5;
  m_sbStretch->move(stretchLeft, speedTop);
  int left = m_showPicture ? stretchLeft - m_sbL[3]->width() - 15 : stretchLeft;
  for (int k = 3; k >= 0; --k) {
    QToolButton* button = m_sbL[static_cast<std::size_t>(k)];
    button->move(left, speedTop);
    if (k > 0) left -= m_sbL[static_cast<std::size_t>(k - 1)]->width() + 5;
  }

  SizeEditControls();
  const int editsHeight = 2 * m_btOpen->height() + 15;
  m_pnEdits->setGeometry(0, height() - editsHeight, width(), editsHeight);
  m_btOpen->move(width() - m_btOpen->width() - 5, 5);
  m_btCancel->move(m_btOpen->x(), m_btOpen->y() + m_btOpen->height() + 5);
  const int editWidth = width() - m_edFileName->x() - m_btOpen->width() - 15;
  m_edFileName->resize(editWidth, m_edFileName->sizeHint().height());
  m_filters->resize(editWidth, m_filters->sizeHint().height());
  m_edFileName->move(m_edFileName->x(),
                     m_btOpen->y() + CenteredTop(m_btOpen->height(), m_edFileName->height()));
  m_filters->move(m_filters->x(),
                  m_btCancel->y() + CenteredTop(m_btCancel->height(), m_filters->height()));
  m_label1->move(m_label1->x(),
                 m_edFileName->y() + CenteredTop(m_edFileName->height(), m_label1->height()));
  m_label2->move(m_label2->x(),
                 m_filters->y() + CenteredTop(m_filters->height(), m_label2->height()));

  m_middle->setGeometry(0, toolsHeight, width(), std::max(0, height() - toolsHeight - editsHeight));
}

void TfrmOpen::SbLClick(int index) {
  m_sbL[static_cast<std::size_t>(index)]->setChecked(true);
  m_fileList->SetViewStyle(static_cast<FileViewStyle>(index));
}

void TfrmOpen::SbStretchClick() {
  m_previewStretched = !m_previewStretched;
  // The scroll area first, or a resizable area would stretch the natural-size picture again.
  m_sboxImage->setWidgetResizable(m_previewStretched);
  m_image1->SetAutoSize(!m_previewStretched);
  m_image1->SetStretch(m_previewStretched);
  m_sbStretch->setChecked(!m_previewStretched);
}

void TfrmOpen::BtLevUpClick() {
  m_fileList->SetFolder(QFileInfo(m_fileList->Folder()).absolutePath());
  FollowListFolder();
}

void TfrmOpen::BtOpenClick() {
  m_btOpen->setDown(true);
  if (m_selectedPath.isEmpty() || !QFileInfo(m_selectedPath).isFile()) {
    reject();
    return;
  }
  m_fileName = m_selectedPath;
  accept();
}

void TfrmOpen::FiltersChange() { m_fileList->SetMasks(m_filters->currentData().toString()); }

void TfrmOpen::FileListClick() {
  const QString path = m_fileList->SelectedPath();
  if (path.isEmpty() || !m_fileList->SelectedIsFile() || !QFileInfo(path).isFile()) return;
  if (m_showPicture) LoadPreview(path);
  m_selectedPath = path;
  m_edFileName->setText(NameWithoutFolder(path));
}

void TfrmOpen::LoadPreview(const QString& path) {
  tinto::Bitmap24 bitmap;
  if (!tinto::LoadPicture(QFile::encodeName(path).toStdString(), bitmap)) {
    m_messages.ShowMessage(MessageKind::Error, QStringLiteral("Error Image."), MessageButtons::Ok);
    return;
  }
  m_preview = tinto::BitmapToImage(bitmap);
  m_image1->PictureChanged();
}

void TfrmOpen::FileListDblClick() {
  if (m_fileList->SelectedIsFile() && QFileInfo(m_fileList->SelectedPath()).isFile())
    AcceptTypedName();
}

void TfrmOpen::FileListSelectItem(bool selected) {
  if (selected && m_fileList->SelectedIsFile()) FileListClick();
  FollowListFolder();
}

void TfrmOpen::FollowListFolder() {
  const QString& folder = m_fileList->Folder();
  if (m_pnDir->Caption() == folder) return;
  m_pnDir->SetCaption(folder);
  if (!m_pnDir->RolledUp()) m_dirList->SelectFolder(folder);
}

void TfrmOpen::DirListDblClick() {
  const QString folder = m_dirList->SelectedFolder();
  if (folder.isEmpty() || folder == m_pnDir->Caption()) return;
  m_pnDir->SetCaption(folder);
  m_fileList->SetFolder(folder);
}

void TfrmOpen::PnDirChangeRollState() {
  if (!m_pnDir->RolledUp()) m_dirList->SelectFolder(m_fileList->Folder());
}

void TfrmOpen::AcceptTypedName() {
  m_selectedPath = TypedNamePath(m_fileList->Folder(), m_edFileName->text(),
                                 m_filters->currentData().toString());
  BtOpenClick();
}

bool TfrmOpen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_edFileName && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Consumed, so the default button does not run Open a second time.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      AcceptTypedName();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}
