#pragma once
// The byte streams the protection chain processes: memory and files.
#include <cstdint>
#include <cstdio>
#include <string>

#include "crypto/exceptions.h"

namespace hushlake {

class EStreamError : public ECryptoError {
 public:
  using ECryptoError::ECryptoError;
};

class TStream {
 public:
  virtual ~TStream() = default;
  virtual std::int64_t Size() const = 0;
  virtual std::int64_t Position() const = 0;
  virtual void Seek(std::int64_t position) = 0;
  // Returns the number of bytes read, 0 at the end.
  virtual int Read(void* buffer, int count) = 0;
  // Writes all Count bytes or raises EStreamError.
  virtual void Write(const void* buffer, int count) = 0;
  // Cuts the stream at its current position.
  virtual void Truncate() = 0;
};

class TMemoryStream final : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : bytes_(std::move(bytes)) {}
  std::int64_t Size() const override { return static_cast<std::int64_t>(bytes_.size()); }
  std::int64_t Position() const override { return position_; }
  void Seek(std::int64_t position) override;
  int Read(void* buffer, int count) override;
  void Write(const void* buffer, int count) override;
  void Truncate() override { bytes_.resize(static_cast<std::size_t>(position_)); }
  const std::string& Bytes() const { return bytes_; }
  std::string TakeBytes() { return std::move(bytes_); }

 private:
  std::string bytes_;
  std::int64_t position_ = 0;
};

class TFileStream final : public TStream {
 public:
  enum class Mode { ReadOnly, ReadWrite, Create };
  TFileStream(const std::string& fileName, Mode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  std::int64_t Size() const override;
  std::int64_t Position() const override;
  void Seek(std::int64_t position) override;
  int Read(void* buffer, int count) override;
  void Write(const void* buffer, int count) override;
  void Truncate() override;

 private:
  std::FILE* file_ = nullptr;
  std::string name_;
};

}  // namespace hushlake
