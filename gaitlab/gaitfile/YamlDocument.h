// YAML text that must hold one document, read with every refusal as one
// line naming the file and the line.
#ifndef TROTIX_GAITLAB_YAMLDOCUMENT_H_
#define TROTIX_GAITLAB_YAMLDOCUMENT_H_

#include <string>

namespace YAML {
class Node;
}

namespace trotix {

// The text's document, a null node if it holds none, its merge keys
// expanded (YamlMergeKeys.h). An empty document after
// a closing "---" is let pass. Throws InputError starting with `name` if the
// text is not YAML, nests too deeply, holds a stray token the parser would
// skip as an empty document, or holds a second document with content, or a merge key
// that cannot be expanded.
YAML::Node LoadSingleDocument(const std::string& text, const std::string& name);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_YAMLDOCUMENT_H_
