// trotix-gait: runs the walk engine without a window and writes the joint
// angles and commands of every tick as CSV or JSON Lines, and a plot. The
// options and the files they name are read here; the gait lab's run
// (LabRun.h) does the rest.
#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "gaitlab/gaitfile/BusSection.h"
#include "gaitlab/gaitfile/GaitFile.h"
#include "gaitlab/io/BinaryStandardStreams.h"
#include "gaitlab/io/CheckedWrite.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/io/OutputFile.h"
#include "gaitlab/io/TemporaryFiles.h"
#include "gaitlab/lab/LabRun.h"
#include "gaitlab/physics/PhysicsSection.h"
#include "gaitlab/report/FeasibilityReport.h"
#include "gaitlab/run/Schedule.h"
#include "tools/trotix-gait/GaitOptions.h"
#include "tools/trotix-gait/WatchGamepad.h"

namespace trotix {
namespace {

// Reads a file that `option` names; a file that cannot be read is refused
// with the option's name before the library's message. What is wrong
// inside a file the library's message names by file, line and key.
template <typename Read>
auto ReadFileOf(const char* option, Read read) {
  try {
    return read();
  } catch (const InputFileError& error) {
    throw InputError(std::string(option) + ": " + error.what());
  }
}

// How the lab's messages name the program and its options.
LabWords OptionWords() {
  LabWords words;
  words.program = "trotix-gait";
  words.output = "--output";
  words.servoTable = "--format servo";
  words.plot = "--plot";
  words.report = "--report";
  words.physicsSummary = "--physics-summary";
  words.physicsMap = "--physics-map";
  words.exportMjcf = "--export-mjcf";
  words.exportUrdf = "--export-urdf";
  words.physics = "--physics";
  words.video = "--video";
  words.watch = "--watch";
  words.check = "--check";
  return words;
}

// The gait file with every section trotix-gait reads.
GaitSettings LoadGait(const std::string& path, PhysicsParameters& physics) {
  BusSettings bus;  // trotix-drive's
  return LoadGaitFile(path, {PhysicsSection(physics), BusSection(bus)});
}

LabInputs ReadInputs(const GaitOptions& options) {
  LabInputs inputs;
  if (!options.gaitPath.empty()) {
    inputs.gait = ReadFileOf("--gait", [&] { return LoadGait(options.gaitPath, inputs.physics); });
  }
  if (options.check && !DeclaresSomethingToCheck(inputs.gait)) {
    throw InputError(
        "--check: the gait file declares nothing to check (give joints limits or "
        "channels, or a check section)");
  }
  if (!options.schedulePath.empty()) {
    inputs.schedule = ReadFileOf(
        "--schedule", [&] { return LoadSchedule(options.schedulePath, inputs.gait.tickPeriodMs); });
  }
  return inputs;
}

int Main(int argc, char** argv) {
  // Before any output is opened, --physics-map's and --export-mjcf's too.
  RemoveTemporaryFilesOnSignal();
  try {
    const GaitOptions options = ParseGaitOptions(argc, argv);
    if (options.showHelp) {
      WriteFileWhole("-", "--help", GaitUsageText());
      return 0;
    }
    if (options.showVersion) {
      WriteFileWhole("-", "--version", std::string("trotix-gait ") + TROTIX_VERSION + "\n");
      return 0;
    }
    LabInputs inputs = ReadInputs(options);
    if (options.watch && !options.gaitPath.empty()) {
      inputs.reloadGait = [&options] {
        PhysicsParameters unused;  // the window's model is built
        return LoadGait(options.gaitPath, unused);
      };
    }
    if (options.watchGamepad) inputs.watchSteer = OpenWatchGamepad();
    return RunLab(options, inputs, OptionWords());
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
  // The tables end their lines with \n alone on every system, and the
  // printed texts are the same bytes too.
  trotix::SetStandardStreamsBinary();
  return trotix::Main(argc, argv);
}
