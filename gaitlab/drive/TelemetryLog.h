// --telemetry FILE.jsonl: one JSON object per tick sent, soft start
// included, and one last for the stop:
//   {"tick":0,"late_us":85,"turn":0,"step":-100,"armed":true,
//    "soft_start":true,"limited":false,"stopped":false,
//    "pulse_us":[1500,...],"angle":[0.1,...],"readback":null}
// pulse_us and angle (rad) follow the channels in increasing order, as the
// servo table's columns; readback holds the angles last read (rad), or
// null where the bus reads nothing back; a simulated robot adds its trunk's
// height, "trunk_mm", and "fallen" after it; the stop's object has "why" and
// null values. Rows are formatted in place: nothing is allocated per tick.
#ifndef TROTIX_GAITLAB_DRIVE_TELEMETRYLOG_H_
#define TROTIX_GAITLAB_DRIVE_TELEMETRYLOG_H_

#include <string>

#include "gaitlab/drive/DriveTick.h"
#include "gaitlab/io/OutputBuffer.h"
#include "gaitlab/io/OutputFile.h"

namespace trotix {

class TelemetryLog : public DriveObserver {
 public:
  TelemetryLog(const std::string& path, const std::string& option);
  void tick(const DriveTick& tick) override;
  // Puts the file in place; throws OutputError.
  void finish();

 private:
  OutputFile file_;
  OutputBuffer buffer_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_DRIVE_TELEMETRYLOG_H_
