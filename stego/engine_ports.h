#pragma once
// What the engine needs from the windows around it, as small interfaces, so
// that it runs (and is tested) without any window: the text editor's text
// and the picture that receives a result.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "stego/picture.h"

namespace hushlake {

class TextHolder {
 public:
  virtual ~TextHolder() = default;
  virtual std::string Text() const = 0;
  virtual void ReplaceText(const std::string& text) = 0;
};

class PictureHolder {
 public:
  virtual ~PictureHolder() = default;
  virtual void ReplacePicture(Picture picture) = 0;
};

// Plain in-memory versions, for tools without windows and for tests.
class StringTextHolder : public TextHolder {
 public:
  explicit StringTextHolder(std::string text = {}) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  void ReplaceText(const std::string& text) override { text_ = text; }

 private:
  std::string text_;
};

class StoredPicture : public PictureHolder {
 public:
  void ReplacePicture(Picture replacement) override {
    picture = std::move(replacement);
    ++replacements;
  }
  Picture picture;
  int replacements = 0;
};

}  // namespace hushlake
