#include "cli/terminal_ports.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "crypto/secure_wipe.h"
#include "stego/bmp_codec.h"

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

std::vector<std::uint8_t> WholeFileStore::ReadAll(const std::string& path) const {
  const auto fail = [&](const char* what) {
    return std::runtime_error("Cannot " + std::string(what) + " the file \"" + path +
                              "\": " + std::strerror(errno));
  };
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                             &std::fclose);
  if (!file) throw fail("open");
  if (std::fseek(file.get(), 0, SEEK_END) != 0) throw fail("read");
  const long size = std::ftell(file.get());
  if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) throw fail("read");
  // Nothing this tool reads (a picture, a text) can be handled past this size.
  if (static_cast<std::uint64_t>(size) > kBmpMaxFileBytes)
    throw std::runtime_error("The file \"" + path + "\" is too large");
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) throw fail("read");
  return bytes;
}

}  // namespace hushlake::cli
