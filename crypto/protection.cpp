#include "crypto/protection.h"

#include <filesystem>
#include <vector>

#include "crypto/secure_wipe.h"

namespace hushlake {

namespace {

bool NamesSameFile(const std::string& a, const std::string& b) {
  if (a == b) return true;
  // On a file system that ignores case (or through links) two different
  // names may still be one file; processing it "to" itself must stay in place.
  std::error_code error;
  return std::filesystem::equivalent(a, b, error) && !error;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

TProtection::TProtection(ProtectionPtr next) { SetNextProtection(std::move(next)); }

TProtection::~TProtection() = default;

void TProtection::SetNextProtection(ProtectionPtr value) {
  if (value == next_) return;
  for (const TProtection* walk = value.get(); walk != nullptr; walk = walk->next_.get()) {
    if (walk == this)
      throw EProtection("Circular Protection detected, Protection Object is invalid.");
  }
  next_ = std::move(value);
}

void TProtection::ReportProgress(std::int64_t current, std::int64_t maximal) {
  if (OnProgress) OnProgress(this, current, maximal);
}

void TProtection::BeginProcess(TCodeAction action) {
  if (next_) next_->BeginProcess(action);
}

void TProtection::EndProcess(TCodeAction action) {
  if (next_) next_->EndProcess(action);
}

void TProtection::ProcessChunk(void* data, int size, TCodeAction action) {
  if (next_) next_->ProcessChunk(data, size, action);
}

void TProtection::ProcessStream(TStream* source, TStream* dest, std::int64_t dataSize,
                                TCodeAction action) {
  if (source == nullptr) return;
  if (dest == nullptr) dest = source;
  if (dataSize < 0) {
    dataSize = source->Size();
    source->Seek(0);
  }
  BeginProcess(action);
  ReportProgress(0, dataSize);
  std::vector<std::uint8_t> buffer(ProcessChunkSize, 0);
  try {
    std::int64_t readPosition = source->Position();
    std::int64_t writePosition = dest->Position();
    std::int64_t remaining = dataSize;
    while (remaining > 0) {
      const int wanted = static_cast<int>(std::min<std::int64_t>(remaining, ProcessChunkSize));
      if (action != caCalculate) source->Seek(readPosition);
      const int count = source->Read(buffer.data(), wanted);
      if (count <= 0) break;
      readPosition += count;
      ProcessChunk(buffer.data(), count, action);
      if (action != caCalculate) {
        // The alternating seeks let Source and Dest be one stream.
        dest->Seek(writePosition);
        dest->Write(buffer.data(), count);
        writePosition += count;
      }
      remaining -= count;
      ReportProgress(dataSize - remaining, dataSize);
    }
  } catch (...) {
    ReportProgress(0, 0);
    SecureWipe(buffer.data(), buffer.size());
    EndProcess(action);
    throw;
  }
  ReportProgress(0, 0);
  SecureWipe(buffer.data(), buffer.size());
  EndProcess(action);
}

void TProtection::ProcessFile(const std::string& sourceName, const std::string& destName,
                              TCodeAction action) {
  const bool separateDest =
      !NamesSameFile(sourceName, destName) && (!Trimmed(destName).empty() || action == caCalculate);
  if (!separateDest) {
    TFileStream both(sourceName, TFileStream::Mode::ReadWrite);
    ProcessStream(&both, &both, both.Size(), action);
    return;
  }
  TFileStream source(sourceName, TFileStream::Mode::ReadOnly);
  if (action == caCalculate) {
    ProcessStream(&source, &source, source.Size(), action);
    return;
  }
  TFileStream dest(destName, TFileStream::Mode::Create);
  ProcessStream(&source, &dest, source.Size(), action);
  dest.Truncate();
}

std::string TProtection::ProcessString(std::string_view source, TCodeAction action, int formatId) {
  if (source.empty()) return {};
  TMemoryStream stream(action == caDecode ? DecodeFromFormat(source, formatId)
                                          : std::string(source));
  stream.Seek(0);
  ProcessStream(&stream, &stream, stream.Size(), action);
  if (action == caDecode) return stream.TakeBytes();
  std::string result = EncodeToFormat(stream.Bytes(), formatId);
  std::string bytes = stream.TakeBytes();
  ScrubString(bytes);
  return result;
}

int TProtection::ProcessBuffer(void* data, int size, TCodeAction action) {
  BeginProcess(action);
  try {
    ProcessChunk(data, size, action);
  } catch (...) {
    EndProcess(action);
    throw;
  }
  EndProcess(action);
  return size;
}

}  // namespace hushlake
