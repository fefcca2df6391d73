#include "gaitlab/gaitfile/SectionTable.h"

#include "gaitlab/io/NumberText.h"

namespace trotix {

std::optional<std::string> ValueText(double value) {
  char text[kMaxNumberChars];
  return std::string(text, WriteDouble(text, value));
}

std::optional<std::string> ValueText(const std::optional<double>& value) {
  return value ? ValueText(*value) : std::nullopt;
}

std::optional<std::string> ValueText(int value) { return std::to_string(value); }

std::optional<std::string> ValueText(const std::optional<int>& value) {
  return value ? ValueText(*value) : std::nullopt;
}

std::optional<std::string> ValueText(bool value) { return std::string(value ? "true" : "false"); }

std::optional<std::string> ValueText(const std::array<double, kLocusPoints>& values) {
  std::string text = "[";
  for (std::size_t i = 0; i < values.size(); ++i) {
    text += (i ? ", " : "") + *ValueText(values[i]);
  }
  return text + "]";
}

}  // namespace trotix
