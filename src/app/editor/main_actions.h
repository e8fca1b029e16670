#pragma once
// Every QAction of the main window, created in one place with its caption, access letter,
// shortcut and initial state, and the menu tree `MainMenu1` built from them. The members are
// named after the menu items they stand for.

#include <array>

class QAction;
class QMenuBar;
class QWidget;

struct TMainActions {
  // "&File"
  QAction* New1;
  QAction* Open1;
  QAction* Save1;
  QAction* Save2;
  QAction* Export1;
  QAction* Import1;
  // "&Edit"
  QAction* Undo1;
  QAction* Redo1;
  QAction* Cut1;
  QAction* Copy1;
  QAction* Paste1;
  // "&Options"
  QAction* Grid1;
  std::array<QAction*, 10> Magnify;  // N12, N22, ... N91, N101; data() is the factor 1..10
  QAction* N11;
  QAction* N21;
  QAction* Or1;
  QAction* Xor1;
  QAction* Cls1;
  QAction* Tinto8x1;
  QAction* Tinto8x2;
  QAction* UndoHistory1;
  QAction* SkinEnabled;
  QAction* LoadSkin1;
  // The top-level "About" item
  QAction* About1;
};

// Creates the actions as children of `window` and adds them to it, so that their shortcuts
// work while the window is active whether or not a menu is open.
TMainActions CreateMainActions(QWidget* window);
// Fills the menu bar with "&File", "&Edit", "&Options" and "About".
void BuildMainMenu(QMenuBar* menuBar, const TMainActions& actions);
