// The gait file's sections as tables of {key, field, bounds}: what each
// section may set and within what. The reader, the printer and the engine's
// set-up walk these tables; a new gait parameter is one line here.
#ifndef TROTIX_GAITLAB_GAITFILEKEYS_H_
#define TROTIX_GAITLAB_GAITFILEKEYS_H_

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

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITFILEKEYS_H_
