#pragma once
// Outcome of an operation that can fail for reasons the user must read: success, or an error
// text ready to be shown as it stands.

#include <string>
#include <utility>

namespace tinto {

class Status {
 public:
  static Status Ok() { return Status(); }
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool IsOk() const { return m_ok; }
  explicit operator bool() const { return m_ok; }
  const std::string& Message() const { return m_message; }

 private:
  Status() = default;
  explicit Status(std::string message) : m_ok(false), m_message(std::move(message)) {}

  bool m_ok = true;
  std::string m_message;
};

}  // namespace tinto
