#include "gaitlab/physics/RobotModel.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <stdexcept>

#include "gaitlab/physics/RobotMjcf.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {
namespace {

// MuJoCo's warnings would go to standard output and a log file in the
// working directory; the runs check the data's warning counters instead.
void SilenceWarnings() {
  static std::once_flag once;
  std::call_once(once, [] { mju_user_warning = [](const char*) {}; });
}

}  // namespace

std::unique_ptr<mjModel, ModelDeleter> CompileMjcf(const std::string& xml) {
  SilenceWarnings();
  static const char kName[] = "trotix.xml";
  // The file system is some 2 MB of fixed arrays: too big for the stack.
  const auto vfs = std::make_unique<mjVFS>();
  mj_defaultVFS(vfs.get());
  if (mj_makeEmptyFileVFS(vfs.get(), kName, static_cast<int>(xml.size())) != 0) {
    throw std::runtime_error("MuJoCo: cannot make the model's virtual file");
  }
  std::memcpy(vfs->filedata[mj_findFileVFS(vfs.get(), kName)], xml.data(), xml.size());
  char error[1000] = "";
  mjModel* model = mj_loadXML(kName, vfs.get(), error, sizeof error);
  mj_deleteVFS(vfs.get());
  if (model == nullptr) throw std::runtime_error(std::string("MuJoCo refused the model: ") + error);
  return std::unique_ptr<mjModel, ModelDeleter>(model);
}

RobotModel::RobotModel(const PhysicsParameters& parameters, double tickPeriodMs,
                       const MjcfGait& gait)
    : parameters_(parameters),
      robot_(gait.robot),
      geometry_(gait.robot.geometry()),
      model_(CompileMjcf(RobotMjcf(parameters, tickPeriodMs, gait))),
      stepsPerTick_(StepsPerTick(parameters, tickPeriodMs)) {
  for (int joint = 0; joint < kJointCount; ++joint) {
    qpos_[joint] = model_->jnt_qposadr[id(mjOBJ_JOINT, JointName(joint))];
    dof_[joint] = model_->jnt_dofadr[id(mjOBJ_JOINT, JointName(joint))];
    actuator_[joint] = id(mjOBJ_ACTUATOR, JointName(joint));
    drive_[joint] = ServoDriveOf(parameters, joint);
  }
  for (int leg = 0; leg < kLegCount; ++leg) {
    const std::string name = "leg" + std::to_string(leg);
    footSite_[leg] = id(mjOBJ_SITE, name + "_foot");
    upperBody_[leg] = id(mjOBJ_BODY, name + "_upper");
    footGeom_[leg] = id(mjOBJ_GEOM, name + "_foot");
  }
  trunkBody_ = id(mjOBJ_BODY, "trunk");
  trunkQpos_ = model_->jnt_qposadr[id(mjOBJ_JOINT, "trunk")];
  trunkGeom_ = id(mjOBJ_GEOM, "trunk");
  floorGeom_ = id(mjOBJ_GEOM, "floor");
}

int RobotModel::id(mjtObj type, const std::string& name) const {
  const int found = mj_name2id(model_.get(), type, name.c_str());
  if (found < 0) throw std::logic_error("the robot model has no " + name);
  return found;
}

void RobotModel::setJoints(mjData& data, const JointAngles& angles) const {
  const JointAngles model = ModelJointAngles(geometry_, angles);
  for (int joint = 0; joint < kJointCount; ++joint) data.qpos[qpos_[joint]] = model[joint];
}

void RobotModel::setServos(mjData& data, const JointAngles& angles) const {
  const JointAngles model = ModelJointAngles(geometry_, angles);
  for (int joint = 0; joint < kJointCount; ++joint) data.ctrl[actuator_[joint]] = model[joint];
}

std::array<bool, kJointCount> RobotModel::step(mjData& data, const JointAngles& targets) const {
  const double seconds = model_->opt.timestep;
  std::array<bool, kJointCount> held{};
  JointAngles setPoints{};
  for (int joint = 0; joint < kJointCount; ++joint) {
    mjtNum& control = data.ctrl[actuator_[joint]];
    const double most = drive_[joint].maxSpeed * seconds;
    const double wanted = targets[joint] - control;
    const double move = std::clamp(wanted, -most, most);
    held[joint] = std::fabs(wanted) > most;
    setPoints[joint] = control + move;
    // The loop's error halfway through the step: the set point half its
    // move on, the joint half a step of its speed on. At the start of the
    // step instead, a joint running at its top speed through the loop's
    // narrow proportional band gets its torque up to a step late.
    control += move / 2 - data.qvel[dof_[joint]] * seconds / 2;
  }
  mj_step(model_.get(), &data);
  for (int joint = 0; joint < kJointCount; ++joint) data.ctrl[actuator_[joint]] = setPoints[joint];
  return held;
}

}  // namespace trotix
