#pragma once
// The framework's error classes. Each carries one of the system's fixed
// messages with its %s / %d placeholders already filled in.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace hushlake {

// Replaces the %s and %d placeholders of Pattern, in order, by Args.
std::string FillMessage(std::string_view pattern, const std::vector<std::string>& args);

class ECryptoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class EProtection : public ECryptoError {
 public:
  using ECryptoError::ECryptoError;
};

class EStringFormat : public ECryptoError {
 public:
  using ECryptoError::ECryptoError;
};

class ECipherException : public ECryptoError {
 public:
  static constexpr int KeyTooLong = 2;
  static constexpr int NotInitialized = 3;
  ECipherException(const std::string& message, int errorCode)
      : ECryptoError(message), errorCode_(errorCode) {}
  int ErrorCode() const { return errorCode_; }

 private:
  int errorCode_;
};

}  // namespace hushlake
