#pragma once
// The protection chain: the common base of every hash and cipher. One
// processing protocol (begin, chunks, end) over buffers, streams, files and
// strings, and links that run the same data through several algorithms.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "crypto/exceptions.h"
#include "crypto/stream.h"
#include "crypto/string_format.h"

namespace hushlake {

enum TCodeAction : std::uint8_t { caEncode, caDecode, caScramble, caCalculate, caWipe };

// A set of actions kept as a one-byte mask (bit i = action with ordinal i).
class TCodeActions {
 public:
  constexpr TCodeActions() = default;
  constexpr TCodeActions(std::initializer_list<TCodeAction> actions) {
    for (TCodeAction a : actions) Include(a);
  }
  static constexpr TCodeActions All() { return FromMask(0x1F); }
  static constexpr TCodeActions FromMask(std::uint8_t mask) {
    TCodeActions set;
    set.mask_ = mask;
    return set;
  }
  constexpr bool Contains(TCodeAction a) const { return a < 8 && ((mask_ >> a) & 1) != 0; }
  constexpr void Include(TCodeAction a) { mask_ = static_cast<std::uint8_t>(mask_ | (1u << a)); }
  constexpr void Exclude(TCodeAction a) { mask_ = static_cast<std::uint8_t>(mask_ & ~(1u << a)); }
  constexpr std::uint8_t Mask() const { return mask_; }
  constexpr bool operator==(const TCodeActions&) const = default;

 private:
  std::uint8_t mask_ = 0;
};

class TProtection;
using ProtectionPtr = std::shared_ptr<TProtection>;

// Told how far ProcessStream has come; nothing in the system listens yet.
using TProgressEvent =
    std::function<void(TProtection* sender, std::int64_t current, std::int64_t maximal)>;

inline constexpr int ProcessChunkSize = 4096;

class TProtection {
 public:
  // A link is a counted reference: the linked object lives at least as long
  // as the link, so a chain held only by its links dies with its head.
  explicit TProtection(ProtectionPtr next = nullptr);
  virtual ~TProtection();
  TProtection(const TProtection&) = delete;
  TProtection& operator=(const TProtection&) = delete;

  const ProtectionPtr& NextProtection() const { return next_; }
  // Raises EProtection (and keeps the old link) when the link would close a cycle.
  void SetNextProtection(ProtectionPtr value);

  TCodeActions EnabledActions = TCodeActions::All();
  // Each object carries its own listener, so two objects at work (in two
  // windows or threads) never report into each other's.
  TProgressEvent OnProgress;

  virtual void BeginProcess(TCodeAction action);
  virtual void EndProcess(TCodeAction action);
  virtual void ProcessChunk(void* data, int size, TCodeAction action);

  // Processes DataSize bytes (all of Source from 0 when negative) in chunks of
  // 4096 bytes; Dest none or equal to Source works in place.
  void ProcessStream(TStream* source, TStream* dest, std::int64_t dataSize, TCodeAction action);
  void ProcessFile(const std::string& sourceName, const std::string& destName, TCodeAction action);
  // For caDecode the source is formatted text and the result bytes; for the
  // other actions the source is bytes and the result formatted text.
  std::string ProcessString(std::string_view source, TCodeAction action, int formatId = -1);
  int ProcessBuffer(void* data, int size, TCodeAction action);

 private:
  void ReportProgress(std::int64_t current, std::int64_t maximal);

  ProtectionPtr next_;
};

}  // namespace hushlake
