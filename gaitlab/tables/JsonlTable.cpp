#include "gaitlab/tables/JsonlTable.h"

#include "gaitlab/io/NumberText.h"
#include "gaitlab/tables/TableColumns.h"

namespace trotix {
namespace {

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

void JsonlTable::addTick(const TickRecord& record) {
  char* p = out_.reserve(kMaxRowChars);
  p = WriteText(p, "{\"tick\":");
  p = WriteInteger(p, record.tick);
  p = WriteText(p, ",\"time_s\":");
  p = WriteJsonDouble(p, layout_.seconds(record.tick));
  const double scale = layout_.angles.scale;
  const char* suffix = angleSuffix_.c_str();
  p = WriteText(p, ",\"angles");
  p = WriteText(p, suffix);
  p = WriteText(p, "\":");
  p = WriteArray(p, record.angles,
                 [scale](char* q, double angle) { return WriteJsonDouble(q, angle * scale); });
  p = WriteText(p, ",\"commands\":");
  p = WriteArray(p, record.commands, WriteInteger);
  if (layout_.targets) {
    p = WriteText(p, ",\"targets\":");
    p = WriteArray(p, record.targets, [](char* q, const std::array<double, 3>& target) {
      return WriteArray(q, target, WriteJsonDouble);
    });
  }
  if (layout_.body) {
    const std::array<double, 6> values = record.body.values();
    for (int i = 0; i < 6; ++i) {
      p = WriteText(p, i == 0 ? ",\"body\":{\"" : ",\"");
      p = WriteText(p, kBodyNames[i]);
      if (kBodyIsAngle[i]) p = WriteText(p, suffix);
      p = WriteText(p, "\":");
      p = WriteJsonDouble(p, kBodyIsAngle[i] ? values[i] * scale : values[i]);
    }
    *p++ = '}';
  }
  if (layout_.torques) {
    p = WriteText(p, ",\"torques_nm\":");
    p = WriteArray(p, record.torques, WriteJsonDouble);
  }
  p = WriteText(p, "}\n");
  out_.commit(p);
}

}  // namespace trotix
