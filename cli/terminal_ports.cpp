#include "cli/terminal_ports.h"

#include <algorithm>
#include <iostream>

#include "crypto/secure_wipe.h"

namespace hushlake::cli {

void TerminalMessages::ShowError(std::string_view message) {
  ++errorCount_;
  std::cerr << message << std::endl;
  shown_.emplace_back(message);
}

void TerminalMessages::ShowInformation(std::string_view message) {
  std::cerr << message << std::endl;
  shown_.emplace_back(message);
}

bool TerminalMessages::AskConfirmation(std::string_view message) {
  std::cerr << message << '\n'
            << (replaceFiles_ ? "Yes (--force)" : "No: the file is kept (--force replaces it)")
            << std::endl;
  shown_.emplace_back(message);
  return replaceFiles_;
}

bool TerminalMessages::Shown(std::string_view message) const {
  return std::find(shown_.begin(), shown_.end(), message) != shown_.end();
}

MemoryKeyField::~MemoryKeyField() { ScrubString(key_); }

void MemoryKeyField::SetKeyText(const std::string& text) {
  ScrubString(key_);
  key_ = text;
}

}  // namespace hushlake::cli
