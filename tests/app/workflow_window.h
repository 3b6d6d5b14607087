#pragma once
// The main window's logic around the fakes of its ports, and pictures of
// the kinds it refuses.
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_logic.h"
#include "stego/picture/bmp/bmp_codec.h"
#include "tests/common/fake_ports.h"
#include "tests/common/random_picture.h"

namespace hushlake::workflow_test {

using fakes::FakeDialogs;
using fakes::FakeEditor;
using fakes::FakeFiles;
using fakes::FakeKeyField;
using fakes::FakeMessages;
using fakes::FakeSettings;
using fakes::Message;

// The whole window around one MainWindowLogic, created and shown.
struct Window {
  FakeMessages messages;
  FakeEditor editor;
  FakeKeyField key;
  FakeSettings settings;
  FakeFiles files;
  FakeDialogs dialogs;
  MainWindowLogic logic{MainWindowPorts{messages, editor, key, settings, files, dialogs}};

  Window() {
    logic.FormCreate();
    logic.FormShow();
  }
  void Idle() { logic.EncryptActionListUpdate(); }
  void Open(const std::string& path) {
    logic.OpenPictureAccept(path);
    Idle();
  }
  void Encrypt() {
    Idle();
    logic.EncryptActionExecute();
  }
  void Decrypt() {
    Idle();
    logic.DecryptActionExecute();
  }
  void SaveImageAs(std::optional<std::string> name) {
    dialogs.answer = std::move(name);
    Idle();
    logic.SaveImageActionExecute();
  }
};

// A BMP file of a depth the system does not take (4 or 16 bits), written by hand.
inline std::vector<std::uint8_t> BmpOfDepth(int bitsPerPixel, int width, int height) {
  const int stride = ((width * bitsPerPixel + 31) / 32) * 4;
  const int paletteBytes = bitsPerPixel <= 8 ? 4 * (1 << bitsPerPixel) : 0;
  const int offset = 14 + 40 + paletteBytes;
  std::vector<std::uint8_t> file(static_cast<std::size_t>(offset + stride * height), 0);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put32(2, static_cast<std::uint32_t>(file.size()));
  put32(10, static_cast<std::uint32_t>(offset));
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  file[26] = 1;
  file[28] = static_cast<std::uint8_t>(bitsPerPixel);
  return file;
}

}  // namespace hushlake::workflow_test
