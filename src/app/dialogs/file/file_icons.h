#pragma once
// Folder, file and drive icons from the widget style for file-system models: without a desktop
// icon theme the models' own provider gives none.

class QAbstractFileIconProvider;

// One provider for the whole run, never destroyed (models read it from their worker threads,
// so it must outlive every model).
QAbstractFileIconProvider* StyleFileIcons();
