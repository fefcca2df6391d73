// YAML merge keys ("<<: *base"), which yaml-cpp reads as a plain key: each
// map that holds one gets the merged maps' keys that it does not give itself.
#ifndef TROTIX_GAITLAB_YAMLMERGEKEYS_H_
#define TROTIX_GAITLAB_YAMLMERGEKEYS_H_

#include <string>

namespace YAML {
class Node;
}

namespace trotix {

// Expands every merge key of the document in place, anchors and aliases
// resolved, each shared list or map once. A map's own keys win over merged
// ones, and of several merged maps (`<<: [*a, *b]`) the earlier wins.
// Throws InputError "name:line: ..." for a merge of anything but a map or
// a list of maps, for a list or map that holds itself through an alias, and
// for aliases nested too deeply.
void ExpandMergeKeys(YAML::Node& root, const std::string& name);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_YAMLMERGEKEYS_H_
