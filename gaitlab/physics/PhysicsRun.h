// The physics check of a run: the robot model's servos follow each tick's
// joint angles, held for one tick period, while MuJoCo integrates with a
// fixed step; each record gets the trunk's pose at the end of its tick.
#ifndef TROTIX_GAITLAB_PHYSICSRUN_H_
#define TROTIX_GAITLAB_PHYSICSRUN_H_

#include "gaitlab/gait/GaitRun.h"
#include "gaitlab/physics/FootKinematics.h"
#include "gaitlab/physics/PhysicsSummary.h"
#include "gaitlab/physics/RobotModel.h"

namespace trotix {

class PhysicsRun : public TickStage {
 public:
  // The model must outlive the run; several runs may share it.
  PhysicsRun(const RobotModel& model, double tickPeriodMs);

  // The first tick stands the robot on the floor in that tick's pose.
  void process(TickRecord& record) override;

  PhysicsSummary summary() const;

  // The model and the simulation's state, for drawing them between ticks.
  const RobotModel& model() const { return model_; }
  mjData& data() { return *data_; }

 private:
  void standOnFloor(const JointAngles& angles);
  void stepOneTick(std::int64_t tick);
  BodyPose pose() const;

  const RobotModel& model_;
  DataPointer data_;
  FootKinematics kinematics_;
  double tickSeconds_;
  std::int64_t ticks_ = 0;
  BodyPose last_{};
  double forwardMm_ = 0.0, lateralMm_ = 0.0;
  double maxTilt_ = 0.0;  // rad
  bool touchedFloor_ = false;
  double maxMiss_ = 0.0;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSRUN_H_
