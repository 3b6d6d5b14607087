#pragma once
// encrypt, decrypt and capacity with --sealed: the sealed-picture format.
#include <string>

#include "cli/command.h"

namespace hushlake::cli {

struct SealedOptions {
  std::string picture;
  std::string out;
  std::string textFile;
  std::string file;    // encrypt: a file to seal with its name
  std::string folder;  // decrypt: where a stored file goes (default: the current folder)
  std::string keyFile;
  bool force = false;
};

int RunSealedEncryptCommand(const SealedOptions& options, const GlobalOptions& global);
int RunSealedDecryptCommand(const SealedOptions& options, const GlobalOptions& global);
int RunSealedCapacityCommand(const SealedOptions& options, const GlobalOptions& global);
// decrypt --detect: whether the picture opens as a sealed one with this key.
bool OpensSealed(const std::string& picture, std::string key);

}  // namespace hushlake::cli
