#include "gaitlab/physics/PhysicsSummary.h"

#include "gaitlab/io/NumberText.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {
namespace {

// Three decimals are plenty for people and keep the line short.
std::string Field(const char* name, double value) {
  value = std::round(value * 1000.0) / 1000.0 + 0.0;  // + 0.0 turns -0 into 0
  char text[kMaxNumberChars];
  return std::string("\"") + name + "\": " + std::string(text, WriteJsonDouble(text, value));
}

std::string Flag(const char* name, bool value) {
  return std::string("\"") + name + "\": " + (value ? "true" : "false");
}

std::string Name(const char* name, const char* value) {
  return std::string("\"") + name + "\": \"" + value + "\"";
}

std::string Joints(const PhysicsSummary& s) {
  std::string text;
  for (int joint = 0; joint < kJointCount; ++joint) {
    const JointTorque& t = s.torques[joint];
    text += (joint == 0 ? "\"" : ", \"") + JointName(joint) + "\": {" +
            Field("peak_torque_nm", t.peakNm) + ", " + Field("rms_torque_nm", t.rmsNm) + ", " +
            Field("at_limit_fraction", t.atLimitFraction) + ", " +
            Field("at_speed_limit_fraction", t.atSpeedLimitFraction) + ", " +
            Field("rms_lag_rad", t.rmsLagRad) + "}";
  }
  return "\"joints\": {" + text + "}";
}

}  // namespace

std::string PhysicsSummaryJson(const PhysicsSummary& s) {
  return "{" + Field("seconds", s.seconds) + ", " + Field("members", s.members) + ", " +
         Field("distance_mm", s.distanceMm) + ", " + Field("path_length_mm", s.pathLengthMm) +
         ", " + Field("forward_speed_mm_s", s.forwardSpeedMmS) + ", " +
         Field("forward_speed_mm_s_p10", s.forwardSpeed.p10) + ", " +
         Field("forward_speed_mm_s_p90", s.forwardSpeed.p90) + ", " +
         Field("lateral_speed_mm_s", s.lateralSpeedMmS) + ", " +
         Field("yaw_rate_deg_s", s.yawRateDegS) + ", " +
         Field("yaw_rate_deg_s_p10", s.yawRate.p10) + ", " +
         Field("yaw_rate_deg_s_p90", s.yawRate.p90) + ", " + Field("max_tilt_deg", s.maxTiltDeg) +
         ", " + Flag("fell", s.fell) + ", " + Field("fell_fraction", s.fellFraction) + ", " +
         Field("fall_probability", s.fall.probability) + ", " +
         Field("fall_probability_low", s.fall.low) + ", " +
         Field("fall_probability_high", s.fall.high) + ", " +
         Name("verdict", FallVerdictName(s.fall.verdict)) + ", " + Field("fell_at_s", s.fellAtS) +
         ", " + Flag("recovered", s.recovered) + ", " + Flag("scraped", s.scraped) + ", " +
         Field("scraped_fraction", s.scrapedFraction) + ", " +
         Flag("members_disagree", s.membersDisagree) + ", " +
         Field("max_foot_error_mm", s.maxFootErrorMm) + ", " + Field("slip_mm", s.slipMm) + ", " +
         Field("cost_of_transport", s.costOfTransport) + ", " + Joints(s) + ", " +
         Flag("unstable", s.unstable) + "}\n";
}

}  // namespace trotix
