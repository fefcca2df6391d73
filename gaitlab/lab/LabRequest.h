// What one run of the gait lab is asked to do: the walk, its gait file and
// schedule, and the outputs wanted. trotix-gait fills it from its options.
#ifndef TROTIX_GAITLAB_LAB_LABREQUEST_H_
#define TROTIX_GAITLAB_LAB_LABREQUEST_H_

#include <cstdint>
#include <string>

#include "gaitlab/physics/PhysicsParameters.h"
#include "gaitlab/report/AngleUnit.h"
#include "gaitlab/run/GaitSettings.h"
#include "gaitlab/run/Schedule.h"
#include "gaitlab/video/WatchWindow.h"

namespace trotix {

constexpr std::int64_t kDefaultTicks = 300;

enum class TableFormat { kCsv, kJsonl, kServo, kNone };

struct LabRequest {
  std::int64_t ticks = kDefaultTicks;
  int turn = 0;                    // horizontal slider position
  int step = 0;                    // vertical slider position (negative walks forwards)
  std::string schedulePath;        // empty: the sliders stay where they are
  std::string outputPath;          // empty or "-": standard output
  std::string plotPath;            // empty: no plot
  std::string gaitPath;            // empty: the engine's own gait
  std::string reportPath;          // empty: no report; "-": a table on standard error
  std::string physicsSummaryPath;  // empty: no summary
  std::string physicsMapPath;      // empty: no map
  std::string exportMjcfPath;      // empty: no model file
  std::string exportUrdfPath;      // empty: no URDF
  std::string videoPath;           // empty: no video; .mp4 or .gif
  bool videoGif = false;           // the name ends in .gif
  double videoFps = 0.0;           // 0: one frame per tick
  int videoWidth = 640, videoHeight = 480;
  std::int64_t rampTicks = 0;
  int ensembleMembers = kDefaultEnsembleMembers;  // models a physics run walks at most
  std::uint64_t ensembleSeed = 0;                 // which ensemble they are
  unsigned threads = 0;                           // the physics' threads; 0: one per core
  TableFormat format = TableFormat::kCsv;
  AngleUnit units = kRadians;  // of the rows and the report
  bool targets = false;
  bool check = false;           // exit status 3 when a joint limit is broken
  bool physics = false;         // run the robot model in MuJoCo
  bool physicsTorques = false;  // the model's servo torques in every row
  bool watch = false;           // run it in a window instead, in real time
  bool printGait = false;
};

// The words a run's messages use for the program and for each part of the
// request, e.g. "trotix-gait: --plot: cannot create 'x/p.svg': ...";
// trotix-gait gives its options' names.
struct LabWords {
  std::string program = "gaitlab";
  std::string output = "output";
  std::string servoTable = "servo table";  // the output in servo pulses
  std::string plot = "plot";
  std::string report = "report";
  std::string physicsSummary = "physics summary";
  std::string physicsMap = "physics map";
  std::string exportMjcf = "model";
  std::string exportUrdf = "URDF";
  std::string physics = "physics";
  std::string video = "video";
  std::string watch = "watch";
  std::string check = "check";
};

// What the request's files hold, read by the caller, whose messages name
// each file the way its user gave it: the gait, the robot of its physics
// section and the schedule.
struct LabInputs {
  GaitSettings gait = DefaultGaitSettings();
  PhysicsParameters physics;
  Schedule schedule;
  SliderSteer watchSteer;       // what steers --watch's sliders besides the keys, if anything
  GaitReload::Load reloadGait;  // reads the gait file again, for --watch; none: no file
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_LAB_LABREQUEST_H_
