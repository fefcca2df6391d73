// trotix-gait: runs the walk engine without a window and writes the joint
// angles and commands of every tick as CSV or JSON Lines, and a plot.
#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "gaitlab/gait/FeasibilityReport.h"
#include "gaitlab/gait/GaitFile.h"
#include "gaitlab/gait/GaitRun.h"
#include "gaitlab/gait/Schedule.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/io/OutputBuffer.h"
#include "gaitlab/io/OutputFile.h"
#include "gaitlab/io/TemporaryFiles.h"
#include "gaitlab/physics/GaitVariants.h"
#include "gaitlab/physics/MjcfGait.h"
#include "gaitlab/physics/PhysicsCheck.h"
#include "gaitlab/physics/PhysicsMap.h"
#include "gaitlab/physics/PhysicsSection.h"
#include "gaitlab/physics/RobotMjcf.h"
#include "gaitlab/plot/GaitPlot.h"
#include "gaitlab/plot/PhysicsMapPlot.h"
#include "gaitlab/tables/CsvTable.h"
#include "gaitlab/tables/JsonlTable.h"
#include "gaitlab/tables/ServoTable.h"
#include "tools/trotix-gait/GaitOptions.h"
#include "trotix/WalkTypes.h"

namespace trotix {
namespace {

// Exit status of a run whose joints break a limit under --check.
constexpr int kLimitBroken = 3;
// Exit status when the physics model's integration broke down.
constexpr int kPhysicsUnstable = 4;

// One line on what most likely made the model unstable; returns the status.
int ReportUnstable(const std::string& what, const PhysicsParameters& parameters) {
  std::fprintf(stderr,
               "trotix-gait: %s: the physics model became unstable; the likeliest cause is %s "
               "(docs/physics.md gives the stable ranges)\n",
               what.c_str(), LikelyUnstableKey(parameters).c_str());
  return kPhysicsUnstable;
}

PlotCaption DescribeRun(const GaitOptions& options, const Schedule& schedule) {
  PlotCaption caption;
  const std::string sliders =
      "turn " + std::to_string(options.turn) + ", step " + std::to_string(options.step);
  caption.subtitle = std::to_string(options.ticks) + " ticks \xC2\xB7 ";
  if (!options.gaitPath.empty())
    caption.subtitle += "gait " + PrintableText(options.gaitPath) + " \xC2\xB7 ";
  if (schedule.empty()) {
    caption.subtitle += sliders + " throughout";
    caption.segments = {{0, sliders}};
    return caption;
  }
  caption.subtitle += "schedule " + PrintableText(options.schedulePath) + " (" +
                      std::to_string(schedule.size()) + " rows) from " + sliders;
  if (options.rampTicks > 1) {
    caption.subtitle += ", ramps of " + std::to_string(options.rampTicks) + " ticks";
  }
  caption.segments = {{0, sliders}};
  for (const ScheduleEntry& entry : schedule) {
    if (entry.tick >= options.ticks) break;
    const std::string label =
        "turn " + std::to_string(entry.turn) + ", step " + std::to_string(entry.step);
    if (entry.tick == 0) caption.segments.clear();
    caption.segments.push_back({entry.tick, label});
  }
  return caption;
}

std::string DescribeMap(const GaitOptions& options) {
  return "9 x 9 slider settings, 10 s each from a standing start, medians of " +
         std::to_string(options.ensembleMembers) + " models \xC2\xB7 " +
         (options.gaitPath.empty() ? std::string("the built-in gait and model")
                                   : "gait " + PrintableText(options.gaitPath));
}

std::unique_ptr<TickSink> MakeTable(const GaitOptions& options, const GaitSettings& gait,
                                    OutputBuffer& out) {
  TableLayout layout;
  layout.targets = options.targets;
  layout.body = options.physics;
  layout.torques = options.physicsTorques;
  layout.tickPeriodMs = gait.tickPeriodMs;
  layout.angleScale = options.units == AngleUnits::kDegrees ? kDegreesPerRadian : 1.0;
  if (options.format == TableFormat::kCsv) return std::make_unique<CsvTable>(out, layout);
  if (options.format == TableFormat::kServo) return std::make_unique<ServoTable>(out, gait);
  return std::make_unique<JsonlTable>(out, layout);
}

void WriteWhole(OutputFile& file, const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size()) {
    throw OutputError("cannot write " + file.displayName());
  }
}

// Rows for ticks the run never reaches are most likely a mistake.
void WarnAboutLateRows(const GaitOptions& options, const Schedule& schedule) {
  std::size_t late = 0;
  for (const ScheduleEntry& entry : schedule) late += entry.tick >= options.ticks;
  if (late == 0) return;
  std::fprintf(stderr,
               "trotix-gait: warning: %s: %zu row%s after the last tick (%lld) %s no effect\n",
               PrintableText(options.schedulePath).c_str(), late, late == 1 ? "" : "s",
               static_cast<long long>(options.ticks - 1), late == 1 ? "has" : "have");
}

// Writes `text` whole to the file `path`, which `option` named.
void WriteFileWhole(const std::string& path, const std::string& option, const std::string& text) {
  OutputFile file(path, option);
  WriteWhole(file, text);
  file.commit();
}

std::string ExportedMjcf(const PhysicsParameters& parameters, const GaitSettings& gait) {
  return RobotMjcf(parameters, gait.tickPeriodMs, MjcfGaitOf(gait, parameters));
}

// "robot.xml" gives "robot-replay.csv".
std::string ReplayPath(const std::string& mjcfPath) {
  const std::size_t dot = mjcfPath.size() >= 4 ? mjcfPath.size() - 4 : std::string::npos;
  const bool xml = dot != std::string::npos && mjcfPath.compare(dot, 4, ".xml") == 0;
  return (xml ? mjcfPath.substr(0, dot) : mjcfPath) + "-replay.csv";
}

// Opens every output first, so that a bad file name fails before any work.
// Returns the exit status.
int RunAndWrite(const GaitOptions& options, const GaitSettings& gait, const Schedule& schedule,
                const PhysicsParameters& parameters, PhysicsCheck* physics) {
  std::optional<OutputFile> tableFile;
  std::optional<OutputBuffer> buffer;
  std::unique_ptr<TickSink> table;
  std::vector<TickSink*> sinks;
  if (options.format != TableFormat::kNone) {
    tableFile.emplace(options.outputPath.empty() ? "-" : options.outputPath, "--output");
    buffer.emplace(tableFile->stream(), tableFile->displayName());
    table = MakeTable(options, gait, *buffer);
    sinks.push_back(table.get());
  }
  std::optional<OutputFile> plotFile;
  std::unique_ptr<GaitPlot> plot;
  if (!options.plotPath.empty()) {
    plotFile.emplace(options.plotPath, "--plot");
    plot = std::make_unique<GaitPlot>(options.ticks, DescribeRun(options, schedule), gait,
                                      options.physics);
    sinks.push_back(plot.get());
  }
  std::optional<OutputFile> reportFile;
  std::unique_ptr<FeasibilityReport> report;
  if (!options.reportPath.empty() || options.check) {
    if (!options.reportPath.empty() && options.reportPath != "-") {
      reportFile.emplace(options.reportPath, "--report");
    }
    report = std::make_unique<FeasibilityReport>(gait);
    sinks.push_back(report.get());
  }
  std::optional<OutputFile> summaryFile;
  if (!options.physicsSummaryPath.empty()) {
    summaryFile.emplace(options.physicsSummaryPath, "--physics-summary");
  }
  std::optional<OutputFile> mjcfFile, replayFile;
  if (physics && !options.exportMjcfPath.empty()) {
    mjcfFile.emplace(options.exportMjcfPath, "--export-mjcf");
    replayFile.emplace(ReplayPath(options.exportMjcfPath), "--export-mjcf");
    physics->keepReplay();
  }
  RunSettings settings;
  ApplyGaitSettings(gait, settings.engine);
  settings.rampTicks = options.rampTicks;
  settings.tick = VariantTick(parameters);
  if (physics) settings.stage = &physics->stage();
  RunGait(options.ticks, {options.turn, options.step}, schedule, sinks, settings);
  if (buffer) buffer->flush();
  if (plot) WriteWhole(*plotFile, plot->renderSvg());
  if (reportFile) WriteWhole(*reportFile, report->json());
  if (summaryFile) WriteWhole(*summaryFile, PhysicsSummaryJson(physics->summary()));
  if (mjcfFile) {
    WriteWhole(*mjcfFile, ExportedMjcf(parameters, gait));
    WriteWhole(*replayFile, physics->replayCsv());
    mjcfFile->commit();
    replayFile->commit();
  }
  if (tableFile) tableFile->commit();
  if (plotFile) plotFile->commit();
  if (reportFile) reportFile->commit();
  if (summaryFile) summaryFile->commit();
  if (options.reportPath == "-") std::fputs(report->table().c_str(), stderr);
  if (physics && physics->summary().unstable) return ReportUnstable("--physics", parameters);
  if (options.check && report->brokenLimitCount() > 0) {
    std::fprintf(stderr, "trotix-gait: --check: %d joint limit%s broken: %s\n",
                 report->brokenLimitCount(), report->brokenLimitCount() == 1 ? "" : "s",
                 report->brokenLimitSummary().c_str());
    return kLimitBroken;
  }
  return 0;
}

int Main(int argc, char** argv) {
  try {
    const GaitOptions options = ParseGaitOptions(argc, argv);
    if (options.showHelp) {
      std::fputs(GaitUsageText().c_str(), stdout);
      return 0;
    }
    if (options.showVersion) {
      std::printf("trotix-gait %s\n", TROTIX_VERSION);
      return 0;
    }
    if (options.format == TableFormat::kNone && !options.outputPath.empty()) {
      throw InputError("--output: nothing is written to it with --format none");
    }
    PhysicsParameters physicsParameters;
    const GaitSettings gait =
        options.gaitPath.empty()
            ? DefaultGaitSettings()
            : LoadGaitFile(options.gaitPath,
                           {PhysicsSection(physicsParameters), VariantsSection(physicsParameters)});
    if (options.printGait) {
      std::fputs((GaitFileText(gait) + PhysicsSectionText(physicsParameters)).c_str(), stdout);
      return 0;
    }
    if (!options.exportMjcfPath.empty() && !options.physics) {
      WriteFileWhole(options.exportMjcfPath, "--export-mjcf",
                     ExportedMjcf(physicsParameters, gait));
      return 0;
    }
    if (!options.physicsMapPath.empty()) {
      const std::string caption = DescribeMap(options);
      OutputFile mapFile(options.physicsMapPath, "--physics-map");
      const std::vector<MapCell> cells =
          RunPhysicsMap(physicsParameters, gait, kMapSecondsPerSetting, 0, options.ensembleMembers);
      WriteWhole(mapFile, DrawPhysicsMap(cells, caption));
      mapFile.commit();
      for (const MapCell& cell : cells) {
        if (cell.summary.unstable) return ReportUnstable("--physics-map", physicsParameters);
      }
      return 0;
    }
    std::unique_ptr<PhysicsCheck> physics;
    if (options.physics) {
      physics = MakePhysicsCheck(physicsParameters, gait, "--physics", options.ensembleMembers);
    }
    const Schedule schedule =
        options.schedulePath.empty() ? Schedule{} : LoadSchedule(options.schedulePath);
    WarnAboutLateRows(options, schedule);
    RemoveTemporaryFilesOnSignal();
    return RunAndWrite(options, gait, schedule, physicsParameters, physics.get());
  } catch (const InputError& error) {
    std::fprintf(stderr, "trotix-gait: %s\n", error.what());
    return 2;
  } catch (const OutputError& error) {
    std::fprintf(stderr, "trotix-gait: %s\n", error.what());
    return 1;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "trotix-gait: out of memory\n");
    return 1;
  } catch (const std::exception& error) {  // e.g. no thread could be started
    std::fprintf(stderr, "trotix-gait: %s\n", error.what());
    return 1;
  }
}

}  // namespace
}  // namespace trotix

int main(int argc, char** argv) {
#ifdef _WIN32
  // The tables end their lines with \n alone, as on every other system, and
  // the printed texts are the same bytes too.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
  return trotix::Main(argc, argv);
}
