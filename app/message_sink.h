#pragma once
// Where a workflow reports an error: a modal message with one OK button.
#include <string_view>

namespace hushlake {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowError(std::string_view message) = 0;
};

}  // namespace hushlake
