#include "cli/key_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <utility>

#include "app/text_encoding.h"
#include "cli/interrupt_cleanup.h"
#include "cli/outcome.h"
#include "crypto/secret_memory.h"
#include "crypto/secure_wipe.h"
#include "platform/file_descriptor.h"

namespace hushlake::cli {

namespace {

// Like ssh with a private key: a key others can read is no secret, but the
// user may have reasons, so this is a warning and the key is still used.
void WarnWhenOthersCanRead(const std::string& path, const struct stat& status) {
  if (!S_ISREG(status.st_mode) || (status.st_mode & (S_IRGRP | S_IROTH)) == 0) return;
  char mode[8];
  std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(status.st_mode & 07777));
  std::cerr << "hushlake-cli: warning: the key file \"" << path << "\" can be read by other users"
            << " (permissions " << mode << "); chmod 600 it\n";
}

// At most KeyFileCap + 1 bytes, so a file that is too large is seen as such.
std::string ReadCapped(int fd, const std::string& path) {
  std::string bytes(KeyFileCap + 1, '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got == 0) break;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      ScrubString(bytes);
      throw Refusal("Cannot read the key file \"" + path + "\": " + std::strerror(error));
    }
    filled += static_cast<std::size_t>(got);
  }
  if (filled > KeyFileCap) {
    ScrubString(bytes);
    throw Refusal("The key file \"" + path + "\" is larger than 64 KiB; a key file holds one key");
  }
  bytes.resize(filled);
  return bytes;
}

std::string KeyFromFile(const std::string& path) {
  if (path == "-") {
    std::string key = KeyFromBytes(ReadCapped(STDIN_FILENO, "-"));
    if (key.empty()) throw Refusal("Standard input holds no key on its first line");
    return key;
  }
  const FileDescriptor file = FileDescriptor::OpenForReading(path);
  struct stat status {};
  if (file.Get() < 0 || fstat(file.Get(), &status) != 0)
    throw Refusal("Cannot open the key file \"" + path + "\": " + std::strerror(errno));
  if (S_ISDIR(status.st_mode))
    throw Refusal("Cannot open the key file \"" + path + "\": " + std::strerror(EISDIR));
  WarnWhenOthersCanRead(path, status);
  std::string key = KeyFromBytes(ReadCapped(file.Get(), path));
  if (key.empty()) throw Refusal("The key file \"" + path + "\" holds no key on its first line");
  return key;
}

// The terminal without echo, and without the signal keys: Ctrl-C arrives
// as a character and cancels. A signal from elsewhere (kill, the terminal
// closing) finds the modes to put back before the process ends. Lines are
// edited here: Backspace and Ctrl-U.
class SilentTerminal {
 public:
  explicit SilentTerminal(int fd) : fd_(fd) {
    if (tcgetattr(fd_, &saved_) != 0) throw Refusal("Cannot read the key from the terminal");
    restoreOnSignal_.emplace(fd_, saved_);
    termios quiet = saved_;
    quiet.c_lflag &= static_cast<tcflag_t>(~(ECHO | ICANON | ISIG));
    quiet.c_cc[VMIN] = 1;
    quiet.c_cc[VTIME] = 0;
    tcsetattr(fd_, TCSAFLUSH, &quiet);
  }
  ~SilentTerminal() { tcsetattr(fd_, TCSAFLUSH, &saved_); }
  SilentTerminal(const SilentTerminal&) = delete;
  SilentTerminal& operator=(const SilentTerminal&) = delete;

 private:
  int fd_;
  termios saved_{};
  std::optional<TerminalModesOnInterrupt> restoreOnSignal_;
};

void DropLastCharacter(std::string& key) {
  while (!key.empty() && IsContinuationByte(key.back())) key.pop_back();
  if (!key.empty()) key.pop_back();
}

std::string TypedLine(int tty, std::string_view prompt) {
  std::string key;
  key.reserve(1024);  // no reallocation leaves a copy of the first characters behind
  {
    // Silent before the prompt shows, so nothing typed in answer is echoed.
    const SilentTerminal silent(tty);
    (void)!write(tty, prompt.data(), prompt.size());
    for (char c; read(tty, &c, 1) == 1 && c != '\n' && c != '\r';) {
      if (c == 3 || (c == 4 && key.empty())) {  // Ctrl-C, or Ctrl-D on an empty line
        ScrubString(key);
        (void)!write(tty, "\n", 1);
        throw Refusal("No key was typed");
      }
      if (c == 127 || c == 8)
        DropLastCharacter(key);
      else if (c == 21)  // Ctrl-U
        key.clear();
      else if (key.size() < key.capacity())
        key += c;
    }
  }
  (void)!write(tty, "\n", 1);
  return key;
}

// A terminal that is not set to UTF-8 sends Windows-1252 (or Latin-1) bytes:
// those decode as a key file's do.
std::string AsKeyText(std::string bytes) {
  std::string text = CipherBytesToEditorText(bytes);
  ScrubString(bytes);
  return text;
}

std::string KeyFromTerminal(bool typedTwice) {
  const FileDescriptor tty(open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (tty.Get() < 0)
    throw UsageError(
        "no key: give --key-file FILE or set HUSHLAKE_KEY (there is no terminal to "
        "ask on)");
  std::string key = TypedLine(tty.Get(), "Key: ");
  if (!typedTwice) return AsKeyText(std::move(key));
  std::string again = TypedLine(tty.Get(), "The key again: ");
  const bool same = key == again;
  ScrubString(again);
  if (!same) {
    ScrubString(key);
    throw Refusal("The two keys typed differ");
  }
  return AsKeyText(std::move(key));
}

}  // namespace

std::optional<std::string> TakeKeyFromEnvironment() {
  char* value = std::getenv(KeyVariable);
  if (value == nullptr) return std::nullopt;
  KeepSecretsOutOfCoreDumps();
  std::string key = KeyFromBytes(value);
  ScrubBytes(value, std::strlen(value));
  unsetenv(KeyVariable);
  return key;
}

std::string KeyFromBytes(std::string bytes) {
  std::string line = bytes.substr(0, bytes.find('\n'));
  ScrubString(bytes);
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  std::string key = TextFileToEditorText(line);
  ScrubString(line);
  return key;
}

std::string ReadKey(const KeySources& sources) {
  KeepSecretsOutOfCoreDumps();
  if (sources.keyFile) return KeyFromFile(*sources.keyFile);
  if (sources.environment != nullptr && sources.environment->has_value())
    return **sources.environment;
  return KeyFromTerminal(sources.typedTwice);
}

}  // namespace hushlake::cli
