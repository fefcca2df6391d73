#include "view/StickFigure.h"

#include <cmath>

namespace trotix {
namespace {

constexpr double kSegmentLength = 3.0;

using Point = std::array<double, 3>;

struct LegMount {
  Point shoulder;
  double mirror;  // +1 front legs, -1 rear legs: the rear legs bend the other way
};

constexpr std::array<LegMount, kLegCount> kLegMounts{{
    {{5.0, 1.0, 5.0}, 1.0},
    {{5.0, 1.0, -5.0}, 1.0},
    {{-5.0, 1.0, 5.0}, -1.0},
    {{-5.0, 1.0, -5.0}, -1.0},
}};

Vertex ToVertex(const Point& p) {
  return {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2])};
}

// An angle as glRotatef gets it: degrees by the program's factor, as a float,
// then turned back into radians with the true pi.
double RotationRadians(double degrees) {
  return static_cast<double>(static_cast<float>(degrees)) * kTruePi / 180.0;
}

Point RotateAboutX(const Point& p, double radians) {
  const double c = std::cos(radians), s = std::sin(radians);
  return {p[0], c * p[1] - s * p[2], s * p[1] + c * p[2]};
}

Point RotateAboutZ(const Point& p, double radians) {
  const double c = std::cos(radians), s = std::sin(radians);
  return {c * p[0] - s * p[1], s * p[0] + c * p[1], p[2]};
}

Point Add(const Point& a, const Point& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

// A segment of length 3 at `angle` from straight down, swinging towards +x
// times the mirror sign; vertices go to OpenGL as floats.
Point HangingSegment(double angle, double mirror) {
  const Vertex v{static_cast<float>(mirror * kSegmentLength * std::sin(angle)),
                 static_cast<float>(-kSegmentLength * std::cos(angle)), 0.0f};
  return {v[0], v[1], v[2]};
}

void AddLeg(const LegMount& mount, double pitch, double roll, double knee,
            std::vector<Segment>& segments) {
  // Shoulder frame: translated to the mount point, rolled about x.
  const double rollRadians = RotationRadians(roll * kDegreesPerRadian);
  const auto toModel = [&](const Point& p) {
    return Add(mount.shoulder, RotateAboutX(p, rollRadians));
  };

  const Point kneePoint = HangingSegment(pitch, mount.mirror);
  // Knee frame: moved to the knee and turned by the pitch, so the knee angle
  // is measured from the upper segment.
  const double pitchRadians = RotationRadians(mount.mirror * (pitch * kDegreesPerRadian));
  const Point foot = Add(kneePoint, RotateAboutZ(HangingSegment(knee, mount.mirror), pitchRadians));

  segments.push_back(
      {ToVertex(toModel({0.0, 0.0, 0.0})), ToVertex(toModel(kneePoint)), kUpperLegColour});
  segments.push_back({ToVertex(toModel(kneePoint)), ToVertex(toModel(foot)), kLowerLegColour});
}

}  // namespace

std::vector<Segment> StickFigure(const JointAngles* jointAngles) {
  std::vector<Segment> segments = {
      {{7, 3, 0}, {6, 3, 0}, kBodyColour},     // head
      {{6, 3, 0}, {5, 1, 0}, kBodyColour},     // neck
      {{5, 1, -5}, {5, 1, 5}, kBodyColour},    // shoulder bar
      {{5, 1, 0}, {-5, 1, 0}, kBodyColour},    // spine
      {{-5, 1, -5}, {-5, 1, 5}, kBodyColour},  // hip bar
  };
  if (jointAngles == nullptr) return segments;
  for (int leg = 0; leg < kLegCount; ++leg) {
    const double* joints = jointAngles->data() + 3 * leg;
    AddLeg(kLegMounts[leg], joints[0], joints[1], joints[2], segments);
  }
  return segments;
}

}  // namespace trotix
