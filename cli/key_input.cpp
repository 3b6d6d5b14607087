#include "cli/key_input.h"

#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <utility>

#include "app/text_encoding.h"
#include "cli/outcome.h"
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

std::string KeyFromFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Refusal("Cannot open the key file \"" + path + "\"");
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw Refusal("Cannot read the key file \"" + path + "\"");
  std::string firstLine = content.substr(0, content.find('\n'));
  ScrubString(content);
  if (!firstLine.empty() && firstLine.back() == '\r') firstLine.pop_back();
  std::string key = AsKeyText(std::move(firstLine));
  if (key.empty()) throw Refusal("The key file \"" + path + "\" holds no key on its first line");
  return key;
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

std::string ReadKey(const KeySources& sources) {
  if (sources.keyFile) return KeyFromFile(*sources.keyFile);
  if (const char* value = std::getenv(KeyVariable)) return AsKeyText(value);
  if (sources.terminalAllowed && isatty(STDIN_FILENO)) return AsKeyText(KeyFromTerminal());
  throw UsageError(sources.terminalAllowed
                       ? "no key: give --key-file FILE or set HUSHLAKE_KEY, or run on a terminal"
                       : "no key: the text comes from standard input, so give --key-file FILE "
                         "or set HUSHLAKE_KEY");
}

}  // namespace hushlake::cli
