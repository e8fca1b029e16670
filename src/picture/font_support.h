#pragma once
// Qt ends the process when text is drawn before a QGuiApplication exists, so metafile
// renderers ask first and leave text out without one (as in a tool that only converts files).

namespace tinto {

bool FontsAvailable();

}  // namespace tinto
