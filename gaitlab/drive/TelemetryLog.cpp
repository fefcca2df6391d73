#include "gaitlab/drive/TelemetryLog.h"

#include <cstring>

#include "gaitlab/io/NumberText.h"

namespace trotix {
namespace {

char* Text(char* p, const char* text) {
  const std::size_t size = std::strlen(text);
  std::memcpy(p, text, size);
  return p + size;
}

char* Flag(char* p, const char* key, bool value) {
  p = Text(p, key);
  return Text(p, value ? "true" : "false");
}

template <typename Value>
char* List(char* p, const char* key, int count, Value value) {
  p = Text(p, key);
  *p++ = '[';
  for (int i = 0; i < count; ++i) {
    if (i > 0) *p++ = ',';
    p = value(p, i);
  }
  return Text(p, "]");
}

}  // namespace

TelemetryLog::TelemetryLog(const std::string& path, const std::string& option)
    : file_(path, option), buffer_(file_.stream(), file_.displayName()) {}

void TelemetryLog::tick(const DriveTick& tick) {
  // Twelve servos, three numbers each: well within a row's room.
  char* p = buffer_.reserve(4096);
  p = WriteInteger(Text(p, "{\"tick\":"), tick.tick);
  p = WriteInteger(Text(p, ",\"late_us\":"), tick.lateUs);
  p = WriteInteger(Text(p, ",\"turn\":"), tick.sliders.turn);
  p = WriteInteger(Text(p, ",\"step\":"), tick.sliders.step);
  p = Flag(p, ",\"armed\":", tick.armed);
  p = Flag(p, ",\"soft_start\":", tick.softStart);
  p = Flag(p, ",\"limited\":", tick.limited);
  p = Flag(p, ",\"stopped\":", tick.stopped);
  if (tick.stopped) p = Text(Text(Text(p, ",\"why\":\""), tick.why), "\"");
  if (const BusFrame* sent = tick.sent) {
    p = List(p, ",\"pulse_us\":", sent->count,
             [&](char* q, int i) { return WriteInteger(q, sent->servos[i].pulseUs); });
    p = List(p, ",\"angle\":", sent->count,
             [&](char* q, int i) { return WriteJsonDouble(q, sent->servos[i].angle); });
  } else {
    p = Text(p, ",\"pulse_us\":null,\"angle\":null");
  }
  if (const BusReadback* read = tick.readback) {
    p = List(p, ",\"readback\":", read->count, [&](char* q, int i) {
      return read->servos[i].answered ? WriteJsonDouble(q, read->servos[i].angle) : Text(q, "null");
    });
  } else {
    p = Text(p, ",\"readback\":null");
  }
  p = Text(p, "}\n");
  buffer_.commit(p);
}

void TelemetryLog::finish() {
  buffer_.flush();
  file_.commit();
}

}  // namespace trotix
