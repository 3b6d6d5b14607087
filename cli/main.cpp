// hushlake-cli: the command-line front end.
#include <iostream>
#include <string>

#include "app/framework.h"
#include "crypto/registry.h"
#include "crypto/string_format.h"

namespace {

int RunDemo() {
  using namespace hushlake;
  const std::string text = "Hidden in plain sight.";
  std::cout << "Text:            " << text << "\n"
            << "MIME base 64:    " << EncodeToFormat(text, FormatMIME64) << "\n"
            << "Hexadecimal:     " << EncodeToFormat(text, FormatHEX) << "\n";
  for (const auto& entry : HashRegistry())
    std::cout << entry.Name() << ": " << entry.cls->HashString(text, nullptr, FormatHEX) << "\n";
  return 0;
}

void PrintUsage(std::ostream& out) {
  out << "Usage: hushlake-cli COMMAND\n\n"
         "Commands:\n"
         "  demo    show a text in the string formats and its digests\n";
}

}  // namespace

int main(int argc, char** argv) {
  hushlake::StartFramework();
  const std::string command = argc > 1 ? argv[1] : "";
  try {
    if (command == "demo") return RunDemo();
    if (command == "--help" || command == "-h") {
      PrintUsage(std::cout);
      return 0;
    }
    PrintUsage(std::cerr);
    return 2;
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
}
