#include "gaitlab/gaitfile/YamlDocument.h"

#include <yaml-cpp/depthguard.h>
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/yaml.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <vector>

#include "gaitlab/gaitfile/YamlMergeKeys.h"
#include "gaitlab/io/InputError.h"

namespace trotix {
namespace {

// Where each document starts and where its first value other than null is.
class DocumentMarks : public YAML::EventHandler {
 public:
  struct Document {
    YAML::Mark start;
    std::optional<YAML::Mark> content;
  };

  const std::vector<Document>& documents() const { return documents_; }

  void OnDocumentStart(const YAML::Mark& mark) override { documents_.push_back({mark, {}}); }
  void OnDocumentEnd() override {}
  void OnNull(const YAML::Mark&, YAML::anchor_t) override {}
  void OnAlias(const YAML::Mark& mark, YAML::anchor_t) override { found(mark); }
  void OnScalar(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                const std::string&) override {
    found(mark);
  }
  void OnSequenceStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                       YAML::EmitterStyle::value) override {
    found(mark);
  }
  void OnSequenceEnd() override {}
  void OnMapStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                  YAML::EmitterStyle::value) override {
    found(mark);
  }
  void OnMapEnd() override {}

 private:
  void found(const YAML::Mark& mark) {
    if (!documents_.back().content) documents_.back().content = mark;
  }

  std::vector<Document> documents_;
};

std::string Where(const std::string& name, const YAML::Mark& mark) {
  return mark.line >= 0 ? name + ":" + std::to_string(mark.line + 1) : name;
}

// Refuses the text as soon as the documents read so far show it is not one.
void CheckDocuments(const std::string& text, const std::string& name,
                    const std::vector<DocumentMarks::Document>& documents) {
  if (documents.size() < 2) return;
  const DocumentMarks::Document& last = documents.back();
  // At a token that cannot start a value the parser reports an empty
  // document and leaves the token in place, so it would do so for ever.
  if (last.start.pos == documents[documents.size() - 2].start.pos) {
    const std::size_t at = std::min<std::size_t>(std::max(last.start.pos, 0), text.size());
    throw InputError(Where(name, last.start) + ": not readable as YAML: unexpected " +
                     QuoteForMessage(text.substr(at, 1)));
  }
  if (last.content) {
    throw InputError(Where(name, *last.content) + ": a second YAML document; only one is read");
  }
}

}  // namespace

YAML::Node LoadSingleDocument(const std::string& text, const std::string& name) {
  try {
    std::istringstream in(text);
    YAML::Parser parser(in);
    DocumentMarks marks;
    while (parser.HandleNextDocument(marks)) CheckDocuments(text, name, marks.documents());
    YAML::Node root = YAML::Load(text);
    ExpandMergeKeys(root, name);
    return root;
  } catch (const YAML::Exception& error) {
    // The parser stops deep nesting before it runs out of stack, but its
    // message says only "bad file".
    const bool tooDeep = dynamic_cast<const YAML::DeepRecursion*>(&error) != nullptr;
    throw InputError(Where(name, error.mark) + ": not readable as YAML: " +
                     (tooDeep ? "lists and maps nested too deeply" : PrintableText(error.msg)));
  }
}

}  // namespace trotix
