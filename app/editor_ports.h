#pragma once
// What the text editor window needs from the per-user settings store: named
// groups (created on first write, never on read) holding named values.
#include <optional>
#include <string>
#include <string_view>

namespace hushlake {

class EditorSettingsStore {
 public:
  virtual ~EditorSettingsStore() = default;
  // Whether the group exists; asking never creates it.
  virtual bool HasGroup(std::string_view group) const = 0;
  // A value of the group, or none when it is missing (or, for integers, not
  // a whole number).
  virtual std::optional<std::string> ReadString(std::string_view group,
                                                std::string_view name) const = 0;
  virtual std::optional<int> ReadInteger(std::string_view group, std::string_view name) const = 0;
  // Writes create the group when it is missing. They report nothing: a store
  // that cannot be written simply keeps its old values.
  virtual void WriteString(std::string_view group, std::string_view name,
                           std::string_view value) = 0;
  virtual void WriteInteger(std::string_view group, std::string_view name, int value) = 0;
};

}  // namespace hushlake
