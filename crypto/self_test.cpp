#include "crypto/self_test.h"

#include <algorithm>
#include <exception>

#include "crypto/registry.h"
#include "crypto/string_format.h"
#include "crypto/support.h"

namespace hushlake {

namespace {

const ByteString Input(TestInput.begin(), TestInput.end());

std::string Hex(const ByteString& bytes) {
  return EncodeToFormat(bytes.data(), static_cast<int>(bytes.size()), FormatHEXL);
}

// Empty when the class matches; otherwise what went wrong.
std::string HashMismatch(const THashClass& cls) {
  HashPtr hash = cls.Create();
  hash->Init();
  hash->Update(Input.data(), static_cast<int>(Input.size()));
  hash->Final();
  const ByteString digest = hash->DigestBytes();
  if (digest == cls.ReferenceDigest()) return {};
  return "digest " + Hex(digest) + ", expected " + std::string(cls.referenceDigestHex);
}

// The reference procedure: keyed with its own class name cut to KeySize, no
// vector, cmCTS; TestInput enciphers to the reference output and, after
// Reset, deciphers back.
std::string CipherMismatch(const TCipherClass& cls) {
  CipherPtr cipher = cls.Create();
  cipher->Mode = cmCTS;
  const auto keyLength = std::min(cls.className.size(), static_cast<std::size_t>(cls.keySize));
  cipher->Init(cls.className.data(), static_cast<int>(keyLength), nullptr);
  ByteString output(Input.size(), '\0');
  cipher->EncipherBuffer(Input.data(), output.data(), static_cast<int>(Input.size()));
  if (output != cls.ReferenceOutput())
    return "output " + Hex(output) + ", expected " + std::string(cls.referenceOutputHex);
  cipher->Reset();
  ByteString back(Input.size(), '\0');
  cipher->DecipherBuffer(output.data(), back.data(), static_cast<int>(output.size()));
  return back == Input ? std::string() : "deciphers to " + Hex(back);
}

template <class Check>
bool Report(std::ostream& out, std::string_view className, Check check) {
  std::string mismatch;
  try {
    mismatch = check();
  } catch (const std::exception& error) {
    mismatch = error.what();
  }
  out << (mismatch.empty() ? "ok      " : "FAILED  ") << className;
  if (!mismatch.empty()) out << ": " << mismatch;
  out << "\n";
  return mismatch.empty();
}

}  // namespace

bool RunReferenceChecks(std::ostream& out) {
  int checked = 0, failed = 0;
  for (const HashRegistryEntry& entry : HashRegistry()) {
    if (entry.cls->referenceDigestHex.empty()) {
      out << "none    " << entry.cls->className << ": no reference digest\n";
      continue;
    }
    ++checked;
    if (!Report(out, entry.cls->className, [&] { return HashMismatch(*entry.cls); })) ++failed;
  }
  for (const CipherRegistryEntry& entry : CipherRegistry()) {
    if (entry.cls->referenceOutputHex.empty()) {
      out << "none    " << entry.cls->className << ": no reference output\n";
      continue;
    }
    ++checked;
    if (!Report(out, entry.cls->className, [&] { return CipherMismatch(*entry.cls); })) ++failed;
  }
  out << checked << " classes checked, " << failed << " failed\n";
  return failed == 0;
}

}  // namespace hushlake
