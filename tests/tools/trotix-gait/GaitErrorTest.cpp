// Bad input and failed writes: a one-line message, the right exit status,
// and no output file, neither a new one nor a damaged old one.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "testing/process/GaitProcess.h"

namespace trotix {
namespace {

struct BadInput {
  const char* name;
  std::vector<std::string> args;
  std::string input;    // written to the --schedule or --gait file when not empty
  std::string message;  // expected part of the error line
};

void PrintTo(const BadInput& input, std::ostream* os) { *os << input.name; }

class GaitBadInputTest : public ::testing::TestWithParam<BadInput> {
 protected:
  static bool Mentions(const std::vector<std::string>& args, const std::string& option) {
    for (const std::string& arg : args) {
      if (arg.rfind(option, 0) == 0) return true;
    }
    return false;
  }

  // The input file the case writes, if any.
  static std::string InputName(const BadInput& input) {
    if (input.input.empty()) return "";
    for (std::size_t i = 0; i + 1 < input.args.size(); ++i) {
      if (input.args[i] == "--schedule" || input.args[i] == "--gait") return input.args[i + 1];
    }
    return "";
  }

  // Runs the case after --output out.csv and --plot out.svg, unless it
  // names its own.
  ProcessResult runCase(ScratchDirectory& dir) {
    const BadInput& input = GetParam();
    if (!InputName(input).empty()) WriteFile(dir.file(InputName(input)), input.input);
    std::vector<std::string> args;
    if (!Mentions(input.args, "--output")) args.insert(args.end(), {"--output", "out.csv"});
    if (!Mentions(input.args, "--plot")) args.insert(args.end(), {"--plot", "out.svg"});
    args.insert(args.end(), input.args.begin(), input.args.end());
    return RunGaitProgram(args, dir.path());
  }

  void expectOneLineError(const ProcessResult& result) {
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err.rfind("trotix-gait: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(GetParam().message), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
  }
};

TEST_P(GaitBadInputTest, FailsWithStatus2AndWritesNoFile) {
  ScratchDirectory dir;
  const ProcessResult result = runCase(dir);
  expectOneLineError(result);
  std::vector<std::string> expected;
  if (!InputName(GetParam()).empty()) expected.push_back(InputName(GetParam()));
  EXPECT_EQ(dir.entries(), expected);
}

TEST_P(GaitBadInputTest, LeavesExistingFilesAsTheyWere) {
  ScratchDirectory dir;
  WriteFile(dir.file("out.csv"), "earlier rows\n");
  WriteFile(dir.file("out.svg"), "<svg/>\n");
  const ProcessResult result = runCase(dir);
  expectOneLineError(result);
  EXPECT_EQ(ReadFile(dir.file("out.csv")), "earlier rows\n");
  EXPECT_EQ(ReadFile(dir.file("out.svg")), "<svg/>\n");
  EXPECT_EQ(dir.entries().size(), InputName(GetParam()).empty() ? 2u : 3u);
}

const BadInput kBadInputs[] = {
    {"UnknownOption", {"--speed", "3"}, "", "unknown option '--speed'"},
    {"TicksNotANumber", {"--ticks", "ten"}, "", "--ticks: 'ten' is not a whole number"},
    {"ControlCharacters", {"--format", "a\nb"}, "", "--format: 'a?b' is not one of"},
    {"ScheduleMissing",
     {"--schedule", "nowhere.csv"},
     "",
     "--schedule: 'nowhere.csv': No such file or directory"},
    {"ScheduleIsDirectory", {"--schedule", "/"}, "", "--schedule: '/': Is a directory"},
    {"ScheduleEmpty",
     {"--schedule", "sched.csv"},
     "# nothing\n",
     "sched.csv: the schedule has no rows"},
    {"ScheduleTickRepeated",
     {"--schedule", "sched.csv"},
     "0,0,0\n10,5,5\n10,6,6\n",
     "sched.csv:3: tick 10 does not come after tick 10 of line 2"},
    {"OutputIsDirectory", {"--output", "."}, "", "--output: '.' is a directory"},
    {"GaitUnknownKey",
     {"--gait", "g.yaml"},
     "gait:\n  stepRate: 2\n  stepRat: 3\n",
     "g.yaml:3: gait: unknown key 'stepRat'"},
    {"ServoWithoutChannels",
     {"--gait", "g.yaml", "--format", "servo"},
     "tick_period_ms: 20\n",
     "--format servo: no joint has a channel"},
    {"ReportOverOutput",
     {"--output", "out.csv", "--report", "out.csv"},
     "",
     "--report and --output name the same file"},
    {"PlotNotSvg", {"--plot", "out.png"}, "", "--plot: 'out.png' does not end in .svg"},
    {"SameFileTwice",
     {"--output", "out.csv", "--plot", "out.csv"},
     "",
     "--plot and --output name the same file"},
    {"PhysicsUnknownKey",
     {"--gait", "g.yaml", "--physics"},
     "physics: {mass: 1}\n",
     "g.yaml:1: physics: unknown key 'mass'"},
    {"VideoOverOutput",
     {"--physics", "--output", "v.mp4", "--video", "./v.mp4"},
     "",
     "--video and --output name the same file"},
    {"SameFileSpeltTwoWays",
     {"--output", "out.csv", "--plot", "./out.csv"},
     "",
     "--plot and --output name the same file"},
};

INSTANTIATE_TEST_SUITE_P(Cases, GaitBadInputTest, ::testing::ValuesIn(kBadInputs),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GaitWriteFailureTest, FullDeviceGivesStatus1AndNoPlot) {
  ScratchDirectory dir;
  const ProcessResult result =
      RunGaitProgram({"--ticks", "20000", "--output", "/dev/full", "--plot", "p.svg"}, dir.path());
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "trotix-gait: cannot write /dev/full: No space left on device\n");
  EXPECT_TRUE(dir.entries().empty());
  struct stat info;
  ASSERT_EQ(::stat("/dev/full", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
}

// An output that cannot be created is a failed write, not a bad argument.
TEST(GaitWriteFailureTest, AnOutputThatCannotBeCreatedGivesStatus1) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--output", "no/such/dir/out.csv"},
       "--output: cannot create 'no/such/dir/out.csv': No such file or directory"},
      {{"--plot", "no/such/dir/out.svg"}, "--plot: cannot create 'no/such/dir/out.svg'"},
      {{"--report", "file/r.json"}, "--report: cannot create 'file/r.json': Not a directory"},
      {{"--output", "locked/out.csv"}, "--output: cannot create 'locked/out.csv'"},
  };
  for (const auto& [args, message] : cases) {
    ScratchDirectory dir;
    WriteFile(dir.file("file"), "x");
    ::mkdir(dir.file("locked").c_str(), 0555);
    // Permissions do not stop root; the other cases still run.
    if (::geteuid() == 0 && args[1].rfind("locked", 0) == 0) continue;
    std::vector<std::string> run = {"--ticks", "3"};
    run.insert(run.end(), args.begin(), args.end());
    const ProcessResult result = RunGaitProgram(run, dir.path());
    EXPECT_EQ(result.status, 1) << args[1];
    EXPECT_EQ(result.err.rfind(std::string("trotix-gait: ") + message, 0), 0u) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"file", "locked"})) << args[1];
  }
}

// No output may replace an input or another output, however it is named;
// nothing runs and every file stays as it was.
TEST(GaitFileClashTest, NoOutputReplacesAnInputOrAnotherOutput) {
  const std::pair<std::vector<std::string>, const char*> clashes[] = {
      {{"--gait", "g.yaml", "--output", "g.yaml"}, "--output and --gait"},
      {{"--gait", "./g.yaml", "--report", "g.yaml"}, "--report and --gait"},
      {{"--gait", "link.yaml", "--output", "g.yaml"}, "--output and --gait"},
      {{"--gait", "hard.yaml", "--output", "g.yaml"}, "--output and --gait"},
      {{"--schedule", "m.csv", "--output", "sub/../m.csv"}, "--output and --schedule"},
      {{"--gait", "g.yaml", "--physics", "--physics-summary", "g.yaml"},
       "--physics-summary and --gait"},
      {{"--gait", "g.yaml", "--export-mjcf", "link.yaml"}, "--export-mjcf and --gait"},
      {{"--gait", "map.svg", "--physics-map", "map.svg"}, "--physics-map and --gait"},
      {{"--export-urdf", "x.xml", "--export-mjcf", "x.xml"}, "--export-urdf and --export-mjcf"},
      {{"--physics", "--export-mjcf", "x.xml", "--output", "x.xml"}, "--export-mjcf and --output"},
      {{"--physics", "--export-mjcf", "x.xml", "--output", "x-replay.csv"},
       "the replay of --export-mjcf and --output"},
  };
  for (const auto& [args, message] : clashes) {
    ScratchDirectory dir;
    WriteFile(dir.file("g.yaml"), "tick_period_ms: 20\n");
    WriteFile(dir.file("map.svg"), "tick_period_ms: 20\n");
    WriteFile(dir.file("m.csv"), "0,10,-50\n");
    ::mkdir(dir.file("sub").c_str(), 0755);
    ::symlink("g.yaml", dir.file("link.yaml").c_str());
    ::link(dir.file("g.yaml").c_str(), dir.file("hard.yaml").c_str());
    const auto before = dir.entries();
    const ProcessResult result = RunGaitProgram(args, dir.path());
    EXPECT_EQ(result.status, 2) << message;
    EXPECT_EQ(result.err, std::string("trotix-gait: ") + message + " name the same file\n");
    EXPECT_EQ(dir.entries(), before) << message;
    EXPECT_EQ(ReadFile(dir.file("g.yaml")), "tick_period_ms: 20\n") << message;
    EXPECT_EQ(ReadFile(dir.file("m.csv")), "0,10,-50\n") << message;
  }
}

// An option that has no effect in the mode chosen is refused, not ignored;
// each pair below once ran as if the option were not there.
TEST(GaitOptionRuleTest, RefusesEveryOptionWithoutEffect) {
  const std::pair<std::vector<std::string>, const char*> refused[] = {
      {{"--check"}, "--check: the gait file declares nothing to check"},
      {{"--check", "--gait", "n.yaml"}, "--check: the gait file declares nothing to check"},
  };
  for (const auto& [args, message] : refused) {
    ScratchDirectory dir;
    WriteFile(dir.file("g.yaml"), "joints:\n  leg0_knee: {channel: 0}\n");
    WriteFile(dir.file("n.yaml"), "joints:\n  leg0_knee: {zero: 0.5}\n");
    const ProcessResult result = RunGaitProgram(args, dir.path());
    EXPECT_EQ(result.status, 2) << args[0];
    EXPECT_EQ(result.err.rfind(std::string("trotix-gait: ") + message, 0), 0u) << result.err;
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    EXPECT_EQ(dir.entries(), (std::vector<std::string>{"g.yaml", "n.yaml"})) << args[0];
  }
}

// The combinations that do mean something stay accepted.
TEST(GaitOptionRuleTest, AcceptsEveryOptionWithAnEffect) {
  const std::vector<std::string> accepted[] = {
      {"--units", "deg", "--format", "none", "--report", "-"},
      {"--units", "deg", "--format", "jsonl", "--targets"},
      {"--print-gait", "--gait", "g.yaml", "--output", "printed.yaml"},
      {"--schedule", "s.csv", "--ramp", "4", "--format", "servo", "--gait", "g.yaml"},
  };
  for (const std::vector<std::string>& args : accepted) {
    ScratchDirectory dir;
    WriteFile(dir.file("g.yaml"), "joints:\n  leg0_knee: {channel: 0}\n");
    WriteFile(dir.file("s.csv"), "0,10,-50\n");
    std::vector<std::string> run = {"--ticks", "3"};
    if (args[0] == "--print-gait") run.clear();
    run.insert(run.end(), args.begin(), args.end());
    const ProcessResult result = RunGaitProgram(run, dir.path());
    EXPECT_EQ(result.status, 0) << args[0] << ": " << result.err;
  }
  ScratchDirectory dir;
  WriteFile(dir.file("g.yaml"), "tick_period_ms: 20\n");
  ASSERT_EQ(
      RunGaitProgram({"--print-gait", "--gait", "g.yaml", "--output", "p.yaml"}, dir.path()).status,
      0);
  EXPECT_NE(ReadFile(dir.file("p.yaml")).find("tick_period_ms: 20"), std::string::npos);
}

// Every output, whichever way it goes, fails loudly when the device is full
// or the file size limit is reached.
TEST(GaitWriteFailureTest, EveryOutputNamesWhatCouldNotBeWritten) {
  struct FullCase {
    std::vector<std::string> args;
    const char* redirect;    // which of the program's streams goes to /dev/full
    const char* message;     // expected on stderr; empty when stderr is the full one
    const char* limit = "";  // or a file size limit instead
  };
  const FullCase cases[] = {
      {{"--help"}, ">", "cannot write standard output: No space left on device"},
      {{"--version"}, ">", "cannot write standard output"},
      {{"--print-gait"}, ">", "cannot write standard output"},
      {{"--ticks", "3"}, ">", "cannot write standard output"},
      {{"--print-gait", "--output", "/dev/full"}, "", "cannot write /dev/full"},
      {{"--export-mjcf", "/dev/full"}, "", "cannot write /dev/full"},
      {{"--ticks", "3", "--report", "/dev/full"}, "", "cannot write /dev/full"},
      {{"--ticks", "3", "--format", "none", "--report", "-"}, "2>", ""},
      {{"--ticks", "3000", "--output", "o.csv"},
       "",
       "cannot write o.csv: File too large",
       "ulimit -f 2; "},
  };
  for (const FullCase& full : cases) {
    ScratchDirectory dir;
    std::vector<std::string> words = {"-c",
                                      std::string(full.limit) + "exec \"$0\" \"$@\" " +
                                          full.redirect + (*full.redirect ? "/dev/full" : ""),
                                      TROTIX_GAIT_PROGRAM};
    words.insert(words.end(), full.args.begin(), full.args.end());
    const ProcessResult result = RunProgram("/bin/sh", words, dir.path());
    EXPECT_EQ(result.status, 1) << full.args[0];
    if (*full.message) {
      EXPECT_EQ(result.err.rfind(std::string("trotix-gait: ") + full.message, 0), 0u) << result.err;
      EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
    }
    EXPECT_TRUE(dir.entries().empty()) << full.args[0];
  }
}

TEST(GaitReplaceTest, ReplacesAnOldFileWholeAndKeepsItsMode) {
  ScratchDirectory dir;
  WriteFile(dir.file("out.csv"), "old\n");
  ::chmod(dir.file("out.csv").c_str(), 0640);
  ::symlink("out.csv", dir.file("link.csv").c_str());
  const ProcessResult result = RunGaitProgram({"--ticks", "3", "--output", "link.csv"}, dir.path());
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadFile(dir.file("out.csv")).rfind("tick,", 0), 0u);
  struct stat info;
  ASSERT_EQ(::lstat(dir.file("link.csv").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link itself must stay";
  ASSERT_EQ(::stat(dir.file("out.csv").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"link.csv", "out.csv"}));
}

TEST(GaitReplaceTest, ADanglingLinkGetsItsTargetAndALoopIsRefused) {
  ScratchDirectory dir;
  ::mkdir(dir.file("sub").c_str(), 0755);
  ::symlink("sub/link2.csv", dir.file("link.csv").c_str());
  ::symlink("made.csv", dir.file("sub/link2.csv").c_str());
  ::symlink("loop.csv", dir.file("loop.csv").c_str());
  const ProcessResult made = RunGaitProgram({"--ticks", "2", "--output", "link.csv"}, dir.path());
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_EQ(ReadFile(dir.file("sub/made.csv")).rfind("tick,", 0), 0u);
  struct stat info;
  ASSERT_EQ(::lstat(dir.file("link.csv").c_str(), &info), 0);
  EXPECT_TRUE(S_ISLNK(info.st_mode)) << "the link itself must stay";
  const ProcessResult loop = RunGaitProgram({"--ticks", "2", "--output", "loop.csv"}, dir.path());
  EXPECT_EQ(loop.status, 2);
  EXPECT_EQ(loop.err.rfind("trotix-gait: --output: 'loop.csv': Too many levels", 0), 0u)
      << loop.err;
  EXPECT_EQ(dir.entries(), (std::vector<std::string>{"link.csv", "loop.csv", "sub"}));
}

// The longest names a file system takes work as outputs.
TEST(GaitReplaceTest, NamesUpToTheLongestFileNameWork) {
  for (const std::size_t length : {254u, 255u}) {
    ScratchDirectory dir;
    const std::string name(length, 'n');
    const ProcessResult result = RunGaitProgram({"--ticks", "2", "--output", name}, dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{name});
  }
}

TEST(GaitHelpTest, HelpAndVersionSucceed) {
  ScratchDirectory dir;
  const ProcessResult help = RunGaitProgram({"--ticks", "5", "--help"}, dir.path());
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: trotix-gait", 0), 0u);
  EXPECT_NE(help.out.find("--schedule FILE"), std::string::npos);
  for (const char* status : {"\n  0  ", "\n  1  ", "\n  2  ", "\n  3  "}) {
    EXPECT_NE(help.out.find(status, help.out.find("Exit status:")), std::string::npos) << status;
  }
  const ProcessResult version = RunGaitProgram({"--version"}, dir.path());
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("trotix-gait ", 0), 0u);
  EXPECT_TRUE(dir.entries().empty());
}

}  // namespace
}  // namespace trotix
