// The gait file's sections as tables of {key, field, bounds}: what each
// section may set and within what. The reader, the printer and the engine's
// set-up walk these tables; a new gait parameter is one line here.
#ifndef TROTIX_GAITLAB_GAITFILEKEYS_H_
#define TROTIX_GAITLAB_GAITFILEKEYS_H_

#include <variant>
#include <vector>

#include "gaitlab/gaitfile/SectionTable.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

// The values at the top of the file.
const SectionKeys<GaitSettings>& TopLevelKeys();
// `check:`, what --check fails on besides the joints' limits.
const SectionKeys<GaitSettings>& CheckKeys();
// `gait:` for every leg and `legs: {legN: ...}` for one.
const SectionKeys<LegGaitParams>& LegKeys();
// `paths: {front: ..., rear: ...}`.
const SectionKeys<FootLocus>& PathKeys();
// `joints: {legN_joint: ...}`.
const SectionKeys<JointServo>& JointKeys();
// `variants: {turn: rigid, roll: exact_roll_first}`.
const ChoiceKeys<GaitVariants>& VariantKeys();

// A key of `robot:`: a dimension of each kind of leg, which the file gives
// once for both or as {front: a, rear: b}, or one of the whole robot.
struct RobotKey {
  const char* name;
  std::variant<double LegDimensions::*, double RobotDescription::*> field;
  double minimum;
  double maximum;
  const char* comment = nullptr;
};

// `robot: {upper_leg_mm: 70.08, lower_leg_mm: {front: 76.9, rear: 79.4}, ...}`.
const std::vector<RobotKey>& RobotKeys();

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITFILEKEYS_H_
