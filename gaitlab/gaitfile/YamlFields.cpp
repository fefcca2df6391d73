#include "gaitlab/gaitfile/YamlFields.h"

#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <set>

#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

std::string Shown(const YAML::Node& node) {
  if (node.IsScalar()) return QuoteForMessage(node.Scalar());
  if (node.IsSequence()) return "a list";
  if (node.IsMap()) return "a map";
  return "nothing";
}

std::string Limit(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

// The tag as the file would write it: "!!str" for YAML's own.
std::string TagAsTyped(const std::string& tag) {
  const std::string core = "tag:yaml.org,2002:";
  return QuoteForMessage(tag.rfind(core, 0) == 0 ? "!!" + tag.substr(core.size()) : tag);
}

// The parser reads a number too small for a double, such as 1e-400, as 0
// without a word.
bool UnderflowsToZero(const std::string& text, double value) {
  return value == 0.0 &&
         text.substr(0, text.find_first_of("eE")).find_first_of("123456789") != std::string::npos;
}

// A number too large for a double, such as 1e400, which the parser calls
// no number at all.
bool Overflows(const std::string& text) {
  char* end = nullptr;
  errno = 0;
  std::strtod(text.c_str(), &end);
  return errno == ERANGE && end != text.c_str() && *end == '\0';
}

// How the unit is named in messages, and how its degrees are written.
struct UnitText {
  const char* radians;  // "" for a plain number
  const char* degrees;  // the suffix of a value in degrees
};

UnitText TextOf(NumberUnit unit) {
  switch (unit) {
    case NumberUnit::kAngle:
      return {" rad", " deg"};
    case NumberUnit::kAngularSpeed:
      return {" rad/s", " deg/s"};
    case NumberUnit::kPlain:
      break;
  }
  return {"", nullptr};
}

std::string NumberOf(NumberUnit unit) {
  return unit == NumberUnit::kPlain ? "" : std::string(" of") + TextOf(unit).radians;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

}  // namespace

std::string KeyPath(const std::string& parent, const std::string& key) {
  return parent.empty() ? key : parent + "." + key;
}

void YamlFields::fail(const YAML::Node& node, const std::string& key,
                      const std::string& what) const {
  const YAML::Mark mark = node.Mark();
  std::string where = fileName_;
  if (mark.line >= 0) where += ":" + std::to_string(mark.line + 1);
  throw InputError(where + ": " + (key.empty() ? "" : key + ": ") + what);
}

void YamlFields::checkMap(const YAML::Node& node, const std::string& key,
                          const std::vector<std::string>& known) const {
  if (!node.IsMap()) fail(node, key, "expected a map of keys, found " + Shown(node));
  std::set<std::string> seen;
  for (const auto& entry : node) {
    const YAML::Node& name = entry.first;
    if (!name.IsScalar()) fail(name, key, "a key must be a plain name");
    const std::string& text = name.Scalar();
    if (std::find(known.begin(), known.end(), text) == known.end()) {
      fail(name, key,
           "unknown key " + QuoteForMessage(text) + " (known: " + JoinNames(known) + ")");
    }
    if (!seen.insert(text).second) fail(name, KeyPath(key, text), "is given more than once");
    // The line of the key: an empty value's own mark points past it.
    if (entry.second.IsNull()) fail(name, KeyPath(key, text), "has no value");
  }
}

double YamlFields::number(const YAML::Node& node, const std::string& key, double minimum,
                          double maximum, NumberUnit unit) const {
  if (!node.IsScalar()) fail(node, key, Shown(node) + " is not a number");
  // A number is written plainly: "4", not '4' or !!str 4.
  if (node.Tag() == "!") fail(node, key, Shown(node) + " is quoted text, not a number");
  if (node.Tag() != "?") {
    fail(node, key, Shown(node) + " is tagged " + TagAsTyped(node.Tag()) + ", not a plain number");
  }
  const UnitText units = TextOf(unit);
  std::string text = node.Scalar();
  const bool inDegrees = units.degrees && EndsWith(text, units.degrees);
  if (inDegrees) text.erase(text.size() - std::string(units.degrees).size());
  // Where a value in radians could be meant in degrees, the message says how to write them.
  const std::string hint = units.degrees && !inDegrees
                               ? std::string("; degrees are written as '30") + units.degrees + "'"
                               : "";
  const std::string range =
      "out of range " + Limit(minimum) + " to " + Limit(maximum) + units.radians + hint;
  double value = 0.0;
  if (!YAML::convert<double>::decode(YAML::Node(text), value)) {
    fail(node, key,
         Shown(node) +
             (Overflows(text) ? " is " + range : " is not a number" + NumberOf(unit) + hint));
  }
  if (!std::isfinite(value)) fail(node, key, Shown(node) + " is not a finite number");
  if (UnderflowsToZero(text, value)) {
    fail(node, key, Shown(node) + " is too small to be told from 0; write 0");
  }
  if (inDegrees) value /= kDegreesPerRadian;
  if (value < minimum || value > maximum) {
    fail(node, key,
         Shown(node) + (inDegrees ? " is " + Limit(value) + units.radians + ", " : " is ") + range);
  }
  return value;
}

std::int64_t YamlFields::wholeNumber(const YAML::Node& node, const std::string& key,
                                     std::int64_t minimum, std::int64_t maximum) const {
  const double value =
      number(node, key, static_cast<double>(minimum), static_cast<double>(maximum));
  if (value != std::floor(value)) fail(node, key, Shown(node) + " is not a whole number");
  return static_cast<std::int64_t>(value);
}

bool YamlFields::flag(const YAML::Node& node, const std::string& key) const {
  // YAML's core schema: true and false, also capitalised, and no quotes.
  if (node.IsScalar() && node.Tag() == "?") {
    for (const char* text : {"true", "True", "TRUE"}) {
      if (node.Scalar() == text) return true;
    }
    for (const char* text : {"false", "False", "FALSE"}) {
      if (node.Scalar() == text) return false;
    }
  }
  fail(node, key, Shown(node) + " is not true or false");
}

std::vector<double> YamlFields::numbers(const YAML::Node& node, const std::string& key,
                                        std::size_t count, double minimum, double maximum) const {
  if (!node.IsSequence())
    fail(node, key, "expected a list of " + std::to_string(count) + " numbers");
  if (node.size() != count) {
    fail(node, key,
         "has " + std::to_string(node.size()) + " values, needs " + std::to_string(count));
  }
  std::vector<double> values;
  for (std::size_t i = 0; i < count; ++i) {
    values.push_back(number(node[i], key + "[" + std::to_string(i) + "]", minimum, maximum));
  }
  return values;
}

std::optional<int> YamlFields::choice(const YAML::Node& map, const std::string& path,
                                      const char* key,
                                      const std::vector<const char*>& names) const {
  const YAML::Node node = map[key];
  if (!node) return std::nullopt;
  std::string known;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (node.IsScalar() && node.Scalar() == names[i]) return static_cast<int>(i);
    known += std::string(i == 0 ? "" : " or ") + names[i];
  }
  fail(node, KeyPath(path, key),
       "expected " + known + ", found " +
           (node.IsScalar() ? QuoteForMessage(node.Scalar()) : std::string("no name")));
}

void YamlFields::read(const YAML::Node& map, const std::string& path, const char* key,
                      double minimum, double maximum, double& value, NumberUnit unit) const {
  if (const YAML::Node n = map[key]) value = number(n, KeyPath(path, key), minimum, maximum, unit);
}

void YamlFields::read(const YAML::Node& map, const std::string& path, const char* key,
                      double minimum, double maximum, std::optional<double>& value,
                      NumberUnit unit) const {
  if (const YAML::Node n = map[key]) value = number(n, KeyPath(path, key), minimum, maximum, unit);
}

void YamlFields::read(const YAML::Node& map, const std::string& path, const char* key,
                      double minimum, double maximum, int& value, NumberUnit) const {
  std::optional<int> given;
  read(map, path, key, minimum, maximum, given);
  if (given) value = *given;
}

void YamlFields::read(const YAML::Node& map, const std::string& path, const char* key,
                      double minimum, double maximum, std::optional<int>& value, NumberUnit) const {
  if (const YAML::Node n = map[key]) {
    value = static_cast<int>(wholeNumber(n, KeyPath(path, key), static_cast<std::int64_t>(minimum),
                                         static_cast<std::int64_t>(maximum)));
  }
}

void YamlFields::read(const YAML::Node& map, const std::string& path, const char* key, double,
                      double, bool& value, NumberUnit) const {
  if (const YAML::Node n = map[key]) value = flag(n, KeyPath(path, key));
}

void YamlFields::read(const YAML::Node& map, const std::string& path, const char* key,
                      double minimum, double maximum, std::array<double, kLocusPoints>& values,
                      NumberUnit) const {
  if (const YAML::Node n = map[key]) {
    const std::vector<double> given =
        numbers(n, KeyPath(path, key), values.size(), minimum, maximum);
    std::copy(given.begin(), given.end(), values.begin());
  }
}

}  // namespace trotix
