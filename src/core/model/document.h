#pragma once
// The document's name, modified flag and title. The flag is not the document's to decide: the
// editor sets it from the undo keeper, which knows whether the picture is where it was last
// saved or opened.

#include <functional>
#include <string>

namespace tinto {

inline constexpr const char* kUntitledName = "Untitled.tin";

class Document {
 public:
  using DirectoryProvider = std::function<std::string()>;

  // `currentDirectory` gives the working directory used to make a bare file name absolute; by
  // default the process's own. Starts as "Untitled.tin", not modified.
  explicit Document(DirectoryProvider currentDirectory = {});

  // Always absolute and lexically normal (no "." or ".." parts).
  const std::string& FileName() const { return m_fileName; }
  // Stores `name` as AbsoluteName gives it and rebuilds the title for it.
  void SetFileName(const std::string& name);
  // `name` made absolute against the working directory and lexically normal.
  std::string AbsoluteName(const std::string& name) const;
  bool Modified() const { return m_modified; }

  // "Tinto Editor - [" + FileName + "]", with "*" while modified, as last built.
  const std::string& WindowCaption() const { return m_caption; }
  // The same without the "*" (the task bar's title).
  const std::string& ApplicationTitle() const { return m_appTitle; }

  // Stores the flag and rebuilds the title.
  void SetModified(bool value);

 private:
  void BuildTitle();

  DirectoryProvider m_currentDirectory;
  std::string m_fileName;
  bool m_modified = false;
  std::string m_caption;
  std::string m_appTitle;
};

// `name` with ".tin" appended when its own file name (the part after the last separator) has
// no dot; a dot in a folder name does not count.
std::string WithTintoExtension(const std::string& name);

}  // namespace tinto
