#include "app/shell/editor_windows.h"

#include <QAction>
#include <QTimer>

#include "app/canvas/clipboard_commands.h"
#include "app/color/color_form.h"
#include "app/dialogs/about/about_box.h"
#include "app/dialogs/file/open_dialog.h"
#include "app/dialogs/import/import_expert.h"
#include "app/dialogs/preview/preview_form.h"
#include "app/editor/document_flows.h"
#include "app/main_window/skin_commands.h"
#include "app/skin/skin_data.h"
#include "app/skin/window_relayout.h"
#include "app/widgets/wait_form.h"
#include "core/format/ini_file.h"

EditorWindows::EditorWindows(MainFormOptions options, std::function<void(StartupStep)> onStep)
    : m_onStep(std::move(onStep)), m_wait(std::make_unique<TWait>()) {
  m_wait->SetMessage(QString::fromLatin1(kWaitLoadingText));
  m_wait->ShowAndPaint();
  Step(StartupStep::WaitShown);

  m_mainForm = std::make_unique<TMainForm>(std::move(options));
  Step(StartupStep::MainFormCreated);

  const tinto::IniFile settings(m_mainForm->SettingsPath());
  m_colorForm = new TColorForm(m_mainForm->View(), settings, m_mainForm.get());
  m_mainForm->SetColorChooser(
      [colorForm = m_colorForm](QPoint pointer) { return colorForm->Choose(pointer); });
  Step(StartupStep::ColorFormCreated);

  m_importExpert = CreateImportExpert(settings);

  m_previewForm = new TPreviewForm(m_mainForm->Session(), m_mainForm->View(), m_mainForm->Timer(),
                                   settings, m_mainForm.get());
  m_mainForm->SetPreviewOpener([preview = m_previewForm] { preview->exec(); });
  m_mainForm->AddSettingsWriter(
      [preview = m_previewForm](tinto::IniFile& ini) { return preview->WriteSettings(ini); });
  m_about = CreateAbout();
  Step(StartupStep::AboutCreated);

  // The picture open dialog is the last window created; it reads its own setting.
  auto* openDialog =
      new TfrmOpen(settings, m_mainForm->Messages(),
                   QString::fromStdString(m_mainForm->ProgramDir()), m_mainForm.get());
  m_mainForm->SetOpenDialog(openDialog);
  m_importExpert->SetOpenDialog(openDialog);
  FollowSkinChanges(openDialog);

  m_wait->hide();
  m_wait->SetMessage(QString::fromLatin1(kWaitSkinText));
  Step(StartupStep::WaitHidden);
}

EditorWindows::~EditorWindows() = default;

// Every window lays itself out again when a skin is applied, replaced or switched off, so that
// no caption stays clipped in the fonts and frames of the skin before.
void EditorWindows::FollowSkinChanges(TfrmOpen* openDialog) {
  TMainForm* form = m_mainForm.get();
  QObject::connect(&form->Skin(), &SkinData::SkinChanged, form, [this, form, openDialog] {
    RestoreEmbeddedEditFonts();
    for (QWidget* window :
         std::initializer_list<QWidget*>{form, m_colorForm, m_previewForm, m_about, openDialog})
      RelayOutWindow(*window);
    m_importExpert->Relayout();
  });
}

// The import dialog reads the main window's flicker interval and "VSync" when it is shown; the
// main window runs it from "&Import..." and has it write its settings section.
TImportExpert* EditorWindows::CreateImportExpert(const tinto::IniFile& settings) {
  TMainForm* form = m_mainForm.get();
  const TViewState& view = form->View();
  ImportExpertLinks links{[form] { return form->Timer().Interval(); },
                          [&view] { return view.VSync(); }};
  auto* expert = new TImportExpert(settings, form->Messages(), std::move(links), form);
  form->Flows()->SetImportRunner([expert] { return expert->Run(); });
  // A pasted image is loaded once the dialog is up: conversions run only while it is shown.
  form->Clipboard()->SetImageImporter([expert, form](const QImage& image) {
    QTimer::singleShot(0, expert, [expert, image] { expert->OpenSourceImage(image); });
    form->Flows()->Import1Click();
  });
  form->Flows()->SetPhotoImportRunner(
      [expert](const QString& path) -> std::optional<ImportedPicture> {
        if (!expert->QueueSourceFile(path)) return std::nullopt;
        return expert->Run();
      });
  form->AddSettingsWriter(
      [expert](tinto::IniFile& ini) { return expert->WriteImportSettings(ini); });
  return expert;
}

// The about box shows the main window's skin information; the skin commands show the wait
// window while a skin is applied.
TAbout* EditorWindows::CreateAbout() {
  TMainForm* form = m_mainForm.get();
  auto* about = new TAbout(
      form->Skin(), [form] { return form->Actions().SkinEnabled->isChecked(); }, form);
  form->SetAboutRunner([about] { about->exec(); });
  form->SkinCommands().SetWait(m_wait.get());
  return about;
}

void EditorWindows::ShowMainWindow() {
  m_mainForm->show();
  Step(StartupStep::MainFormShown);
}

void EditorWindows::Step(StartupStep step) {
  if (m_onStep) m_onStep(step);
}
