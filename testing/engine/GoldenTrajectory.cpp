#include "testing/engine/GoldenTrajectory.h"

#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>

#include "trotix/SliderMapping.h"

namespace trotix {
namespace {

struct SliderSetting {
  int horizontal;
  int vertical;
  int ticks;
};

// Long enough at each setting to cover a whole 63-frame gait cycle (16 ticks)
// several times, and to carry the phase across every change of setting.
constexpr SliderSetting kScript[] = {
    {0, 0, 40},     {0, -130, 50},  {0, 130, 50},  {80, 0, 40}, {-80, 0, 40},
    {80, -130, 50}, {-80, 130, 50}, {37, -64, 40}, {1, -1, 20},
};

}  // namespace

std::vector<GoldenTick> RecordGoldenTrajectory() {
  std::vector<GoldenTick> ticks;
  WalkEngine engine;
  for (const SliderSetting& setting : kScript) {
    for (int i = 0; i < setting.ticks; ++i) {
      ApplySliderPositions(engine, setting.horizontal, setting.vertical);
      engine.tick();
      ticks.push_back(
          {setting.horizontal, setting.vertical, engine.jointAngles, engine.jointCommands});
    }
  }
  return ticks;
}

void WriteGoldenTrajectory(std::ostream& out, const std::vector<GoldenTick>& ticks) {
  out << "# Trotix walk engine golden trajectory, one tick per line:\n"
      << "# horizontal vertical, 12 joint angles (rad), 12 joint commands (urad).\n"
      << "# Regenerate with the regenerate_engine_golden program.\n";
  char number[32];
  for (const GoldenTick& tick : ticks) {
    out << tick.horizontal << ' ' << tick.vertical;
    for (double angle : tick.angles) {
      std::snprintf(number, sizeof number, "%.17g", angle);
      out << ' ' << number;
    }
    for (JointCommand command : tick.commands) out << ' ' << command;
    out << '\n';
  }
}

bool ReadGoldenTrajectory(std::istream& in, std::vector<GoldenTick>& ticks) {
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    GoldenTick tick;
    fields >> tick.horizontal >> tick.vertical;
    for (double& angle : tick.angles) {
      std::string text;
      fields >> text;
      char* end = nullptr;
      angle = std::strtod(text.c_str(), &end);
      if (text.empty() || *end != '\0') return false;
    }
    for (JointCommand& command : tick.commands) fields >> command;
    std::string extra;
    if (fields.fail() || (fields >> extra)) return false;
    ticks.push_back(tick);
  }
  return true;
}

}  // namespace trotix
