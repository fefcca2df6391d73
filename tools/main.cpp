// trotix-gait: runs the walk engine without a window and writes the joint
// angles and commands of every tick as CSV or JSON Lines, and a plot.
#include <cstdio>
#include <exception>
#include <memory>
#include <new>
#include <optional>

#include "tools/CsvTable.h"
#include "tools/GaitOptions.h"
#include "tools/GaitPlot.h"
#include "tools/GaitRun.h"
#include "tools/InputError.h"
#include "tools/JsonlTable.h"
#include "tools/OutputBuffer.h"
#include "tools/OutputFile.h"
#include "tools/Schedule.h"
#include "tools/TemporaryFiles.h"

namespace trotix {
namespace {

PlotCaption DescribeRun(const GaitOptions& options, const Schedule& schedule) {
  PlotCaption caption;
  const std::string sliders =
      "turn " + std::to_string(options.turn) + ", step " + std::to_string(options.step);
  caption.subtitle = std::to_string(options.ticks) + " ticks \xC2\xB7 ";
  if (schedule.empty()) {
    caption.subtitle += sliders + " throughout";
    return caption;
  }
  caption.subtitle += "schedule " + PrintableText(options.schedulePath) + " (" +
                      std::to_string(schedule.size()) + " rows), starting at " + sliders +
                      "; dashed lines mark slider changes";
  for (const ScheduleEntry& entry : schedule) {
    if (entry.tick > 0 && entry.tick < options.ticks) caption.changeTicks.push_back(entry.tick);
  }
  return caption;
}

std::unique_ptr<TickSink> MakeTable(TableFormat format, OutputBuffer& out, bool targets) {
  if (format == TableFormat::kCsv) return std::make_unique<CsvTable>(out, targets);
  return std::make_unique<JsonlTable>(out, targets);
}

void WriteWhole(OutputFile& file, const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size()) {
    throw OutputError("cannot write " + file.displayName());
  }
}

// Opens every output first, so that a bad file name fails before any work.
void RunAndWrite(const GaitOptions& options, const Schedule& schedule) {
  std::optional<OutputFile> tableFile;
  std::optional<OutputBuffer> buffer;
  std::unique_ptr<TickSink> table;
  std::vector<TickSink*> sinks;
  if (options.format != TableFormat::kNone) {
    tableFile.emplace(options.outputPath.empty() ? "-" : options.outputPath, "--output");
    buffer.emplace(tableFile->stream(), tableFile->displayName());
    table = MakeTable(options.format, *buffer, options.targets);
    sinks.push_back(table.get());
  }
  std::optional<OutputFile> plotFile;
  std::unique_ptr<GaitPlot> plot;
  if (!options.plotPath.empty()) {
    plotFile.emplace(options.plotPath, "--plot");
    plot = std::make_unique<GaitPlot>(options.ticks, DescribeRun(options, schedule));
    sinks.push_back(plot.get());
  }
  RunGait(options.ticks, {options.turn, options.step}, schedule, sinks);
  if (buffer) buffer->flush();
  if (plot) WriteWhole(*plotFile, plot->renderSvg());
  if (tableFile) tableFile->commit();
  if (plotFile) plotFile->commit();
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
    const Schedule schedule =
        options.schedulePath.empty() ? Schedule{} : LoadSchedule(options.schedulePath);
    RemoveTemporaryFilesOnSignal();
    RunAndWrite(options, schedule);
    return 0;
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

int main(int argc, char** argv) { return trotix::Main(argc, argv); }
