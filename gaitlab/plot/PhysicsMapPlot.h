// The slider map's picture: forward speed and yaw rate over the plane of
// the two sliders, one coloured cell per setting, fallen settings marked.
#ifndef TROTIX_GAITLAB_PHYSICSMAPPLOT_H_
#define TROTIX_GAITLAB_PHYSICSMAPPLOT_H_

#include <string>
#include <vector>

#include "gaitlab/physics/PhysicsMap.h"

namespace trotix {

// `cells` as MapSettings() orders them; `caption` says what was run.
std::string DrawPhysicsMap(const std::vector<MapCell>& cells, const std::string& caption);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_PHYSICSMAPPLOT_H_
