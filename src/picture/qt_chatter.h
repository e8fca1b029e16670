#pragma once
// Keeps what Qt and the libraries under it print (libpng warnings, allocation refusals) off
// standard error while a picture is read, and lets the loader look at it to say what went wrong.

#include <QtGlobal>
#include <cstdio>
#include <string>
#include <vector>

namespace tinto {

// While one exists, messages from the thread that made it are collected here instead of being
// printed; messages of other threads go to the handler that was installed before. Nests, and
// may exist in several threads at once.
class QtChatter {
 public:
  QtChatter();
  ~QtChatter();
  QtChatter(const QtChatter&) = delete;
  QtChatter& operator=(const QtChatter&) = delete;

  // Every message so far, one per line.
  const std::string& Text() const { return m_text; }

 private:
  std::string* m_outer;
  std::string m_text;
};

// libpng and libuemf print their complaints straight to standard error, past any message
// handler. While one of these exists (one at a time in the whole process), standard error goes
// to a temporary file; Finish puts it back and returns the library's lines (those starting with
// one of `libraryPrefixes`), passing anything else on to standard error. Without a temporary
// file it does nothing.
class StderrCapture {
 public:
  explicit StderrCapture(std::vector<std::string> libraryPrefixes = {"libpng"});
  ~StderrCapture() { Finish(); }
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  std::string Finish();

 private:
  std::vector<std::string> m_prefixes;
  int m_saved = -1;
  std::FILE* m_file = nullptr;
};

}  // namespace tinto
