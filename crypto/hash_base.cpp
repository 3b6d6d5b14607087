#include "crypto/hash_base.h"

#include <algorithm>
#include <array>

#include "crypto/secure_wipe.h"
#include "crypto/support.h"

namespace hushlake {

ByteString THashClass::ReferenceDigest() const {
  return DecodeFromFormat(referenceDigestHex, FormatHEX);
}

std::string THashClass::HashString(std::string_view data, ProtectionPtr protection,
                                   int formatId) const {
  HashPtr hash = Create(std::move(protection));
  hash->Init();
  hash->Update(data.data(), static_cast<int>(data.size()));
  hash->Final();
  return EncodeToFormat(hash->Digest(), hash->DigestSize(), formatId);
}

void THash::ChainHook(bool starting) {
  TProtection* next = NextProtection().get();
  if (next == nullptr) return;
  if (auto* mac = dynamic_cast<TMAC*>(next)) {
    if (starting)
      mac->MacInit(*this);
    else
      mac->MacFinal(*this);
    return;
  }
  if (!starting) next->ProcessBuffer(Digest(), DigestSize(), caScramble);
}

void THash::BeginProcess(TCodeAction action) {
  Init();
  if (action == caWipe) ScrambleWithSeed(TimeSeed(), Digest(), DigestSize());
  TProtection::BeginProcess(action);
}

void THash::EndProcess(TCodeAction action) {
  TProtection::EndProcess(action);
  if (action == caCalculate)
    Final();
  else
    Init();
}

void THash::ProcessChunk(void* data, int size, TCodeAction action) {
  if (action != caDecode) TProtection::ProcessChunk(data, size, action);
  if (action <= 7 && EnabledActions.Contains(action)) {
    if (data == nullptr) return;
    auto* bytes = static_cast<std::uint8_t*>(data);
    const int digestSize = DigestSize();
    switch (action) {
      case caCalculate:
        Update(data, size);
        break;
      case caScramble:
      case caWipe:
        for (int done = 0; done < size;) {
          const int n = std::min(digestSize, size - done);
          Update(bytes + done, n);
          Final();
          std::copy_n(Digest(), n, bytes + done);
          done += n;
        }
        break;
      case caEncode:
      case caDecode:
        for (int done = 0; done < size;) {
          const int n = std::min(digestSize, size - done);
          // A copy, so no algorithm ever reads the state it is updating.
          std::array<std::uint8_t, MaxDigestSize> previous{};
          std::copy_n(Digest(), digestSize, previous.data());
          Update(previous.data(), digestSize);
          SecureWipe(previous.data(), previous.size());
          Final();
          XorBuffers(bytes + done, Digest(), n, bytes + done);
          done += n;
        }
        break;
    }
  }
  if (action == caDecode) TProtection::ProcessChunk(data, size, action);
}

TMAC::TMAC(ByteString macKey, ProtectionPtr next)
    : TProtection(std::move(next)), macKey_(std::move(macKey)) {}

TMAC::~TMAC() { ScrubString(macKey_); }

void TMAC::MacInit(THash& hash) {
  if (macKey_.empty()) return;
  std::string key = hash.ClassType().HashString(macKey_, NextProtection(), FormatCopy);
  const int n = std::min(static_cast<int>(key.size()), hash.DigestSize());
  XorBuffers(hash.Digest(), key.data(), n, hash.Digest());
  ScrubString(key);
}

void TMAC::MacFinal(THash& hash) {
  if (NextProtection())
    NextProtection()->ProcessBuffer(hash.Digest(), hash.DigestSize(), caScramble);
}

}  // namespace hushlake
