// A run's ticks gathered into flat arrays that become numpy arrays without
// a copy, and the run loop that fills them.
#ifndef TROTIX_PYTHON_RUNARRAYS_H_
#define TROTIX_PYTHON_RUNARRAYS_H_

#include <pybind11/pybind11.h>

#include <cstdint>
#include <vector>

#include "gaitlab/run/GaitRun.h"
#include "gaitlab/tables/TableColumns.h"
#include "python/src/GaitDescription.h"

namespace trotix {

class PhysicsCheck;

// A schedule as the module's object (a wrapper, so that the vector is not
// mistaken for a Python list).
struct ScheduleRows {
  Schedule rows;
};

class RunArrays : public TickSink {
 public:
  // Room for `ticks` rows is reserved at once; `body` adds the trunk's pose.
  RunArrays(std::int64_t ticks, double tickPeriodMs, bool body);
  // Needs no GIL.
  void addTick(const TickRecord& record) override;

  // The arrays under the names of the result's fields; call with the GIL.
  pybind11::dict release();

 private:
  TableLayout layout_;
  bool body_;
  std::vector<std::int64_t> tick_;
  std::vector<double> time_, angles_, targets_, pose_;
  std::vector<std::int32_t> commands_;
};

// Runs the gait as trotix-gait does (with `physics` as the stage if given)
// and returns the arrays; releases the GIL while the engine runs, and ends
// the run at Ctrl-C.
pybind11::dict RunToArrays(std::int64_t ticks, int turn, int step, const ScheduleRows* schedule,
                           const GaitDescription& gait, std::int64_t rampTicks,
                           PhysicsCheck* physics);

}  // namespace trotix

#endif  // TROTIX_PYTHON_RUNARRAYS_H_
