#include "cli/terminal_ports.h"

#include <algorithm>
#include <iostream>

#include "app/main_window_logic.h"
#include "cli/standard_streams.h"
#include "crypto/secure_wipe.h"
#include "stego/picture/bmp/bmp_codec.h"

namespace hushlake::cli {

namespace {

bool ReportsSuccess(std::string_view message) {
  return message == messages::EncryptDone || message == messages::PictureSaved ||
         message == messages::FileSaved;
}

}  // namespace

void PrintError(std::string_view message) { std::cerr << "hushlake-cli: " << message << std::endl; }

void TerminalMessages::Print(std::string_view message) {
  if (holding_)
    held_.emplace_back(message);
  else
    PrintError(message);
}

void TerminalMessages::ShowError(std::string_view message) {
  ++errorCount_;
  shown_.emplace_back(message);
  Print(message);
}

void TerminalMessages::ShowInformation(std::string_view message) {
  shown_.emplace_back(message);
  if (!ReportsSuccess(message)) return Print(message);
  if (verbosity_ == Verbosity::Verbose) std::cerr << message << std::endl;
}

bool TerminalMessages::AskConfirmation(std::string_view message) {
  if (verbosity_ == Verbosity::Verbose)
    std::cerr << message << '\n'
              << (replaceFiles_ ? "Yes (--force)" : "No: the file is kept (--force replaces it)")
              << std::endl;
  shown_.emplace_back(message);
  return replaceFiles_;
}

void TerminalMessages::Release(std::string_view drop) {
  holding_ = false;
  const bool othersHeld = std::any_of(held_.begin(), held_.end(),
                                      [&](const std::string& held) { return held != drop; });
  for (const std::string& held : held_)
    if (!othersHeld || held != drop) PrintError(held);
  held_.clear();
}

bool TerminalMessages::Shown(std::string_view message) const {
  return std::find(shown_.begin(), shown_.end(), message) != shown_.end();
}

// The owner scrubs the key when it dies.
MemoryKeyField::~MemoryKeyField() = default;

void MemoryKeyField::SetKeyText(const std::string& text) { key_ = SecretString(text); }

bool TerminalFileStore::Exists(const std::string& path) const {
  return path == StandardInputPicture || LocalFileStore::Exists(path);
}

std::vector<std::uint8_t> TerminalFileStore::ReadAll(const std::string& path) const {
  if (path != StandardInputPicture) return LocalFileStore::ReadAll(path);
  const std::string bytes = ReadStandardInput(kBmpMaxFileBytes);
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

PictureReadResult TerminalFileStore::ReadPicture(const std::string& path) const {
  if (path != StandardInputPicture) return LocalFileStore::ReadPicture(path);
  // Standard input has no name to go by: BMP or PNG by the bytes alone.
  return hushlake::ReadPicture(ReadAll(path), path);
}

// Standard input is read as it comes, never in place.
std::optional<PictureInPlace> TerminalFileStore::ViewPicture(const std::string& path) const {
  if (path == StandardInputPicture) return std::nullopt;
  return LocalFileStore::ViewPicture(path);
}

}  // namespace hushlake::cli
