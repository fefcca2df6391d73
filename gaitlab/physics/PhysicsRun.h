// The physics check of a run: the robot model's servos follow each tick's
// joint angles, held for one tick period, as fast as each servo can turn,
// while MuJoCo integrates with a fixed step; each record gets the trunk's
// pose at the end of its tick.
#ifndef TROTIX_GAITLAB_PHYSICSRUN_H_
#define TROTIX_GAITLAB_PHYSICSRUN_H_

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "gaitlab/physics/FootKinematics.h"
#include "gaitlab/physics/PhysicsSummary.h"
#include "gaitlab/physics/RobotModel.h"
#include "gaitlab/physics/StepTally.h"
#include "gaitlab/run/GaitRun.h"

namespace trotix {

// Noise on the commanded angles: each joint of each tick is moved by a
// uniform amount within +-amplitudeRad, drawn from a generator seeded with
// `seed` (the same seed, the same noise on every platform).
struct AngleNoise {
  double amplitudeRad = 0.0;  // 0: none
  std::uint64_t seed = 0;
};

// The trunk's tilt as the run sets it down on the floor, radians.
struct StartTilt {
  double rollRad = 0.0;
  double pitchRad = 0.0;
};

// A uniform number in [-1, 1) from the generator's 53 high bits: the same
// on every platform, unlike the standard distributions.
inline double UniformSigned(std::mt19937_64& random) {
  return static_cast<double>(random() >> 11) * 0x1.0p-52 - 1.0;
}

class PhysicsRun : public TickStage {
 public:
  // The model must outlive the run; several runs may share it.
  PhysicsRun(const RobotModel& model, double tickPeriodMs, AngleNoise noise = {},
             StartTilt start = {});

  // The first tick stands the robot on the floor in that tick's pose. Once
  // the integration has broken down the trunk stays where it last was.
  void process(TickRecord& record) override;

  PhysicsSummary summary() const;

  // The model and the simulation's state, for drawing them between ticks.
  const RobotModel& model() const { return model_; }
  mjData& data() { return *data_; }
  // From now on, keep the model's state (MuJoCo's qpos) at every tick's end.
  void keepReplay() { keepReplay_ = true; }
  // What was kept as CSV: time_s, then every qpos column by name (the
  // trunk's position in m and orientation quaternion, each joint in rad).
  std::string replayCsv() const;
  // MuJoCo's state as the first tick began: the trunk set down, the servos
  // given the first tick's angles. Empty before the first tick.
  const MjcfState& startState() const { return startState_; }

 private:
  void standOnFloor(const JointAngles& angles);
  void stepOneTick();
  void checkFall();
  BodyPose pose() const;
  JointAngles commanded(const JointAngles& angles);

  const RobotModel& model_;
  DataPointer data_;
  FootKinematics kinematics_;
  StepTally tally_;
  AngleNoise noise_;
  StartTilt start_;
  std::mt19937_64 random_;
  JointAngles targets_{};  // this tick's command, in the model's angles
  double tickSeconds_;
  std::int64_t ticks_ = 0;
  BodyPose last_{};
  double forwardMm_ = 0.0, lateralMm_ = 0.0, pathMm_ = 0.0;
  double maxTilt_ = 0.0;  // rad
  double tilt_ = 0.0;     // rad, now
  bool trunkOnFloor_ = false;
  double downSinceS_ = NAN;  // when the trunk went down, while it is
  double fellAtS_ = NAN;
  bool scraped_ = false;
  double maxMiss_ = 0.0;
  bool unstable_ = false;
  bool keepReplay_ = false;
  std::vector<double> replay_;  // time and qpos of each kept tick
  MjcfState startState_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSRUN_H_
