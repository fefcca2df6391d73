#include "gaitlab/physics/PhysicsRun.h"

#include <algorithm>
#include <cmath>

#include "gaitlab/io/NumberText.h"
#include "gaitlab/robot/Transmission.h"

namespace trotix {
namespace {

constexpr double kDegrees = 180.0 / kTruePi;

double Wrapped(double angle) { return std::remainder(angle, 2.0 * kTruePi); }

}  // namespace

PhysicsRun::PhysicsRun(const RobotModel& model, double tickPeriodMs, AngleNoise noise,
                       StartTilt start)
    : model_(model),
      data_(model.makeData()),
      kinematics_(model),
      tally_(model),
      noise_(noise),
      start_(start),
      random_(noise.seed),
      tickSeconds_(tickPeriodMs / 1000.0) {}

void PhysicsRun::process(TickRecord& record) {
  if (unstable_) {
    record.body = last_;
    return;
  }
  if (ticks_ == 0) standOnFloor(record.angles);
  const JointAngles command = commanded(record.angles);
  // Set down in the first pose, the servos hold it from the start.
  if (ticks_ == 0) model_.setServos(*data_, command);
  targets_ = ModelJointAngles(model_.geometry(), command);
  if (startState_.qpos.empty()) {
    const mjModel& m = model_.model();
    startState_ = {{data_->qpos, data_->qpos + m.nq}, {data_->ctrl, data_->ctrl + m.nu}};
  }
  stepOneTick();
  if (unstable_) {
    record.body = last_;
    return;
  }
  maxMiss_ = std::max(maxMiss_, kinematics_.largestMiss(record.angles, record.targets));

  BodyPose now = pose();
  // The yaw counts on past a half turn; speeds are taken along the trunk's
  // heading halfway through the tick.
  now.yaw = last_.yaw + Wrapped(now.yaw - last_.yaw);
  const double heading = (now.yaw + last_.yaw) / 2.0;
  const double dx = now.x - last_.x, dy = now.y - last_.y;
  forwardMm_ += dx * std::cos(heading) + dy * std::sin(heading);
  lateralMm_ += -dx * std::sin(heading) + dy * std::cos(heading);
  pathMm_ += std::hypot(dx, dy);
  last_ = now;
  record.body = now;
  record.torques = tally_.takeTickTorques();
  ++ticks_;
  if (keepReplay_) {
    replay_.push_back(data_->time);
    replay_.insert(replay_.end(), data_->qpos, data_->qpos + model_.model().nq);
  }
}

std::string PhysicsRun::replayCsv() const {
  const mjModel& m = model_.model();
  std::string text = "time_s,trunk_x,trunk_y,trunk_z,trunk_qw,trunk_qx,trunk_qy,trunk_qz";
  for (int joint = 0; joint < m.njnt; ++joint) {
    if (m.jnt_type[joint] == mjJNT_HINGE)
      text += std::string(",") + mj_id2name(&m, mjOBJ_JOINT, joint);
  }
  text += "\n";
  const std::size_t width = static_cast<std::size_t>(m.nq) + 1;
  for (std::size_t row = 0; row + width <= replay_.size(); row += width) {
    for (std::size_t i = 0; i < width; ++i) {
      char number[kMaxNumberChars];
      text += std::string(i == 0 ? "" : ",") +
              std::string(number, WriteDouble(number, replay_[row + i]));
    }
    text += "\n";
  }
  return text;
}

JointAngles PhysicsRun::commanded(const JointAngles& angles) {
  if (noise_.amplitudeRad == 0.0) return angles;
  JointAngles noisy = angles;
  for (double& angle : noisy) angle += noise_.amplitudeRad * UniformSigned(random_);
  return noisy;
}

// Puts the trunk at the origin, upright but for the start's tilt, with the
// legs in the first pose and the lowest foot just on the floor.
void PhysicsRun::standOnFloor(const JointAngles& angles) {
  mjData& d = *data_;
  mjtNum* trunk = d.qpos + model_.trunkQpos();
  std::fill(trunk, trunk + 7, 0.0);
  // Roll about x, then pitch about the rolled y.
  const double cr = std::cos(start_.rollRad / 2), sr = std::sin(start_.rollRad / 2);
  const double cp = std::cos(start_.pitchRad / 2), sp = std::sin(start_.pitchRad / 2);
  trunk[3] = cr * cp;
  trunk[4] = sr * cp;
  trunk[5] = cr * sp;
  trunk[6] = sr * sp;
  model_.setJoints(d, angles);
  mj_kinematics(&model_.model(), &d);
  double lowest = 0.0;
  for (int leg = 0; leg < kLegCount; ++leg) {
    lowest = std::min(lowest, d.site_xpos[3 * model_.footSite(leg) + 2]);
  }
  trunk[2] = model_.parameters().footRadiusMm / 1000.0 - lowest;
  mj_forward(&model_.model(), &d);
  last_ = pose();
}

// MuJoCo resets the state when the integration breaks down; the run stops
// there, with what it measured up to the tick before.
void PhysicsRun::stepOneTick() {
  const mjModel& m = model_.model();
  mjData& d = *data_;
  for (int step = 0; step < model_.stepsPerTick(); ++step) {
    const std::array<bool, kJointCount> held = model_.step(d, targets_);
    for (const int warning : {mjWARN_BADQPOS, mjWARN_BADQVEL, mjWARN_BADQACC}) {
      if (d.warning[warning].number > 0) unstable_ = true;
    }
    if (unstable_) return;
    tally_.add(d, m.opt.timestep, targets_, held);
    checkFall();
  }
}

void PhysicsRun::checkFall() {
  const mjData& d = *data_;
  const mjtNum* q = d.qpos + model_.trunkQpos() + 3;
  const double upZ = 1.0 - 2.0 * (q[1] * q[1] + q[2] * q[2]);
  tilt_ = std::acos(std::clamp(upZ, -1.0, 1.0));
  maxTilt_ = std::max(maxTilt_, tilt_);
  trunkOnFloor_ = false;
  for (int c = 0; c < d.ncon; ++c) {
    trunkOnFloor_ = trunkOnFloor_ || d.contact[c].geom1 == model_.trunkGeom() ||
                    d.contact[c].geom2 == model_.trunkGeom();
  }
  const bool down = tilt_ * kDegrees > kFallTiltDegrees || trunkOnFloor_;
  if (!down) {
    scraped_ = scraped_ || !std::isnan(downSinceS_);
    downSinceS_ = NAN;
    return;
  }
  if (std::isnan(downSinceS_)) downSinceS_ = d.time;
  if (std::isnan(fellAtS_) && d.time - downSinceS_ >= kRecoverSeconds) fellAtS_ = downSinceS_;
}

BodyPose PhysicsRun::pose() const {
  const mjtNum* p = data_->qpos + model_.trunkQpos();
  const double w = p[3], x = p[4], y = p[5], z = p[6];
  BodyPose pose;
  pose.x = p[0] * 1000.0;
  pose.y = p[1] * 1000.0;
  pose.height = p[2] * 1000.0;
  pose.yaw = std::atan2(2.0 * (w * z + x * y), 1.0 - 2.0 * (y * y + z * z));
  pose.pitch = std::asin(std::clamp(2.0 * (w * y - z * x), -1.0, 1.0));
  pose.roll = std::atan2(2.0 * (w * x + y * z), 1.0 - 2.0 * (x * x + y * y));
  return pose;
}

PhysicsSummary PhysicsRun::summary() const {
  PhysicsSummary s;
  s.seconds = static_cast<double>(ticks_) * tickSeconds_;
  s.distanceMm = std::hypot(last_.x, last_.y);
  s.pathLengthMm = pathMm_;
  if (s.seconds > 0.0) {
    s.forwardSpeedMmS = forwardMm_ / s.seconds;
    s.lateralSpeedMmS = lateralMm_ / s.seconds;
    s.yawRateDegS = last_.yaw * kDegrees / s.seconds;
  }
  s.maxTiltDeg = maxTilt_ * kDegrees;
  // Down when the run ended, it had no time left to get up.
  s.fellAtS = std::isnan(fellAtS_) ? downSinceS_ : fellAtS_;
  s.fell = !std::isnan(s.fellAtS);
  s.scraped = scraped_ && !s.fell;
  s.recovered = s.fell && tilt_ * kDegrees <= kFallTiltDegrees && !trunkOnFloor_;
  s.maxFootErrorMm = maxMiss_;
  tally_.fill(s, pathMm_);
  s.unstable = unstable_;
  s.fellFraction = s.fell ? 1.0 : 0.0;
  s.scrapedFraction = s.scraped ? 1.0 : 0.0;
  s.fall = EstimateFalls(s.fell ? 1 : 0, 1);
  s.forwardSpeed = {s.forwardSpeedMmS, s.forwardSpeedMmS};
  s.yawRate = {s.yawRateDegS, s.yawRateDegS};
  return s;
}

}  // namespace trotix
