// Checked reading of a YAML document: every refusal is one line naming the
// file, the line and the key, e.g.
//     "gait.yaml:7: gait.stepRate: -1 is out of range 0 to 100".
#ifndef TROTIX_GAITLAB_YAMLFIELDS_H_
#define TROTIX_GAITLAB_YAMLFIELDS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "trotix/WalkTypes.h"

namespace YAML {
class Node;
}

namespace trotix {

// What a number measures, where the file may also write it in degrees:
// an angle in rad or "30 deg", a speed in rad/s or "300 deg/s".
enum class NumberUnit { kPlain, kAngle, kAngularSpeed };

class YamlFields {
 public:
  explicit YamlFields(std::string fileName) : fileName_(std::move(fileName)) {}

  // Throws InputError "file:line: key: what" for the node's line.
  [[noreturn]] void fail(const YAML::Node& node, const std::string& key,
                         const std::string& what) const;

  // Checks that `node` is a map whose keys are all in `known`, each given
  // once and with a value; `key` names the map in messages ("" for the
  // whole file).
  void checkMap(const YAML::Node& node, const std::string& key,
                const std::vector<std::string>& known) const;

  // A finite number in [minimum, maximum], written plainly: no quotes, no
  // tag, and not so small that it reads as 0. An angle or angular speed is
  // returned in radians, and its messages name the unit.
  double number(const YAML::Node& node, const std::string& key, double minimum, double maximum,
                NumberUnit unit = NumberUnit::kPlain) const;
  // A whole number in [minimum, maximum].
  std::int64_t wholeNumber(const YAML::Node& node, const std::string& key, std::int64_t minimum,
                           std::int64_t maximum) const;
  // true or false, written plainly.
  bool flag(const YAML::Node& node, const std::string& key) const;
  // A sequence of exactly `count` finite numbers in [minimum, maximum].
  std::vector<double> numbers(const YAML::Node& node, const std::string& key, std::size_t count,
                              double minimum, double maximum) const;

  // Reads the value of `key` in `map` (named `path` in messages) into
  // `value`, when the map gives one, within [minimum, maximum]: a number, a
  // whole number for int, a list of numbers for an array. A flag ignores
  // the bounds; only a number takes a unit.
  void read(const YAML::Node& map, const std::string& path, const char* key, double minimum,
            double maximum, double& value, NumberUnit unit = NumberUnit::kPlain) const;
  void read(const YAML::Node& map, const std::string& path, const char* key, double minimum,
            double maximum, std::optional<double>& value,
            NumberUnit unit = NumberUnit::kPlain) const;
  void read(const YAML::Node& map, const std::string& path, const char* key, double minimum,
            double maximum, int& value, NumberUnit unit = NumberUnit::kPlain) const;
  void read(const YAML::Node& map, const std::string& path, const char* key, double minimum,
            double maximum, std::optional<int>& value, NumberUnit unit = NumberUnit::kPlain) const;
  void read(const YAML::Node& map, const std::string& path, const char* key, double minimum,
            double maximum, bool& value, NumberUnit unit = NumberUnit::kPlain) const;
  void read(const YAML::Node& map, const std::string& path, const char* key, double minimum,
            double maximum, std::array<double, kLocusPoints>& values,
            NumberUnit unit = NumberUnit::kPlain) const;

  // The index in `names` of the value of `key` in `map`, when the map
  // gives one; any other value is refused with the names it may take.
  std::optional<int> choice(const YAML::Node& map, const std::string& path, const char* key,
                            const std::vector<const char*>& names) const;

  const std::string& fileName() const { return fileName_; }

 private:
  std::string fileName_;
};

// "gait" + "stepRate" gives "gait.stepRate"; an empty parent gives the key.
std::string KeyPath(const std::string& parent, const std::string& key);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_YAMLFIELDS_H_
