// A section of the gait file as a table: each key names a field of the
// struct the section fills and the bounds its value must keep. Reading and
// printing both walk the table, so a new key is one line of it.
#ifndef TROTIX_GAITLAB_SECTIONTABLE_H_
#define TROTIX_GAITLAB_SECTIONTABLE_H_

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "gaitlab/gaitfile/YamlFields.h"
#include "trotix/WalkTypes.h"

namespace trotix {

template <typename Struct>
struct SectionKey {
  using Field = std::variant<double Struct::*, std::optional<double> Struct::*, int Struct::*,
                             std::optional<int> Struct::*, bool Struct::*,
                             std::array<double, kLocusPoints> Struct::*>;

  const char* name;
  Field field;
  // Whole numbers for the int fields; each value's for a list. An optional
  // field left out of the file stays empty: no value, no limit.
  double minimum = 0.0;
  double maximum = 0.0;
  const char* comment = nullptr;  // printed after the value
  // An angle or angular speed may also be written in degrees; it is read
  // and printed in radians.
  NumberUnit unit = NumberUnit::kPlain;
};

template <typename Struct>
using SectionKeys = std::vector<SectionKey<Struct>>;

// The table's key names, then `more`.
template <typename Struct>
std::vector<std::string> KeyNames(const SectionKeys<Struct>& keys,
                                  const std::vector<std::string>& more = {}) {
  std::vector<std::string> names;
  for (const SectionKey<Struct>& key : keys) names.push_back(key.name);
  names.insert(names.end(), more.begin(), more.end());
  return names;
}

// Checks that `map` holds only the table's keys and `moreKeys` (sections
// read elsewhere), then reads each key the map gives into `target`; the
// fields of keys left out keep their values.
template <typename Struct>
void ReadSection(const YAML::Node& map, const std::string& path, const YamlFields& fields,
                 const SectionKeys<Struct>& keys, Struct& target,
                 const std::vector<std::string>& moreKeys = {}) {
  fields.checkMap(map, path, KeyNames(keys, moreKeys));
  for (const SectionKey<Struct>& key : keys) {
    std::visit(
        [&](auto member) {
          fields.read(map, path, key.name, key.minimum, key.maximum, target.*member, key.unit);
        },
        key.field);
  }
}

// A key whose value is one of a few names, listed in the order of the
// enum's values, e.g. `lateral_axis: shared`.
template <typename Struct>
struct ChoiceKey {
  const char* name;
  std::vector<const char*> values;
  int (*get)(const Struct&);
  void (*set)(Struct&, int);
};

template <typename Struct>
using ChoiceKeys = std::vector<ChoiceKey<Struct>>;

template <typename Struct>
std::vector<std::string> ChoiceNames(const ChoiceKeys<Struct>& keys) {
  std::vector<std::string> names;
  for (const ChoiceKey<Struct>& key : keys) names.push_back(key.name);
  return names;
}

// Reads each choice that `map` (named `path`) gives into `target`.
template <typename Struct>
void ReadChoices(const YAML::Node& map, const std::string& path, const YamlFields& fields,
                 const ChoiceKeys<Struct>& keys, Struct& target) {
  for (const ChoiceKey<Struct>& key : keys) {
    if (const std::optional<int> value = fields.choice(map, path, key.name, key.values)) {
      key.set(target, *value);
    }
  }
}

// Every choice as `indent` "key: name" lines.
template <typename Struct>
std::string ChoicesText(const Struct& source, const ChoiceKeys<Struct>& keys,
                        const std::string& indent) {
  std::string text;
  for (const ChoiceKey<Struct>& key : keys) {
    text += indent + key.name + ": " + key.values[key.get(source)] + "\n";
  }
  return text;
}

// A field's value as gait file text; nothing for an empty optional.
std::optional<std::string> ValueText(double value);
std::optional<std::string> ValueText(const std::optional<double>& value);
std::optional<std::string> ValueText(int value);
std::optional<std::string> ValueText(const std::optional<int>& value);
std::optional<std::string> ValueText(bool value);
std::optional<std::string> ValueText(const std::array<double, kLocusPoints>& values);

template <typename Struct>
std::optional<std::string> KeyText(const Struct& source, const SectionKey<Struct>& key) {
  return std::visit([&](auto member) { return ValueText(source.*member); }, key.field);
}

// The keys of `a`, each as `indent` "key: value" and its comment, joined
// by `separator`: "  " and "\n" give block lines, "" and ", " the inside of
// a flow map. Empty optionals are left out, and so are the keys whose value
// is the same in `unlike`, when given.
template <typename Struct>
std::string SectionText(const Struct& a, const SectionKeys<Struct>& keys, const std::string& indent,
                        const std::string& separator, const Struct* unlike = nullptr) {
  std::string text;
  for (const SectionKey<Struct>& key : keys) {
    const std::optional<std::string> value = KeyText(a, key);
    if (!value || (unlike && value == KeyText(*unlike, key))) continue;
    text += (text.empty() ? "" : separator) + indent + key.name + ": " + *value;
    if (key.comment) text += std::string("   # ") + key.comment;
  }
  return text;
}

}  // namespace trotix

#endif  // TROTIX_GAITLAB_SECTIONTABLE_H_
