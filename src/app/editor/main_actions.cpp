#include "app/editor/main_actions.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace {

QAction* MakeAction(QWidget* window, const char* name, const QString& caption,
                    const QKeySequence& shortcut = {}) {
  auto* action = new QAction(caption, window);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  window->addAction(action);
  return action;
}

QAction* MakeTicked(QWidget* window, const char* name, const char* caption, bool ticked,
                    const QKeySequence& shortcut = {}) {
  QAction* action = MakeAction(window, name, caption, shortcut);
  action->setCheckable(true);
  action->setChecked(ticked);
  return action;
}

QAction* MakeDisabled(QWidget* window, const char* name, const char* caption,
                      const QKeySequence& shortcut = {}) {
  QAction* action = MakeAction(window, name, caption, shortcut);
  action->setEnabled(false);
  return action;
}

void CreateMagnifyActions(QWidget* window, TMainActions& a) {
  static constexpr const char* kNames[] = {"N12", "N22", "N31", "N41", "N51",
                                           "N61", "N71", "N81", "N91", "N101"};
  for (int factor = 1; factor <= 10; ++factor) {
    const QString caption = factor < 10 ? QStringLiteral("&%1").arg(factor) : QStringLiteral("1&0");
    // Alt+0 is the tenth item: the digit keys run 1..9, then 0.
    const QKeySequence shortcut(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + factor % 10));
    QAction* action = MakeAction(window, kNames[factor - 1], caption, shortcut);
    action->setData(factor);
    a.Magnify[factor - 1] = action;
  }
}

void AddSeparator(QMenu* menu, const char* name) {
  menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

QMenu* AddMenu(QMenuBar* bar, const char* name, const char* caption) {
  QMenu* menu = bar->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

QMenu* AddSubmenu(QMenu* parent, const char* name, const char* caption) {
  QMenu* menu = parent->addMenu(QString::fromLatin1(caption));
  menu->setObjectName(QString::fromLatin1(name));
  return menu;
}

}  // namespace

TMainActions CreateMainActions(QWidget* window) {
  TMainActions a{};
  a.New1 = MakeAction(window, "New1", "&New");
  a.Open1 = MakeAction(window, "Open1", "&Open...", QKeySequence(Qt::Key_F3));
  a.Save1 = MakeAction(window, "Save1", "&Save", QKeySequence(Qt::Key_F2));
  a.Save2 = MakeAction(window, "Save2", "Save &As", QKeySequence(Qt::ALT | Qt::Key_F2));
  a.Export1 = MakeAction(window, "Export1", "&Export...");
  a.Import1 = MakeAction(window, "Import1", "&Import...", QKeySequence(Qt::CTRL | Qt::Key_I));
  a.Undo1 = MakeDisabled(window, "Undo1", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
  a.Redo1 = MakeDisabled(window, "Redo1", "&Redo");
  a.Redo1->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  a.Cut1 = MakeDisabled(window, "Cut1", "Cu&t", QKeySequence(Qt::CTRL | Qt::Key_X));
  a.Copy1 = MakeDisabled(window, "Copy1", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
  a.Paste1 = MakeDisabled(window, "Paste1", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
  // The key left of 1 on the main block of a US keyboard.
  a.Grid1 = MakeTicked(window, "Grid1", "&Grid", true, QKeySequence(Qt::Key_QuoteLeft));
  CreateMagnifyActions(window, a);
  a.N11 = MakeAction(window, "N11", "&1", QKeySequence(Qt::CTRL | Qt::Key_1));
  a.N21 = MakeAction(window, "N21", "&2", QKeySequence(Qt::CTRL | Qt::Key_2));
  a.Or1 = MakeAction(window, "Or1", "&Or", QKeySequence(Qt::Key_Z));
  a.Xor1 = MakeAction(window, "Xor1", "&Xor", QKeySequence(Qt::Key_X));
  a.Cls1 = MakeAction(window, "Cls1", "&Cls", QKeySequence(Qt::Key_C));
  a.Tinto8x1 = MakeTicked(window, "Tinto8x1", "8x1 + 8x8", true);
  a.Tinto8x2 = MakeTicked(window, "Tinto8x2", "8x2 Full Screen", false);
  a.UndoHistory1 = MakeTicked(window, "UndoHistory1", "Undo &History", false);
  a.SkinEnabled = MakeTicked(window, "SkinEnabled", "Skin Enabled", true);
  a.LoadSkin1 = MakeAction(window, "LoadSkin1", "Load Skin...");
  a.About1 = MakeAction(window, "About1", "About", QKeySequence(Qt::Key_F1));
  return a;
}

void BuildMainMenu(QMenuBar* menuBar, const TMainActions& a) {
  menuBar->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = AddMenu(menuBar, "File1", "&File");
  file->addActions({a.New1, a.Open1, a.Save1, a.Save2});
  AddSeparator(file, "N1");
  file->addActions({a.Export1, a.Import1});

  QMenu* edit = AddMenu(menuBar, "Edit1", "&Edit");
  edit->addActions({a.Undo1, a.Redo1});
  AddSeparator(edit, "N5");
  edit->addActions({a.Cut1, a.Copy1, a.Paste1});
  AddSeparator(edit, "N4");

  QMenu* options = AddMenu(menuBar, "Options1", "&Options");
  options->addAction(a.Grid1);
  QMenu* magnify = AddSubmenu(options, "Magnify1", "Mag&nify");
  for (QAction* item : a.Magnify) magnify->addAction(item);
  AddSubmenu(options, "Screen1", "&Screen")->addActions({a.N11, a.N21});
  AddSubmenu(options, "Mode1", "&Mode")->addActions({a.Or1, a.Xor1, a.Cls1});
  AddSeparator(options, "N6");
  AddSubmenu(options, "TintoMode1", "Tinto Mode")->addActions({a.Tinto8x1, a.Tinto8x2});
  options->addAction(a.UndoHistory1);
  AddSeparator(options, "N2");
  AddSubmenu(options, "Skin1", "Skin")->addActions({a.SkinEnabled, a.LoadSkin1});

  menuBar->addAction(a.About1);
}
