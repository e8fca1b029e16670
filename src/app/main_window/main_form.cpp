#include "app/main_window/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>

#include "app/canvas/canvas_area.h"
#include "app/canvas/canvas_controller.h"
#include "app/canvas/clipboard_commands.h"
#include "app/canvas/status_bar.h"
#include "app/color/color_panel.h"
#include "app/dialogs/file/open_dialog.h"
#include "app/editor/document_flows.h"
#include "app/editor/export_flow.h"
#include "app/editor/main_settings.h"
#include "app/editor/undo_commands.h"
#include "app/main_window/colors_preview_panel.h"
#include "app/main_window/display_driver.h"
#include "app/main_window/file_drop_target.h"
#include "app/main_window/geometry_bar.h"
#include "app/main_window/mode_bar.h"
#include "app/main_window/skin_commands.h"
#include "app/main_window/tool_palette.h"
#include "app/platform/instance_slot.h"
#include "app/platform/message_service.h"
#include "app/platform/window_placement.h"
#include "app/skin/control_metrics.h"
#include "app/skin/skin_data.h"
#include "app/widgets/kel_image.h"
#include "core/format/ini_file.h"

TMainForm::TMainForm(MainFormOptions options, QWidget* parent)
    : QMainWindow(parent),
      m_programDir(options.programDir.empty() ? tinto::ProgramDir() : options.programDir),
      m_settingsPath(options.settingsPath.empty() ? tinto::SettingsFilePath(m_programDir)
                                                  : options.settingsPath),
      m_instance(std::make_unique<InstanceSlot>(QString::fromStdString(m_settingsPath))),
      m_messages(options.messages) {
  if (m_messages == nullptr) {
    m_ownMessages = std::make_unique<DialogMessageService>(this);
    m_messages = m_ownMessages.get();
  }
  setObjectName(QStringLiteral("MainForm"));
  BuildWindow();
  TKelImage* preview1 = m_panel4->Preview1();
  TKelImage* preview2 = m_panel4->Preview2();
  m_display = new TDisplayDriver(
      m_session, m_view,
      {this, m_panel3->Image_1(), m_panel3->Image_2(), preview1, preview2, ColorPanel()}, this);
  m_canvas =
      new TCanvasController(m_session, m_view, *m_panel3, *m_sb0, {preview1, preview2}, this);
  m_flows = new TDocumentFlows(m_session, *this, *m_messages, m_saveDialog, this);
  m_export = new TExportFlow(m_session, *this, *m_messages, m_exportDialog, this);
  m_clipboard = new TClipboardCommands(m_session, m_view, *m_canvas,
                                       {m_actions.Cut1, m_actions.Copy1, m_actions.Paste1}, this);
  m_undo = new TUndoCommands(m_session, {m_actions.Undo1, m_actions.Redo1, m_actions.UndoHistory1},
                             this);
  m_canvas->setObjectName(QStringLiteral("CanvasController"));
  m_export->setObjectName(QStringLiteral("ExportFlow"));
  m_undo->setObjectName(QStringLiteral("UndoCommands"));
  new TFileDropTarget(*this, *m_flows);
  m_skinData = new SkinData(this);
  m_skinCommands = new TSkinCommands(*this, *m_skinData);
  // Sees the key presses of every control before the control does (see eventFilter).
  qApp->installEventFilter(this);
  ConnectControls();
  ConnectView();
  ConnectMenu();
  FormCreate();
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  m_display->Pause();
}

void TMainForm::BuildWindow() {
  m_actions = CreateMainActions(this);
  BuildMainMenu(menuBar(), m_actions);
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  m_sizePanel = new TGeometryBar(m_session);
  m_panel2 = new TModeBar(m_view);
  column->addWidget(m_sizePanel);
  column->addWidget(m_panel2);
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  m_pnTools = new TToolPalette(m_view);
  m_panel3 = new TCanvasArea;
  m_panel4 = new TColorsPreviewPanel(m_view);
  row->addWidget(m_pnTools);
  row->addWidget(m_panel3, 1);
  row->addWidget(m_panel4);
  column->addLayout(row, 1);
  m_sb0 = new TStatusBar;
  column->addWidget(m_sb0);
  setCentralWidget(central);
  resize(kDesignClientWidth, kDesignClientHeight + menuBar()->sizeHint().height());

  TDisplayImages& images = m_session.Images();
  m_panel3->Image_1()->SetPicture(images.Image1());
  m_panel3->Image_2()->SetPicture(images.Image2());
  m_panel4->Preview1()->SetPicture(images.Preview1());
  m_panel4->Preview2()->SetPicture(images.Preview2());
}

void TMainForm::ConnectControls() {
  connect(m_sizePanel, &TGeometryBar::GeometryChanged, this, [this] {
    // A marquee of the old size would be drawn outside a smaller picture.
    m_canvas->DropSelection();
    LayoutImages();
  });
  connect(ColorPanel(), &TColorPanel::NoFlicClicked, m_display, &TDisplayDriver::NoFlicClick);
  connect(ColorPanel(), &TColorPanel::AttribClicked, this, &TMainForm::cbAttribClick);
  connect(m_panel4, &TRollUpPanel::ChangeRollState, this, &TMainForm::Panel4ChangeRollState);
  connect(m_panel4, &TColorsPreviewPanel::PPanelResize, this, &TMainForm::Panel4ChangeRollState);
  connect(m_panel4, &TColorsPreviewPanel::Splitter2Moved, this, &TMainForm::FormResize);
  for (TKelImage* preview : {m_panel4->Preview1(), m_panel4->Preview2()})
    connect(preview, &TKelImage::Click, this, [this] { m_display->RunPaused(m_openPreview); });
  connect(m_canvas, &TCanvasController::RefreshRequested, this, &TMainForm::RefreshDisplay);
  connect(m_canvas, &TCanvasController::PictureChanged, this, [this] {
    m_display->RenderScreen();
    RefreshDisplay();
  });
  connect(m_canvas, &TCanvasController::ColorsPicked, this,
          [this] { ColorPanel()->RefreshPanel(true); });
  connect(m_undo, &TUndoCommands::PictureRestored, this, &TMainForm::ShowRestoredPicture);
}

// The bars and panels have shown a setting by the time these handlers run: they connected to
// the view state first.
void TMainForm::ConnectView() {
  connect(&m_view, &TViewState::Changed, this, [this](ViewSetting what) {
    if (what == ViewSetting::EditedFrame) m_display->ShowEditedFrame();
    if (what == ViewSetting::Grid) GridClick();
    if (what == ViewSetting::Magnification) TMagnifyChange();
  });
  connect(&m_session, &TEditorSession::DocumentStateChanged, this, &TMainForm::ShowDocumentState);
}

void TMainForm::ConnectMenu() {
  const TMainActions& a = m_actions;
  connect(a.New1, &QAction::triggered, m_flows, &TDocumentFlows::New1Click);
  connect(a.Open1, &QAction::triggered, m_flows, &TDocumentFlows::Open1Click);
  connect(a.Save1, &QAction::triggered, m_flows, &TDocumentFlows::Save_11Click);
  connect(a.Save2, &QAction::triggered, m_flows, &TDocumentFlows::Save_21Click);
  connect(a.Import1, &QAction::triggered, m_flows, &TDocumentFlows::Import1Click);
  connect(a.Export1, &QAction::triggered, m_export, &TExportFlow::Export1Click);
  connect(a.Grid1, &QAction::triggered, this, &TMainForm::Grid1Click);
  for (QAction* item : a.Magnify)
    connect(item, &QAction::triggered, this, [this, item] { N12Click(item); });
  connect(a.N11, &QAction::triggered, this, [this] { m_view.SetEditedFrame(0); });
  connect(a.N21, &QAction::triggered, this, [this] { m_view.SetEditedFrame(1); });
  using tinto::DrawMode;
  connect(a.Or1, &QAction::triggered, this, [this] { m_view.SetDrawMode(DrawMode::Or); });
  connect(a.Xor1, &QAction::triggered, this, [this] { m_view.SetDrawMode(DrawMode::Xor); });
  connect(a.Cls1, &QAction::triggered, this, [this] { m_view.SetDrawMode(DrawMode::Cls); });
  connect(a.Tinto8x1, &QAction::triggered, this, [this] { SetAttrMode(tinto::AttrMode::Mode8x1); });
  connect(a.Tinto8x2, &QAction::triggered, this, [this] { SetAttrMode(tinto::AttrMode::Mode8x2); });
  connect(a.SkinEnabled, &QAction::triggered, this, &TMainForm::SkinEnabledClick);
  connect(a.LoadSkin1, &QAction::triggered, m_skinCommands, &TSkinCommands::LoadSkin1Click);
  connect(a.About1, &QAction::triggered, this, [this] {
    if (m_aboutRunner) m_aboutRunner();
  });
}

void TMainForm::FormCreate() {
  LayoutColorPanel();
  m_panel3->Image_1()->SetStretch(true);
  m_panel3->Image_2()->SetStretch(true);
  m_session.Screen().ClearScreen();
  m_session.StartDocument(tinto::kUntitledName);
  const tinto::IniFile settings(m_settingsPath);
  MainWindowSettings window;
  // Without saved bounds the window starts centred; a client rectangle at 0, 0 would put the
  // frame's title bar above the screen.
  window.bounds = CentredOnScreen(geometry().size());
  LoadMainSettings(settings, m_view, m_session.Geometry(), window);
  ApplyWindowSettings(window);
  StepAsideFromOtherEditors();
  // The skin is put on while the settings are read; whether its file was found is not looked at.
  if (window.skinEnabled)
    m_skinCommands->LoadSkinFile(QString::fromStdString(m_skinFileName));
  else
    m_skinData->SwitchOff();
  m_sizePanel->ShowGeometry();
  LayoutImages();
  LayoutToolbars();
  m_sizePanel->SetGuard(true);
  // Not the first spin edit: a stray digit typed after start-up must not resize the picture.
  m_panel3->MSB()->setFocus();
}

void TMainForm::ApplyWindowSettings(const MainWindowSettings& settings) {
  m_actions.SkinEnabled->setChecked(settings.skinEnabled);
  m_skinFileName = settings.skinFileName;
  setGeometry(FittedToScreen(settings.bounds));
  setWindowState(settings.maximized ? Qt::WindowMaximized : Qt::WindowNoState);
  m_panel4->SetRolledUp(settings.colorPanelRolledUp);
  Timer().SetInterval(static_cast<quint16>(settings.timerInterval));
  m_saveDialog.SetTreeRolledUp(settings.saveTreeRolledUp);
  m_actions.UndoHistory1->setChecked(settings.undoHistory);
}

// Editors sharing the settings file open at the place it keeps: a later one would hide an
// earlier one exactly, so it moves down and right by a title bar's height per editor before it.
void TMainForm::StepAsideFromOtherEditors() {
  if (m_instance->Number() == 0 || isMaximized()) return;
  const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
  setGeometry(FittedToScreen(geometry().translated(QPoint(step, step) * m_instance->Number())));
}

MainWindowSettings TMainForm::CollectWindowSettings() const {
  MainWindowSettings settings;
  settings.skinEnabled = m_actions.SkinEnabled->isChecked();
  settings.skinFileName = StoredSkinName(m_skinFileName, m_programDir);
  settings.bounds = geometry();
  settings.normalState = !isMaximized() && !isMinimized() && !isFullScreen();
  settings.maximized = isMaximized();
  settings.colorPanelRolledUp = m_panel4->RolledUp();
  settings.timerInterval = m_display->Timer().Interval();
  if (m_openDialog != nullptr) settings.openTreeRolledUp = m_openDialog->TreeRolledUp();
  settings.saveTreeRolledUp = m_saveDialog.TreeRolledUp();
  settings.undoHistory = m_session.UndoHistoryOn();
  return settings;
}

void TMainForm::SetColorChooser(std::function<int(QPoint globalPointer)> choose) {
  ColorPanel()->SetColorChooser([this, choose = std::move(choose)](QPoint pointer) {
    m_display->Pause();
    const int picked = choose(pointer);
    m_display->TakeMasterNoFlic();
    return picked;
  });
}

TAsyncTimer& TMainForm::Timer() { return m_display->Timer(); }

void TMainForm::SetOpenDialog(TfrmOpen* openDialog) {
  m_openDialog = openDialog;
  m_flows->SetOpenDialog(openDialog);
}

void TMainForm::AddSettingsWriter(SettingsSectionWriter writer) {
  m_settingsWriters.push_back(std::move(writer));
}

TColorPanel* TMainForm::ColorPanel() const { return m_panel4->CPanel(); }

void TMainForm::ShowDocumentState() {
  setWindowTitle(QString::fromStdString(m_session.Document().WindowCaption()));
}

// A step may have put back another geometry or mode: the bars and the bitmaps follow it, and a
// marquee of the other size goes, as after a geometry change.
void TMainForm::ShowRestoredPicture(bool geometryChanged) {
  if (geometryChanged) {
    m_canvas->DropSelection();
    ShowNewPicture();
  } else {
    m_display->RenderScreen();
  }
  RefreshDisplay();
}

void TMainForm::PauseDisplay() { m_display->Pause(); }

void TMainForm::RestoreDisplay() { m_display->NoFlicClick(); }

void TMainForm::DropSelection() { m_canvas->DropSelection(); }

void TMainForm::ShowNewPicture() {
  m_sizePanel->ShowGeometry();
  const bool mode8x2 = m_session.Geometry().Mode() == tinto::AttrMode::Mode8x2;
  m_actions.Tinto8x1->setChecked(!mode8x2);
  m_actions.Tinto8x2->setChecked(mode8x2);
  LayoutImages();
}

void TMainForm::LayoutToolbars() {
  Panel4ChangeRollState();
  ModeBarMetrics metrics = TModeBar::kDesignMetrics;
  if (m_actions.SkinEnabled->isChecked()) {
    const int allowance = CheckMarkAllowance(m_panel2->Grid());
    metrics = {FittedCheckWidth(m_panel2->Grid(), allowance),
               FittedCheckWidth(m_panel2->S_1(), allowance),
               FittedCheckWidth(m_panel2->S_2(), allowance),
               FittedCheckWidth(m_panel2->M_or(), allowance),
               FittedCheckWidth(m_panel2->M_xor(), allowance),
               FittedCheckWidth(m_panel2->M_cls(), allowance),
               FittedSpinSize(m_sizePanel->DX())};
  }
  // The widths above are minimums: no caption or value is clipped in the current font.
  metrics = m_panel2->FittedToText(metrics);
  metrics.spin = m_sizePanel->FittedToValues(metrics.spin);
  m_panel2->Layout(metrics);
  m_sizePanel->Layout(metrics.spin);
  FormResize();
}

void TMainForm::LayoutColorPanel() {
  m_sizePanel->SetGuard(false);
  const int checkWidth = ColorPanel()->MeasureCheckBoxWidth();
  const int panelWidth = 2 * TColorPanel::kSwatchWidth + 35;
  m_panel4->SetExpandedWidth(panelWidth);
  ColorPanel()->ArrangeColumns(panelWidth, checkWidth);
  m_panel4->ResetPreviewOrigin();
  m_sizePanel->SetGuard(true);
}

void TMainForm::LayoutImages() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  const tinto::ScreenGeometry& geometry = m_session.Geometry();
  m_session.Images().Create(geometry.WidthPixels(), geometry.DY());
  for (TKelImage* image : {m_panel3->Image_1(), m_panel3->Image_2()}) {
    image->SetStretch(true);
    image->PictureChanged();
  }
  m_panel4->PlacePreviews();
  m_display->RenderScreen();
  SizeImages();
}

void TMainForm::SizeImages() {
  const int magnify = m_view.Magnification();
  const tinto::ScreenGeometry& geometry = m_session.Geometry();
  m_panel3->SizeImages(QSize(magnify * geometry.WidthPixels(), magnify * geometry.DY()));
}

void TMainForm::RefreshDisplay() {
  m_canvas->RepaintCanvas();
  m_display->RepaintPreview();
  QCoreApplication::processEvents();
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow())
    FormActivate();
  else
    FormDeactivate();
}

void TMainForm::FormActivate() {
  m_canvas->SyncModifiers(QGuiApplication::queryKeyboardModifiers());
  m_display->TakeMasterNoFlic();
}

void TMainForm::FormDeactivate() { m_display->Pause(); }

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  // An open menu or popup, and the menu bar itself, get their keys untouched: the arrows move
  // between menus only when the menu bar sees them.
  if (QApplication::activePopupWidget() != nullptr || watched == menuBar())
    return QMainWindow::eventFilter(watched, event);
  // The window takes key presses before its controls: a key that is a menu shortcut (Z, X, C,
  // the key left of 1) reaches its command even while a spin edit has the focus.
  if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    event->ignore();
    return true;
  }
  // Key-downs are taken from the controls (typed characters aside): see FormKeyEvent.
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == this)
    return m_canvas->FormKeyEvent(watched, static_cast<QKeyEvent*>(event));
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::FormResize() { m_panel2->PlaceProgressBar(); }

void TMainForm::Panel4ChangeRollState() {
  m_display->PreviewPanelRolled(m_panel4->RolledUp());
  FormResize();
}

void TMainForm::GridClick() {
  m_actions.Grid1->setChecked(m_view.Grid());
  RefreshDisplay();
}

void TMainForm::Grid1Click() {
  // The action has already toggled its own tick.
  m_view.SetGrid(m_actions.Grid1->isChecked());
}

void TMainForm::TMagnifyChange() { SizeImages(); }

void TMainForm::cbAttribClick() {
  if (isVisible()) LayoutImages();
}

void TMainForm::N12Click(QAction* item) { m_view.SetMagnification(item->data().toInt()); }

void TMainForm::SetAttrMode(tinto::AttrMode mode) {
  m_session.Change(tinto::ChangeKind::AttrMode,
                   [this, mode] { m_session.Geometry().SetMode(mode); });
  m_actions.Tinto8x1->setChecked(mode == tinto::AttrMode::Mode8x1);
  m_actions.Tinto8x2->setChecked(mode == tinto::AttrMode::Mode8x2);
  RefreshDisplay();
}

void TMainForm::SkinEnabledClick() { m_skinCommands->SkinEnabledClick(); }

void TMainForm::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery())
    event->accept();
  else
    event->ignore();
}

bool TMainForm::FormCloseQuery() {
  if (!m_flows->CloseQuerySave()) return false;
  const tinto::Status written = SaveSettings();
  if (written) return true;
  m_messages->ShowMessage(MessageKind::Error, QString::fromStdString(written.Message()),
                          MessageButtons::Ok);
  // A settings file that can never be written (a full disk, no writable folder) must not keep
  // the program from closing: only the settings are lost.
  return m_messages->ShowMessage(MessageKind::Warning,
                                 QStringLiteral("Close without saving the settings?"),
                                 MessageButtons::YesNo) == MessageAnswer::Yes;
}

// Each window's keys go into the file in one replacement, window after window, so a close
// pass costs a few file replacements rather than one per key.
tinto::Status TMainForm::SaveSettings() {
  tinto::IniFile settings(m_settingsPath);
  tinto::Status written = settings.WriteAtOnce([this](tinto::IniFile& ini) {
    return SaveMainSettings(ini, m_view, m_session.Geometry(), CollectWindowSettings());
  });
  for (const SettingsSectionWriter& writer : m_settingsWriters) {
    if (!written) break;
    written = settings.WriteAtOnce(writer);
  }
  return written;
}
