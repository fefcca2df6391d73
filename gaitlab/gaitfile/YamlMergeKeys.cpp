#include "gaitlab/gaitfile/YamlMergeKeys.h"

#include <yaml-cpp/yaml.h>

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

// Aliases can nest a document far deeper than the parser's own guard
// allows for its text; this keeps the walk's stack small.
constexpr int kMaxDepth = 4000;
// Merges can copy each other's keys over and over: a bound on the keys
// copied keeps a hostile file from taking minutes.
constexpr std::int64_t kMaxMergedKeys = 1000000;

bool IsMergeKey(const YAML::Node& key) {
  return key.IsScalar() && key.Tag() == "?" && key.Scalar() == "<<";
}

class MergeExpander {
 public:
  explicit MergeExpander(const std::string& name) : name_(name) {}

  void expand(YAML::Node node, int depth) {
    if (!node.IsMap() && !node.IsSequence()) return;
    if (depth > kMaxDepth) fail(node, "not readable as YAML: lists and maps nested too deeply");
    // A parsed list or map is known by where it starts; an alias is the
    // very node of its anchor, so it starts there too.
    const int id = node.Mark().pos;
    if (done_.count(id) != 0) return;
    if (!open_.insert(id).second) {
      fail(node, "an alias refers to a list or map that holds it; nothing may hold itself");
    }
    for (auto entry : node) {
      if (node.IsSequence()) {
        expand(entry, depth + 1);
      } else {
        expand(entry.first, depth + 1);
        expand(entry.second, depth + 1);
      }
    }
    if (node.IsMap()) merge(node);
    open_.erase(id);
    done_.insert(id);
  }

 private:
  [[noreturn]] void fail(const YAML::Node& node, const std::string& what) const {
    const YAML::Mark mark = node.Mark();
    throw InputError((mark.line >= 0 ? name_ + ":" + std::to_string(mark.line + 1) : name_) + ": " +
                     what);
  }

  // The maps a merge key's value names, checked.
  std::vector<YAML::Node> sources(const YAML::Node& value) const {
    if (value.IsMap()) return {value};
    const char* expected = "'<<' merges a map or a list of maps";
    if (!value.IsSequence()) fail(value, std::string(expected) + ", found no map");
    std::vector<YAML::Node> maps;
    for (const YAML::Node& item : value) {
      if (!item.IsMap()) fail(item, std::string(expected) + ", found a list item that is no map");
      maps.push_back(item);
    }
    return maps;
  }

  void merge(YAML::Node map) {
    std::optional<YAML::Node> key, value;
    std::set<std::string> given;
    for (const auto entry : map) {
      if (!IsMergeKey(entry.first)) {
        if (entry.first.IsScalar()) given.insert(entry.first.Scalar());
      } else if (value) {
        fail(entry.first, "'<<' is given more than once");
      } else {
        key = entry.first;
        value = entry.second;
      }
    }
    if (!value) return;
    const std::vector<YAML::Node> maps = sources(*value);
    map.remove(*key);  // this very key: a quoted '<<' is no merge
    for (const YAML::Node& source : maps) {
      for (const auto entry : source) {
        if (++mergedKeys_ > kMaxMergedKeys) {
          fail(*key, "merge keys copy more than " + std::to_string(kMaxMergedKeys) + " keys");
        }
        // Keys that are no plain names go through, for the reader to refuse.
        if (!entry.first.IsScalar() || given.insert(entry.first.Scalar()).second) {
          map.force_insert(entry.first, entry.second);
        }
      }
    }
  }

  const std::string& name_;
  std::set<int> open_, done_;
  std::int64_t mergedKeys_ = 0;
};

}  // namespace

void ExpandMergeKeys(YAML::Node& root, const std::string& name) {
  MergeExpander(name).expand(root, 0);
}

}  // namespace trotix
