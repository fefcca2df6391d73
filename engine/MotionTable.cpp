// Motion selection and the change check of the target commands.
#include <cmath>
#include <cstdlib>

#include "trotix/JointCommandConversion.h"
#include "trotix/WalkEngine.h"

namespace trotix {
namespace {

constexpr std::int32_t kIdOffset = 5000;
constexpr std::int32_t kDefaultCommandStep = 174532;  // 10 degrees

// Motions that only need selecting: "(", "r" and "s" keep their targets.
bool KeepsTargets(std::int32_t id) { return id == 40 || id == 114 || id == 115; }

// Loads the first pose (three aux joints, then the twelve leg joints).
void LoadFirstPose(WalkEngine& engine, const MotionEntry& entry) {
  if (entry.poses.empty() || entry.poses.front() == nullptr) return;
  const double* pose = entry.poses.front();
  for (int k = 0; k < kAuxJointCount; ++k) engine.auxTargets[k] = DegreesToJointCommand(pose[k]);
  for (int k = 0; k < kJointCount; ++k) {
    engine.jointTargets[k] = DegreesToJointCommand(pose[kAuxJointCount + k]);
  }
}

// Differences in 64 bits: two int32 commands can be more than 2^31 apart.
std::int64_t Difference(JointCommand target, JointCommand current) {
  return static_cast<std::int64_t>(target) - static_cast<std::int64_t>(current);
}

}  // namespace

void WalkEngine::selectMotion(std::int32_t id) {
  motionId = id > kIdOffset ? id - kIdOffset : id;
  motionActive = true;
  motionIndex = -1;
  for (std::size_t i = 0; i < motionTable.size(); ++i) {
    if (motionTable[i].id == motionId) motionIndex = static_cast<std::int32_t>(i);
  }
  if (motionIndex == -1) {
    motionActive = false;
    return;
  }
  if (KeepsTargets(motionId)) return;
  for (std::size_t i = 0; i < motionTable.size(); ++i) {
    if (motionTable[i].id != motionId) continue;
    motionActive = true;
    motionIndex = static_cast<std::int32_t>(i);
    LoadFirstPose(*this, motionTable[i]);
    if (targetsFarFromCommands(true)) {
      motionActive = false;
      commandStep = kDefaultCommandStep;
    }
  }
}

// A leg slot is far when it differs by at least the threshold and its target
// lies at least two whole steps above the command (the signed difference is
// used, so a target below its command is never far).
bool WalkEngine::targetsFarFromCommands(bool includeAux) const {
  bool far = false;
  for (int k = 0; k < kJointCount; ++k) {
    const std::int64_t rise = Difference(jointTargets[k], jointCommands[k]);
    if (std::llabs(rise) < commandThreshold) continue;
    if (commandStep == 0) continue;
    const double steps = std::trunc(static_cast<double>(rise) / commandStep);
    if (steps > 1.0) far = true;
  }
  if (includeAux) {
    for (int k = 0; k < kAuxJointCount; ++k) {
      if (std::llabs(Difference(auxTargets[k], auxCommands[k])) >= commandThreshold) far = true;
    }
  }
  return far;
}

}  // namespace trotix
