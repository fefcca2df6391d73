// The compiled MuJoCo model of the robot and where its parts are. One model
// serves any number of simulations at once, each with its own mjData.
#ifndef TROTIX_GAITLAB_ROBOTMODEL_H_
#define TROTIX_GAITLAB_ROBOTMODEL_H_

#include <mujoco/mujoco.h>

#include <array>
#include <memory>
#include <string>

#include "gaitlab/physics/MjcfGait.h"
#include "gaitlab/physics/PhysicsParameters.h"
#include "gaitlab/robot/Transmission.h"
#include "trotix/WalkTypes.h"

namespace trotix {

struct ModelDeleter {
  void operator()(mjModel* model) const { mj_deleteModel(model); }
};
struct DataDeleter {
  void operator()(mjData* data) const { mj_deleteData(data); }
};
using DataPointer = std::unique_ptr<mjData, DataDeleter>;

// Compiles MJCF text from memory (a virtual file, no temporary file);
// throws std::runtime_error with MuJoCo's message if it is refused.
std::unique_ptr<mjModel, ModelDeleter> CompileMjcf(const std::string& xml);

class RobotModel {
 public:
  RobotModel(const PhysicsParameters& parameters, double tickPeriodMs, const MjcfGait& gait = {});

  const mjModel& model() const { return *model_; }
  DataPointer makeData() const { return DataPointer(mj_makeData(model_.get())); }

  const PhysicsParameters& parameters() const { return parameters_; }
  const RobotDescription& robot() const { return robot_; }
  const RobotGeometry& geometry() const { return geometry_; }
  int stepsPerTick() const { return stepsPerTick_; }

  // Indices by engine joint (leg-major pitch, roll, knee).
  int qposOf(int joint) const { return qpos_[joint]; }
  int dofOf(int joint) const { return dof_[joint]; }
  int actuatorOf(int joint) const { return actuator_[joint]; }
  int footSite(int leg) const { return footSite_[leg]; }
  int upperBody(int leg) const { return upperBody_[leg]; }
  int footGeom(int leg) const { return footGeom_[leg]; }
  int floorGeom() const { return floorGeom_; }
  int trunkBody() const { return trunkBody_; }
  // The trunk's free joint: position (m) and orientation quaternion.
  int trunkQpos() const { return trunkQpos_; }
  int trunkGeom() const { return trunkGeom_; }

  // Sets the leg joints of `data` to the engine's angles, mapped.
  void setJoints(mjData& data, const JointAngles& angles) const;
  // Commands the servos to the engine's angles, mapped.
  void setServos(mjData& data, const JointAngles& angles) const;
  // One integration step of `data`, each servo's set point (its ctrl)
  // moving towards `targets`, the model's angles, by at most its top speed
  // over the step, and its position loop acting on the set point and the
  // joint as they are halfway through the step. True where the top speed
  // held a set point back.
  std::array<bool, kJointCount> step(mjData& data, const JointAngles& targets) const;
  const ServoDrive& drive(int joint) const { return drive_[joint]; }

 private:
  int id(mjtObj type, const std::string& name) const;

  PhysicsParameters parameters_;
  RobotDescription robot_;
  RobotGeometry geometry_;
  std::unique_ptr<mjModel, ModelDeleter> model_;
  int stepsPerTick_;
  std::array<int, kJointCount> qpos_{}, dof_{}, actuator_{};
  std::array<ServoDrive, kJointCount> drive_{};
  std::array<int, kLegCount> footSite_{}, upperBody_{}, footGeom_{};
  int trunkBody_, trunkQpos_, trunkGeom_, floorGeom_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_ROBOTMODEL_H_
