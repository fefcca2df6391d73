#include "gaitlab/lab/LabRun.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "gaitlab/gaitfile/GaitFile.h"  // GaitFileText
#include "gaitlab/io/CheckedWrite.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/io/OutputBuffer.h"
#include "gaitlab/io/OutputFile.h"
#include "gaitlab/io/ProgressLine.h"
#include "gaitlab/lab/LabCaptions.h"
#include "gaitlab/physics/MjcfGait.h"
#include "gaitlab/physics/PhysicsCheck.h"
#include "gaitlab/physics/PhysicsMap.h"
#include "gaitlab/physics/PhysicsSection.h"
#include "gaitlab/physics/RobotMjcf.h"
#include "gaitlab/physics/RobotUrdf.h"
#include "gaitlab/plot/GaitPlot.h"
#include "gaitlab/plot/PhysicsMapPlot.h"
#include "gaitlab/report/FeasibilityReport.h"
#include "gaitlab/run/GaitRun.h"
#include "gaitlab/run/Schedule.h"
#include "gaitlab/tables/CsvTable.h"
#include "gaitlab/tables/JsonlTable.h"
#include "gaitlab/tables/ServoTable.h"
#include "gaitlab/video/PhysicsVideo.h"
#include "gaitlab/video/WatchWindow.h"

namespace trotix {
namespace {

// One line on what most likely made the model unstable; returns the status.
int ReportUnstable(const LabWords& words, const std::string& what,
                   const PhysicsParameters& parameters) {
  std::fprintf(stderr,
               "%s: %s: the physics model became unstable; the likeliest cause is %s "
               "(docs/physics.md gives the stable ranges)\n",
               words.program.c_str(), what.c_str(), LikelyUnstableKey(parameters).c_str());
  return kPhysicsUnstable;
}

std::unique_ptr<TickSink> MakeTable(const LabRequest& options, const GaitSettings& gait,
                                    const LabWords& words, OutputBuffer& out, ServoTable*& servo) {
  TableLayout layout;
  layout.targets = options.targets;
  layout.body = options.physics;
  layout.torques = options.physicsTorques;
  layout.tickPeriodMs = gait.tickPeriodMs;
  layout.angles = options.units;
  if (options.format == TableFormat::kCsv) return std::make_unique<CsvTable>(out, layout);
  if (options.format == TableFormat::kServo) {
    auto table = std::make_unique<ServoTable>(out, gait, words.servoTable);
    servo = table.get();
    return table;
  }
  return std::make_unique<JsonlTable>(out, layout);
}

void WriteWhole(OutputFile& file, const std::string& text) {
  WriteAll(file.stream(), file.displayName(), text);
}

// Shows how far a long run has come, on a terminal.
class ProgressSink : public TickSink {
 public:
  explicit ProgressSink(std::int64_t ticks) : line_("ticks", ticks) {}
  void addTick(const TickRecord& record) override {
    if ((record.tick & 255) == 255) line_.update(record.tick + 1);
  }
  void finish() { line_.finish(); }

 private:
  ProgressLine line_;
};

std::vector<MapCell> RunMapWithProgress(const PhysicsParameters& parameters,
                                        const GaitSettings& gait, int members, unsigned threads,
                                        const std::string& what) {
  ProgressLine line("map cells", kMapColumns * kMapRows);
  return RunPhysicsMap(
      parameters, gait, kMapSecondsPerSetting, threads, members,
      [&line](std::size_t done) { line.update(static_cast<std::int64_t>(done)); }, what);
}

// Rows for ticks the run never reaches are most likely a mistake.
void WarnAboutLateRows(const LabRequest& options, const Schedule& schedule, const LabWords& words) {
  std::size_t late = 0;
  for (const ScheduleEntry& entry : schedule) late += entry.tick >= options.ticks;
  if (late == 0) return;
  std::fprintf(stderr, "%s: warning: %s: %zu row%s after the last tick (%lld) %s no effect\n",
               words.program.c_str(), PrintableText(options.schedulePath).c_str(), late,
               late == 1 ? "" : "s", static_cast<long long>(options.ticks - 1),
               late == 1 ? "has" : "have");
}

// With a run, the keyframe "replay" is its first state.
std::string ExportedMjcf(const PhysicsParameters& parameters, const GaitSettings& gait,
                         const PhysicsCheck* physics = nullptr) {
  MjcfGait exported = MjcfGaitOf(gait, parameters);
  if (physics != nullptr) exported.replayStart = physics->startState();
  return RobotMjcf(ServoParametersOf(parameters, gait), gait.tickPeriodMs, exported);
}

// Opens every output first, so that a bad file name fails before any work.
// Returns the exit status.
int RunAndWrite(const LabRequest& options, const GaitSettings& gait, const Schedule& schedule,
                const PhysicsParameters& parameters, PhysicsCheck* physics, const LabWords& words) {
  std::optional<OutputFile> tableFile;
  std::optional<OutputBuffer> buffer;
  std::unique_ptr<TickSink> table;
  ServoTable* servo = nullptr;
  std::vector<TickSink*> sinks;
  if (options.format != TableFormat::kNone) {
    tableFile.emplace(options.outputPath.empty() ? "-" : options.outputPath, words.output);
    buffer.emplace(tableFile->stream(), tableFile->displayName());
    table = MakeTable(options, gait, words, *buffer, servo);
    sinks.push_back(table.get());
  }
  std::optional<OutputFile> plotFile;
  std::unique_ptr<GaitPlot> plot;
  if (!options.plotPath.empty()) {
    plotFile.emplace(options.plotPath, words.plot);
    plot = std::make_unique<GaitPlot>(options.ticks, DescribeRun(options, schedule), gait,
                                      options.physics);
    sinks.push_back(plot.get());
  }
  std::optional<OutputFile> reportFile;
  std::unique_ptr<FeasibilityReport> report;
  if (!options.reportPath.empty() || options.check) {
    if (!options.reportPath.empty() && options.reportPath != "-") {
      reportFile.emplace(options.reportPath, words.report);
    }
    report = std::make_unique<FeasibilityReport>(gait);
    sinks.push_back(report.get());
  }
  std::optional<OutputFile> summaryFile;
  if (!options.physicsSummaryPath.empty()) {
    summaryFile.emplace(options.physicsSummaryPath, words.physicsSummary);
  }
  ProgressSink progress(options.ticks);
  sinks.push_back(&progress);
  std::optional<OutputFile> mjcfFile, replayFile;
  if (physics && !options.exportMjcfPath.empty()) {
    mjcfFile.emplace(options.exportMjcfPath, words.exportMjcf);
    replayFile.emplace(ReplayPath(options.exportMjcfPath), words.exportMjcf);
    physics->keepReplay();
  }
  RunSettings settings;
  settings.walk = WalkStepOf(gait);
  settings.rampTicks = options.rampTicks;
  if (physics) settings.stage = &physics->stage();
  RunGait(options.ticks, {options.turn, options.step}, schedule, sinks, settings);
  progress.finish();
  if (buffer) buffer->flush();
  if (plot) WriteWhole(*plotFile, plot->renderSvg());
  if (reportFile) WriteWhole(*reportFile, report->json(options.units));
  if (summaryFile) WriteWhole(*summaryFile, PhysicsSummaryJson(physics->summary()));
  if (mjcfFile) {
    WriteWhole(*mjcfFile, ExportedMjcf(parameters, gait, physics));
    WriteWhole(*replayFile, physics->replayCsv());
    mjcfFile->commit();
    replayFile->commit();
  }
  if (tableFile) tableFile->commit();
  if (plotFile) plotFile->commit();
  if (reportFile) reportFile->commit();
  if (summaryFile) summaryFile->commit();
  if (options.reportPath == "-")
    WriteAndFlush(stderr, "standard error", report->table(options.units));
  if (servo) {
    for (const std::string& line : servo->limitWarnings()) {
      std::fprintf(stderr, "%s: warning: %s\n", words.program.c_str(), line.c_str());
    }
  }
  if (physics && physics->summary().unstable)
    return ReportUnstable(words, words.physics, parameters);
  if (options.check && !report->checkFailures().empty()) {
    std::fprintf(stderr, "%s: %s: %s\n", words.program.c_str(), words.check.c_str(),
                 report->checkFailures().c_str());
    return kLimitBroken;
  }
  return 0;
}

}  // namespace

int RunLab(const LabRequest& options, const LabInputs& inputs, const LabWords& words) {
  const GaitSettings& gait = inputs.gait;
  PhysicsParameters physicsParameters = inputs.physics;
  physicsParameters.spread.seed = options.ensembleSeed;
  if (options.printGait) {
    WriteFileWhole(options.outputPath.empty() ? "-" : options.outputPath, words.output,
                   GaitFileText(gait, PhysicsSectionText(physicsParameters, gait.robot)));
    return 0;
  }
  if ((!options.exportMjcfPath.empty() && !options.physics) || !options.exportUrdfPath.empty()) {
    if (!options.exportMjcfPath.empty()) {
      WriteFileWhole(options.exportMjcfPath, words.exportMjcf,
                     ExportedMjcf(physicsParameters, gait));
    }
    if (!options.exportUrdfPath.empty()) {
      WriteFileWhole(options.exportUrdfPath, words.exportUrdf,
                     RobotUrdf(ServoParametersOf(physicsParameters, gait),
                               MjcfGaitOf(gait, physicsParameters)));
    }
    return 0;
  }
  if (!options.physicsMapPath.empty()) {
    const std::string caption = DescribeMap(options);
    OutputFile mapFile(options.physicsMapPath, words.physicsMap);
    const std::vector<MapCell> cells = RunMapWithProgress(
        physicsParameters, gait, options.ensembleMembers, options.threads, words.physicsMap);
    WriteWhole(mapFile, DrawPhysicsMap(cells, caption));
    mapFile.commit();
    for (const MapCell& cell : cells) {
      if (cell.summary.unstable) return ReportUnstable(words, words.physicsMap, physicsParameters);
    }
    return 0;
  }
  if (options.watch) {
    std::optional<GaitReload> reload;
    if (inputs.reloadGait) {
      reload.emplace(options.gaitPath, inputs.reloadGait, [&](const std::string& line) {
        std::fprintf(stderr, "%s: --gait: %s\n", words.program.c_str(), line.c_str());
      });
    }
    WatchLive live{reload ? &*reload : nullptr, inputs.watchSteer};
    WatchPhysics(physicsParameters, gait, {options.turn, options.step}, words.watch, live);
    return 0;
  }
  const Schedule& schedule = inputs.schedule;
  WarnAboutLateRows(options, schedule, words);
  std::unique_ptr<PhysicsCheck> physics;
  if (options.physics) {
    physics = MakePhysicsCheck(physicsParameters, gait, words.physics, options.ensembleMembers,
                               options.threads);
  }
  std::optional<OutputFile> videoFile;
  PhysicsVideo* video = nullptr;
  if (!options.videoPath.empty()) {
    videoFile.emplace(options.videoPath, words.video);
    VideoRequest request = DescribeVideo(options, gait, schedule);
    request.what = words.video;
    std::unique_ptr<PhysicsVideo> filmed = MakePhysicsVideo(
        std::move(physics), gait, request, videoFile->stream(), videoFile->displayName());
    video = filmed.get();
    physics = std::move(filmed);
  }
  const int status = RunAndWrite(options, gait, schedule, physicsParameters, physics.get(), words);
  if (video != nullptr) {
    video->finish();
    videoFile->commit();
  }
  return status;
}

}  // namespace trotix
