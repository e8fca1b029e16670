#pragma once
// The editor's command line: `tinto-editor [FILE...]`, `--help`, `--version`. Only the first
// file is opened (a ".tin" or two-file picture as Open opens it, any other file as the import's
// source); the others are reported on standard error and left alone.

#include <QString>
#include <QStringList>

struct CommandLine {
  QString file;       // the file to open, absolute; empty for none
  QString output;     // for standard output: the help or version text
  QString errors;     // for standard error: a wrong option, the files left alone
  bool exit = false;  // print and end with `exitCode` instead of starting the editor
  int exitCode = 0;
};

// True when `argv` asks only for the help or version text, which needs no window system.
bool AsksForTextOnly(int argc, const char* const* argv);

// `arguments` as QCoreApplication::arguments() gives them, the program first. Relative names are
// taken from the current folder.
CommandLine ParseCommandLine(const QStringList& arguments);
