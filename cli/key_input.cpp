#include "cli/key_input.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string_view>
#include <utility>

#include "app/text_encoding.h"
#include "cli/outcome.h"
#include "crypto/secret.h"
#include "crypto/secure_wipe.h"

namespace hushlake::cli {

namespace {

// A key's bytes as the key field's text: UTF-8 when valid, else Windows-1252,
// as text files decode; the key is then counted and hashed by its characters.
std::string AsKeyText(std::string bytes) {
  std::string text = TextFileToEditorText(bytes);
  ScrubString(bytes);
  return text;
}

// The longest key file read; a key is one line, so anything longer is not a key file.
constexpr std::size_t MaxKeyFileSize = 64 * 1024;

// Reads the file into memory that is scrubbed when it goes, with no stream
// buffer in between that would keep a copy of the key.
SecretString KeyFileContent(const std::string& path) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) throw Refusal("Cannot open the key file \"" + path + "\"");
  SecretString content;
  content.Value().resize(MaxKeyFileSize + 1);
  std::size_t used = 0;
  ssize_t count = 0;
  while (used < content.size() &&
         (count = read(file, content.data() + used, content.size() - used)) != 0) {
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) break;
    used += static_cast<std::size_t>(count);
  }
  close(file);
  if (count < 0) throw Refusal("Cannot read the key file \"" + path + "\"");
  if (used > MaxKeyFileSize) throw Refusal("The key file \"" + path + "\" is too large");
  content.Value().resize(used);
  return content;
}

std::string KeyFromFile(const std::string& path) {
  const SecretString content = KeyFileContent(path);
  std::string_view firstLine = content.View().substr(0, content.View().find('\n'));
  if (!firstLine.empty() && firstLine.back() == '\r') firstLine.remove_suffix(1);
  std::string key = TextFileToEditorText(firstLine);
  if (key.empty()) throw Refusal("The key file \"" + path + "\" holds no key on its first line");
  return key;
}

// The environment variable's key as the key field's text.
std::string KeyFromEnvironment() {
  const char* value = std::getenv(KeyVariable);
  return value != nullptr ? TextFileToEditorText(value) : std::string();
}

// The terminal's settings while echo is off, so that an interrupt can put
// them back before the process ends.
termios savedTerminal;

void RestoreTerminalAndDie(int signal) {
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

class EchoOff {
 public:
  EchoOff() {
    if (tcgetattr(STDIN_FILENO, &savedTerminal) != 0)
      throw Refusal("Cannot read the key from the terminal");
    termios quiet = savedTerminal;
    quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
    std::signal(SIGINT, RestoreTerminalAndDie);
    std::signal(SIGTERM, RestoreTerminalAndDie);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  ~EchoOff() {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
  }
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;
};

std::string KeyFromTerminal() {
  std::cerr << "Key: " << std::flush;
  std::string key;
  key.reserve(256);  // no reallocation leaves a copy of the first characters behind
  {
    const EchoOff echoOff;
    char c;
    while (read(STDIN_FILENO, &c, 1) == 1 && c != '\n') key += c;
  }
  std::cerr << std::endl;
  return key;
}

}  // namespace

void ForgetKeyVariable() {
  char* value = std::getenv(KeyVariable);
  if (value == nullptr) return;
  ScrubBytes(value, std::strlen(value));
  unsetenv(KeyVariable);
}

KeyTracesScrubber::~KeyTracesScrubber() {
  ForgetKeyVariable();
  ScrubStack();
}

std::string ReadKey(const KeySources& sources) {
  if (sources.keyFile) {
    ForgetKeyVariable();
    return KeyFromFile(*sources.keyFile);
  }
  if (std::getenv(KeyVariable) != nullptr) {
    std::string key = KeyFromEnvironment();
    ForgetKeyVariable();
    return key;
  }
  if (sources.terminalAllowed && isatty(STDIN_FILENO)) return AsKeyText(KeyFromTerminal());
  throw UsageError(sources.terminalAllowed
                       ? "no key: give --key-file FILE or set HUSHLAKE_KEY, or run on a terminal"
                       : "no key: the text comes from standard input, so give --key-file FILE "
                         "or set HUSHLAKE_KEY");
}

}  // namespace hushlake::cli
