// trotix-gait: runs the walk engine without a window and writes the joint
// angles and commands of every tick as CSV or JSON Lines, and a plot. The
// options are read here; the gait lab's run (LabRun.h) does the rest.
#include <cstdio>
#include <exception>
#include <new>
#include <string>

#include "gaitlab/io/BinaryStandardStreams.h"
#include "gaitlab/io/CheckedWrite.h"
#include "gaitlab/io/InputError.h"
#include "gaitlab/io/OutputFile.h"
#include "gaitlab/lab/LabRun.h"
#include "tools/trotix-gait/GaitOptions.h"

namespace trotix {
namespace {

int Main(int argc, char** argv) {
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
    return RunLab(options, "trotix-gait");
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
