#include "gaitlab/physics/PhysicsSummary.h"

#include <cmath>

#include "gaitlab/io/NumberText.h"

namespace trotix {
namespace {

// Three decimals are plenty for people and keep the line short.
std::string Field(const char* name, double value) {
  value = std::round(value * 1000.0) / 1000.0 + 0.0;  // + 0.0 turns -0 into 0
  char text[kMaxNumberChars];
  return std::string("\"") + name + "\": " + std::string(text, WriteJsonDouble(text, value));
}

}  // namespace

std::string PhysicsSummaryJson(const PhysicsSummary& s) {
  return "{" + Field("seconds", s.seconds) + ", " + Field("distance_mm", s.distanceMm) + ", " +
         Field("forward_speed_mm_s", s.forwardSpeedMmS) + ", " +
         Field("lateral_speed_mm_s", s.lateralSpeedMmS) + ", " +
         Field("yaw_rate_deg_s", s.yawRateDegS) + ", " + Field("max_tilt_deg", s.maxTiltDeg) +
         ", \"fell\": " + (s.fell ? "true" : "false") + ", " +
         Field("max_foot_error_mm", s.maxFootErrorMm) + "}\n";
}

}  // namespace trotix
