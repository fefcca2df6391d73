#include "gaitlab/drive/TelemetryLog.h"

#include <cmath>

#include "gaitlab/io/NumberText.h"

namespace trotix {
namespace {

char* Flag(char* p, const char* key, bool value) {
  p = WriteText(p, key);
  return WriteText(p, value ? "true" : "false");
}

template <typename Value>
char* List(char* p, const char* key, int count, Value value) {
  p = WriteText(p, key);
  *p++ = '[';
  for (int i = 0; i < count; ++i) {
    if (i > 0) *p++ = ',';
    p = value(p, i);
  }
  return WriteText(p, "]");
}

}  // namespace

TelemetryLog::TelemetryLog(const std::string& path, const std::string& option)
    : file_(path, option), buffer_(file_.stream(), file_.displayName()) {}

void TelemetryLog::tick(const DriveTick& tick) {
  // Twelve servos, three numbers each: well within a row's room.
  char* p = buffer_.reserve(4096);
  p = WriteInteger(WriteText(p, "{\"tick\":"), tick.tick);
  p = WriteInteger(WriteText(p, ",\"late_us\":"), tick.lateUs);
  p = WriteInteger(WriteText(p, ",\"turn\":"), tick.sliders.turn);
  p = WriteInteger(WriteText(p, ",\"step\":"), tick.sliders.step);
  p = Flag(p, ",\"armed\":", tick.armed);
  p = Flag(p, ",\"soft_start\":", tick.softStart);
  p = Flag(p, ",\"limited\":", tick.limited);
  p = Flag(p, ",\"stopped\":", tick.stopped);
  if (tick.stopped) p = WriteText(WriteText(WriteText(p, ",\"why\":\""), tick.why), "\"");
  if (const BusFrame* sent = tick.sent) {
    p = List(p, ",\"pulse_us\":", sent->count,
             [&](char* q, int i) { return WriteInteger(q, sent->servos[i].pulseUs); });
    p = List(p, ",\"angle\":", sent->count,
             [&](char* q, int i) { return WriteJsonDouble(q, sent->servos[i].angle); });
  } else {
    p = WriteText(p, ",\"pulse_us\":null,\"angle\":null");
  }
  if (const BusReadback* read = tick.readback) {
    p = List(p, ",\"readback\":", read->count, [&](char* q, int i) {
      return read->servos[i].answered ? WriteJsonDouble(q, read->servos[i].angle)
                                      : WriteText(q, "null");
    });
    if (std::isfinite(read->trunkHeightMm)) {
      p = WriteJsonDouble(WriteText(p, ",\"trunk_mm\":"), read->trunkHeightMm);
      p = Flag(p, ",\"fallen\":", read->fallen);
    }
  } else {
    p = WriteText(p, ",\"readback\":null");
  }
  p = WriteText(p, "}\n");
  buffer_.commit(p);
}

void TelemetryLog::finish() {
  buffer_.flush();
  file_.commit();
}

}  // namespace trotix
