#include "gaitlab/report/FeasibilityReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "gaitlab/io/NumberText.h"
#include "trotix/LegGeometry.h"

namespace trotix {
namespace {

// The roll the solver gives when no roll reaches the target: asin(0.999).
const double kSaturatedRoll = std::asin(0.999);

std::string Json(double value) {
  char text[kMaxNumberChars];
  return std::string(text, WriteJsonDouble(text, value));
}

std::string OptionalJson(const std::optional<double>& value, double scale) {
  return value ? Json(*value * scale) : "null";
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

}  // namespace

FeasibilityReport::FeasibilityReport(const GaitSettings& settings)
    : settings_(settings), geometry_(settings.robot.geometry()) {
  constexpr double kNone = std::numeric_limits<double>::infinity();
  for (int index = 0; index < kJointCount; ++index) {
    const JointServo& servo = settings.robot.joints[index];
    bounds_[index] = {servo.lower.value_or(-kNone), servo.upper.value_or(kNone),
                      servo.maxSpeed ? *servo.maxSpeed * settings.tickSeconds() : kNone};
    joints_[index].min = kNone;
    joints_[index].max = -kNone;
    if (servo.channel) servos_[index].emplace(servo, settings.tickSeconds(), settings.slewLimit);
  }
  previous_.fill(std::numeric_limits<double>::quiet_NaN());
}

// The first tick has no previous one: its NaN step fails every test.
inline void FeasibilityReport::addJoint(int index, double angle, std::int64_t tick) {
  Joint& joint = joints_[index];
  const Bounds& bounds = bounds_[index];
  joint.min = std::min(joint.min, angle);
  joint.max = std::max(joint.max, angle);
  const double step = std::fabs(angle - previous_[index]);
  previous_[index] = angle;
  if (step > joint.maxStep) joint.maxStep = step, joint.maxStepTick = tick;
  if (step > bounds.step) joint.tooFast.add(tick);
  if (step > settings_.jumpThreshold) legs_[index / 3].jumps.add(tick);
  if (angle < bounds.lower) joint.belowLower.add(tick);
  if (angle > bounds.upper) joint.aboveUpper.add(tick);
  if (servos_[index]) {
    servos_[index]->pulse(angle);
    if (servos_[index]->limited()) joint.pulseLimited.add(tick);
  }
}

void FeasibilityReport::addTick(const TickRecord& record) {
  for (int index = 0; index < kJointCount; ++index) {
    addJoint(index, record.angles[index], record.tick);
  }
  for (int leg = 0; leg < kLegCount; ++leg) {
    const auto& target = record.targets[leg];
    const Reach reach = ReachOf(geometry_.leg(leg), {target[0], target[1], target[2]});
    if (reach == Reach::kBeyond) legs_[leg].reachedFar.add(record.tick);
    if (reach == Reach::kInside) legs_[leg].reachedNear.add(record.tick);
    if (std::fabs(record.angles[3 * leg + 1]) == kSaturatedRoll) {
      legs_[leg].rollSaturated.add(record.tick);
    }
  }
  ++ticks_;
}

int FeasibilityReport::brokenLimitCount() const {
  int count = 0;
  for (const Joint& joint : joints_) {
    for (const TickRanges* ranges : {&joint.belowLower, &joint.aboveUpper, &joint.tooFast}) {
      count += ranges->count() > 0;
    }
  }
  return count;
}

std::string FeasibilityReport::brokenLimitSummary() const {
  std::string text;
  for (int index = 0; index < kJointCount; ++index) {
    const Joint& joint = joints_[index];
    const std::pair<const char*, const TickRanges*> limits[] = {
        {"lower", &joint.belowLower}, {"upper", &joint.aboveUpper}, {"max_speed", &joint.tooFast}};
    for (const auto& [name, ranges] : limits) {
      if (ranges->count() == 0) continue;
      text += (text.empty() ? "" : ", ") + JointName(index) + " " + name + " (" +
              std::to_string(ranges->count()) + (ranges->count() == 1 ? " tick)" : " ticks)");
    }
  }
  return text;
}

std::string FeasibilityReport::checkFailures() const {
  std::string text;
  const auto add = [&text](const std::string& failure) {
    text += (text.empty() ? "" : "; ") + failure;
  };
  const auto ticks = [](std::int64_t count) {
    return " (" + std::to_string(count) + (count == 1 ? " tick)" : " ticks)");
  };
  const int broken = brokenLimitCount();
  if (broken > 0) {
    add(std::to_string(broken) + " joint limit" + (broken == 1 ? "" : "s") +
        " broken: " + brokenLimitSummary());
  }
  for (int index = 0; index < kJointCount; ++index) {
    const std::int64_t limited = joints_[index].pulseLimited.count();
    if (limited > 0) add(JointName(index) + " pulses limited" + ticks(limited));
  }
  for (int leg = 0; leg < kLegCount; ++leg) {
    const Leg& l = legs_[leg];
    const std::int64_t clamped = l.reachedFar.count() + l.reachedNear.count();
    if (settings_.checkReach && clamped > 0) {
      add("leg " + std::to_string(leg) + " reach clamped" + ticks(clamped));
    }
    if (settings_.checkRollSaturation && l.rollSaturated.count() > 0) {
      add("leg " + std::to_string(leg) + " roll saturated" + ticks(l.rollSaturated.count()));
    }
  }
  return text;
}

std::string FeasibilityReport::json(const AngleUnit& unit) const {
  const double period = settings_.tickSeconds();
  const double scale = unit.scale;
  std::string text =
      "{\n  \"ticks\": " + std::to_string(ticks_) +
      (unit.isRadians() ? "" : ",\n  \"units\": \"" + std::string(unit.name) + "\"") +
      ",\n  \"tick_period_s\": " + Json(period) +
      ",\n  \"jump_threshold\": " + Json(settings_.jumpThreshold * scale) +
      ",\n  \"broken_limits\": " + std::to_string(brokenLimitCount()) + ",\n  \"joints\": {\n";
  for (int index = 0; index < kJointCount; ++index) {
    const Joint& joint = joints_[index];
    const JointServo& servo = settings_.robot.joints[index];
    const bool any = ticks_ > 0;
    text += "    \"" + JointName(index) +
            "\": {\"min\": " + (any ? Json(joint.min * scale) : "null") +
            ", \"max\": " + (any ? Json(joint.max * scale) : "null") +
            ", \"max_speed\": " + Json(joint.maxStep * scale / period) +
            ", \"max_speed_tick\": " + std::to_string(joint.maxStepTick) +
            ", \"lower\": " + OptionalJson(servo.lower, scale) +
            ", \"upper\": " + OptionalJson(servo.upper, scale) +
            ", \"speed_limit\": " + OptionalJson(servo.maxSpeed, scale) +
            ", \"below_lower\": " + joint.belowLower.json() +
            ", \"above_upper\": " + joint.aboveUpper.json() +
            ", \"too_fast\": " + joint.tooFast.json() +
            ", \"pulse_limited\": " + joint.pulseLimited.json() + "}" +
            (index + 1 < kJointCount ? ",\n" : "\n");
  }
  text += "  },\n  \"legs\": [\n";
  for (int leg = 0; leg < kLegCount; ++leg) {
    const Leg& l = legs_[leg];
    text += "    {\"leg\": " + std::to_string(leg) +
            ", \"reach_clamped_beyond_max\": " + l.reachedFar.json() +
            ", \"reach_clamped_inside_min\": " + l.reachedNear.json() +
            ", \"roll_saturated\": " + l.rollSaturated.json() + ", \"jumps\": " + l.jumps.json() +
            "}" + (leg + 1 < kLegCount ? ",\n" : "\n");
  }
  return text + "  ]\n}\n";
}

std::string FeasibilityReport::table(const AngleUnit& unit) const {
  const double period = settings_.tickSeconds();
  std::string text = "Feasibility over " + std::to_string(ticks_) + " ticks of " +
                     Fixed(settings_.tickPeriodMs, 1) + " ms\n";
  char line[512];
  const std::string name = unit.name;
  std::snprintf(line, sizeof line, "  %-11s %9s %9s %12s  %s\n", "joint", ("min " + name).c_str(),
                ("max " + name).c_str(), ("max " + name + "/s").c_str(), "limits broken");
  text += line;
  for (int index = 0; index < kJointCount; ++index) {
    const Joint& joint = joints_[index];
    std::string broken;
    const std::pair<const char*, const TickRanges*> limits[] = {
        {"below lower", &joint.belowLower},
        {"above upper", &joint.aboveUpper},
        {"too fast", &joint.tooFast},
        {"pulse limited", &joint.pulseLimited}};
    for (const auto& [name, ranges] : limits) {
      if (ranges->count() > 0)
        broken += (broken.empty() ? "" : "; ") + std::string(name) + " " + ranges->text();
    }
    std::snprintf(line, sizeof line, "  %-11s %9.4f %9.4f %12.3f  %s\n", JointName(index).c_str(),
                  joint.min * unit.scale, joint.max * unit.scale,
                  joint.maxStep * unit.scale / period,
                  settings_.robot.joints[index].hasLimits() || servos_[index]
                      ? (broken.empty() ? "none" : broken.c_str())
                      : "(no limits given)");
    text += line;
  }
  text += "  Solver clamps and jumps of more than " +
          Fixed(settings_.jumpThreshold * unit.scale, 3) + " " + name + " between ticks:\n";
  for (int leg = 0; leg < kLegCount; ++leg) {
    const Leg& l = legs_[leg];
    text += "  leg " + std::to_string(leg) + ": beyond max reach " + l.reachedFar.text() +
            "; inside min reach " + l.reachedNear.text() + "; roll saturated " +
            l.rollSaturated.text() + "; jumps " + l.jumps.text() + "\n";
  }
  return text;
}

bool DeclaresSomethingToCheck(const GaitSettings& gait) {
  return gait.checkReach || gait.checkRollSaturation ||
         std::any_of(gait.robot.joints.begin(), gait.robot.joints.end(),
                     [](const JointServo& joint) {
                       return joint.hasLimits() || joint.channel.has_value();
                     });
}

}  // namespace trotix
