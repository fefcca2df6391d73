// One run of the gait lab, as trotix-gait makes it: the rows, plot, report
// and physics of a walk, or the gait printed, the model exported, the
// physics map walked or the live window opened.
#ifndef TROTIX_GAITLAB_LAB_LABRUN_H_
#define TROTIX_GAITLAB_LAB_LABRUN_H_

#include <string>

#include "gaitlab/lab/LabRequest.h"

namespace trotix {

// What a run returns besides 0.
constexpr int kLimitBroken = 3;      // --check found a broken limit
constexpr int kPhysicsUnstable = 4;  // the physics model's integration broke down

// Opens every output before any work, so that a bad file name fails first.
// Warnings and failures that still write the outputs go to stderr, each
// line starting with the program's word; every message names the part of
// the request it is about in `words`. Returns 0, kLimitBroken or
// kPhysicsUnstable; throws InputError for what the request or its files
// get wrong and OutputError for an output that cannot be written.
int RunLab(const LabRequest& request, const LabInputs& inputs, const LabWords& words);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_LAB_LABRUN_H_
