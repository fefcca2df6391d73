#include "tools/JsonlTable.h"

#include <cstring>

#include "tools/NumberText.h"
#include "tools/TableColumns.h"

namespace trotix {
namespace {

char* WriteText(char* p, const char* text) {
  const std::size_t length = std::strlen(text);
  std::memcpy(p, text, length);
  return p + length;
}

template <typename Array, typename Writer>
char* WriteArray(char* p, const Array& values, Writer write) {
  *p++ = '[';
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) *p++ = ',';
    p = write(p, values[i]);
  }
  *p++ = ']';
  return p;
}

}  // namespace

void JsonlTable::addTick(std::int64_t tick, const WalkEngine& engine) {
  char* p = out_.reserve(kMaxRowChars);
  p = WriteText(p, "{\"tick\":");
  p = WriteInteger(p, tick);
  p = WriteText(p, ",\"angles\":");
  p = WriteArray(p, engine.jointAngles, WriteJsonDouble);
  p = WriteText(p, ",\"commands\":");
  p = WriteArray(p, engine.jointCommands, WriteInteger);
  if (withTargets_) {
    p = WriteText(p, ",\"targets\":");
    p = WriteArray(p, engine.frameTargets[0], [](char* q, const std::array<double, 3>& target) {
      return WriteArray(q, target, WriteJsonDouble);
    });
  }
  p = WriteText(p, "}\n");
  out_.commit(p);
}

}  // namespace trotix
