#include "cli/arguments.h"

#include <algorithm>

#include "cli/outcome.h"

namespace hushlake::cli {

namespace {

bool Contains(const std::vector<std::string_view>& names, std::string_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

bool LooksLikeOption(const std::string& word) { return word.size() > 1 && word[0] == '-'; }

}  // namespace

std::optional<std::string> Arguments::Value(std::string_view name) const {
  for (const auto& [key, value] : values_)
    if (key == name) return value;
  return std::nullopt;
}

std::string Arguments::Required(std::string_view name) const {
  if (auto value = Value(name)) return *value;
  throw UsageError("the option " + std::string(name) + " is required");
}

bool Arguments::Flag(std::string_view name) const {
  return std::find(flags_.begin(), flags_.end(), name) != flags_.end();
}

Arguments ParseArguments(std::span<const std::string> words, const OptionSpec& spec) {
  Arguments result;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || !LooksLikeOption(word)) {
      result.plain_.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    const auto equals = word.find('=');
    const std::string name = word.substr(0, equals);
    if (Contains(spec.valued, name)) {
      if (result.Given(name)) throw UsageError("the option " + name + " is given twice");
      std::string value;
      if (equals != std::string::npos) {
        value = word.substr(equals + 1);
      } else if (i + 1 < words.size() && words[i + 1].rfind("--", 0) != 0) {
        value = words[++i];
      } else {
        throw UsageError("the option " + name + " needs a value");
      }
      result.values_.emplace_back(name, std::move(value));
    } else if (Contains(spec.flags, name) && equals == std::string::npos) {
      result.flags_.push_back(name);
    } else {
      throw UsageError("unknown option " + word);
    }
  }
  if (result.plain_.size() > spec.maxPlain)
    throw UsageError("unexpected argument \"" + result.plain_[spec.maxPlain] + "\"");
  return result;
}

bool HelpRequested(std::span<const std::string> words) {
  for (const std::string& word : words) {
    if (word == "--") return false;
    if (word == "--help" || word == "-h") return true;
  }
  return false;
}

}  // namespace hushlake::cli
