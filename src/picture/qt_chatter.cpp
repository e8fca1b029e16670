#include "picture/qt_chatter.h"

#include <unistd.h>

#include <QString>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <sstream>

namespace tinto {
namespace {

thread_local std::string* t_collected = nullptr;
std::atomic<QtMessageHandler> g_forward{nullptr};
// Threads load pictures at once (tinto convert -j): the handler is installed by the first
// chatter that exists and put back by the last.
std::mutex g_install;
int g_chatters = 0;

void Collect(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (t_collected != nullptr) {
    *t_collected += message.toStdString() + "\n";
  } else if (QtMessageHandler forward = g_forward.load()) {
    forward(type, context, message);
  }
}

}  // namespace

QtChatter::QtChatter() : m_outer(t_collected) {
  {
    const std::lock_guard lock(g_install);
    if (g_chatters++ == 0) g_forward.store(qInstallMessageHandler(Collect));
  }
  t_collected = &m_text;
}

QtChatter::~QtChatter() {
  t_collected = m_outer;
  if (m_outer != nullptr) *m_outer += m_text;
  const std::lock_guard lock(g_install);
  if (--g_chatters == 0) qInstallMessageHandler(g_forward.load());
}

StderrCapture::StderrCapture(std::vector<std::string> libraryPrefixes)
    : m_prefixes(std::move(libraryPrefixes)) {
  std::fflush(stderr);
  m_file = std::tmpfile();
  if (m_file == nullptr) return;
  m_saved = dup(STDERR_FILENO);
  if (m_saved < 0 || dup2(fileno(m_file), STDERR_FILENO) < 0) {
    if (m_saved >= 0) close(m_saved);
    m_saved = -1;
    std::fclose(m_file);
    m_file = nullptr;
  }
}

std::string StderrCapture::Finish() {
  if (m_file == nullptr) return {};
  std::fflush(stderr);
  dup2(m_saved, STDERR_FILENO);
  close(m_saved);
  std::string text, libraryLines, others;
  std::rewind(m_file);
  for (int c = std::fgetc(m_file); c != EOF; c = std::fgetc(m_file)) text += static_cast<char>(c);
  std::fclose(m_file);
  m_file = nullptr;
  std::istringstream lines(text);
  const auto fromLibrary = [this](const std::string& line) {
    return std::any_of(m_prefixes.begin(), m_prefixes.end(),
                       [&line](const std::string& prefix) { return line.starts_with(prefix); });
  };
  for (std::string line; std::getline(lines, line);)
    (fromLibrary(line) ? libraryLines : others) += line + "\n";
  if (!others.empty()) std::fputs(others.c_str(), stderr);
  return libraryLines;
}

}  // namespace tinto
