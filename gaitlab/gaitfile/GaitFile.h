// The gait file: YAML that sets the engine's gait before a run, and the
// servos of its joints. Keys are the engine's own field names:
//
//   tick_period_ms: 33          # 1 to 1000; only scales time: a tick is an engine tick
//   jump_threshold: 0.2         # rad between ticks that the report flags
//   gait: {stepRate: 2, stepHeight: 20, footOffsetX: 50, ...}   # every leg
//   legs: {leg2: {stepHeight: 25}}                              # per leg, over gait
//   paths: {front: {alongTrack: [10 values], vertical: [10 values]}, rear: ...}
//   robot: {upper_leg_mm: 70.08, lower_leg_mm: {front: 76.9, rear: 79.4}, ...}   # the legs
//   joints: {leg0_knee: {lower: 0.3, upper: 2.6, max_speed: 8, channel: 2, ...}}
//   servo_slew_limit: false     # servo pulses also keep to each max_speed
//   check: {reach: false, roll_saturation: false}   # more that --check fails on
//   variants: {turn: rigid, roll: exact_roll_first}  # opt-in changes to the tick
//   bus: {uri: "udp:192.168.4.1:9000"}              # trotix-drive's bus (BusSection.h)
//
// The file is one YAML document. Every key may be left out. Numbers are
// plain YAML numbers: not quoted, not tagged. Unknown keys are refused,
// except top-level sections that another part of the program registers a
// reader for.
#ifndef TROTIX_GAITLAB_GAITFILE_H_
#define TROTIX_GAITLAB_GAITFILE_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "gaitlab/gaitfile/YamlFields.h"
#include "gaitlab/run/GaitSettings.h"

namespace trotix {

// A reader for one more top-level section, e.g. "physics". It receives the
// section's node, the helpers that make messages name file, line and key,
// and the settings read so far (a section may describe the robot too), and
// throws InputError to refuse it.
struct GaitFileSection {
  std::string name;
  std::function<void(const YAML::Node& section, const YamlFields& fields, GaitSettings& settings)>
      read;
};

// Larger gait files are refused rather than read.
constexpr std::size_t kMaxGaitFileBytes = 1024 * 1024;

// Parses gait file text; `name` starts every message.
GaitSettings ParseGaitFile(std::string_view text, const std::string& name,
                           const std::vector<GaitFileSection>& sections = {});

// Reads and parses the file at `path`; throws InputError if it is missing,
// unreadable, too large or refused.
GaitSettings LoadGaitFile(const std::string& path,
                          const std::vector<GaitFileSection>& sections = {});

// The settings as a gait file that ParseGaitFile reads back to the same
// values, with the text of the other sections (e.g. PhysicsSectionText)
// before the variants.
std::string GaitFileText(const GaitSettings& settings, const std::string& sectionsText = "");

}  // namespace trotix

#endif  // TROTIX_GAITLAB_GAITFILE_H_
