// trotix-drive itself: its record against trotix-gait's servo table, its
// frames to a UDP receiver and over a pty, and the torque off at every
// signal; the Windows program's too, when the Windows tests give the
// command that runs it.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "gaitlab/bus/DriveFrame.h"
#include "testing/bus/DynamixelEmulator.h"
#include "testing/engine/EngineReference.h"  // SplitText
#include "testing/process/GaitProcess.h"

extern char** environ;

namespace trotix {
namespace {

using Clock = std::chrono::steady_clock;

const std::string kRobot = std::string(TROTIX_SOURCE_DIR) + "/examples/robot.yaml";

// The words that run this build's trotix-drive, and the Windows one's when
// TROTIX_WINDOWS_DRIVE gives them (split at '|', e.g.
// "wine-run.sh|PREFIX|trotix-drive.exe").
std::vector<std::vector<std::string>> DrivePrograms() {
  std::vector<std::vector<std::string>> programs = {{TROTIX_DRIVE_PROGRAM}};
  if (const char* windows = std::getenv("TROTIX_WINDOWS_DRIVE")) {
    programs.push_back(SplitText(windows, '|'));
  }
  return programs;
}

// The drive started in `dir`, standard input from `input`.
pid_t StartDrive(const std::vector<std::string>& args, const std::string& dir,
                 const std::string& input = "/dev/null",
                 const std::vector<std::string>& program = {TROTIX_DRIVE_PROGRAM}) {
  std::vector<std::string> words = {"/bin/sh", "-c", "cd \"$0\" && exec \"$@\" 2>err.txt", dir};
  words.insert(words.end(), program.begin(), program.end());
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDWR | O_NOCTTY, 0);
  pid_t pid = -1;
  posix_spawn(&pid, "/bin/sh", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// The name a drive program opens the pty `device` by: the device, or for
// the Windows program a COM port that Wine links to it (in the dosdevices
// folder that TROTIX_WINE_DOSDEVICES names) while this object lives.
class SerialName {
 public:
  SerialName(const std::vector<std::string>& program, const std::string& device) : name_(device) {
    const char* dosdevices = std::getenv("TROTIX_WINE_DOSDEVICES");
    if (program.front() == TROTIX_DRIVE_PROGRAM || dosdevices == nullptr) return;
    static int next = 40;
    name_ = "COM" + std::to_string(next);
    link_ = std::string(dosdevices) + "/com" + std::to_string(next++);
    ::unlink(link_.c_str());
    EXPECT_EQ(::symlink(device.c_str(), link_.c_str()), 0) << link_;
  }
  ~SerialName() {
    if (!link_.empty()) ::unlink(link_.c_str());
  }
  const std::string& name() const { return name_; }

 private:
  std::string name_;
  std::string link_;
};

// The exit status (128 + N for signal N), or -1 after `seconds`.
int WaitFor(pid_t pid, double seconds) {
  const auto end = Clock::now() + std::chrono::duration<double>(seconds);
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (Clock::now() > end) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The fields of one frame, read at the documented offsets.
struct Frame {
  bool valid = false;  // magic, version, size and CRC right
  int flags = 0;
  std::uint32_t sequence = 0, tick = 0;
  std::vector<int> pulses;
  int holdMs = 0;
};

Frame Decode(const std::uint8_t* b, std::size_t size) {
  const auto u16 = [b](int at) { return b[at] | b[at + 1] << 8; };
  const auto u32 = [&](int at) { return static_cast<std::uint32_t>(u16(at) | u16(at + 2) << 16); };
  Frame frame;
  if (size != 40) return frame;
  frame.valid = b[0] == 'T' && b[1] == 'X' && b[2] == 1 && u16(38) == Crc16Ccitt(b, 38);
  frame.flags = b[3];
  frame.sequence = u32(4);
  frame.tick = u32(8);
  for (int slot = 0; slot < 12; ++slot) frame.pulses.push_back(u16(12 + 2 * slot));
  frame.holdMs = u16(36);
  return frame;
}

// A UDP receiver on loopback that loses every `lose`-th datagram and is
// slow to read every `delay`-th.
class Receiver {
 public:
  Receiver() {
    socket_ = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~Receiver() { ::close(socket_); }
  std::string uri() const { return "udp:127.0.0.1:" + std::to_string(port_); }

  // The next frame kept, or an invalid one after `timeoutMs` of silence.
  Frame next(int timeoutMs, int lose = 0, int delay = 0) {
    for (;;) {
      pollfd wait{socket_, POLLIN, 0};
      if (::poll(&wait, 1, timeoutMs) <= 0) return {};
      std::uint8_t bytes[64];
      const ssize_t size = ::recv(socket_, bytes, sizeof bytes, 0);
      ++count_;
      if (delay > 0 && count_ % delay == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      if (lose > 0 && count_ % lose == 0) continue;
      return Decode(bytes, static_cast<std::size_t>(size));
    }
  }

 private:
  int socket_ = -1;
  int port_ = 0;
  int count_ = 0;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// The numbers of `"key":[...]` or `"key":N` in a telemetry line.
std::vector<double> JsonNumbers(const std::string& line, const std::string& key) {
  std::vector<double> numbers;
  const std::size_t at = line.find("\"" + key + "\":");
  if (at == std::string::npos) return numbers;
  const char* p = line.c_str() + at + key.size() + 2;  // the ':'
  if (p[1] == '[') ++p;
  for (char* end = nullptr; *p == ':' || *p == '[' || *p == ','; p = end) {
    numbers.push_back(std::strtod(p + 1, &end));
    if (end == p + 1) return {numbers.begin(), numbers.end() - 1};
  }
  return numbers;
}

// The fields after tick and time_s.
std::string Pulses(const std::string& row) { return row.substr(row.find(',', row.find(',') + 1)); }

// The record's last N rows carry trotix-gait's pulses byte for byte, after
// the soft start's rows; the telemetry has one object per row, and one for
// the stop, counted without gaps. The same on Windows.
TEST(DriveProcessTest, RecordsTheServoTableAfterTheSoftStart) {
  const struct {
    std::vector<std::string> sliders;
    int ticks;
  } kCases[] = {{{"--turn", "7", "--step", "-100"}, 20}, {{"--step", "60"}, 12}};
  for (const std::vector<std::string>& program : DrivePrograms()) {
    for (const auto& c : kCases) {
      ScratchDirectory dir;
      std::vector<std::string> args = {"--gait", kRobot, "--ticks", std::to_string(c.ticks)};
      args.insert(args.end(), c.sliders.begin(), c.sliders.end());
      std::vector<std::string> drive = args;
      drive.insert(drive.end(),
                   {"--bus", "record:r.csv", "--input", "none", "--arm", "--telemetry", "t.jsonl"});
      ASSERT_EQ(WaitFor(StartDrive(drive, dir.path(), "/dev/null", program), 60), 0)
          << program.back() << ": " << ReadFile(dir.file("err.txt"));
      args.insert(args.end(), {"--format", "servo"});
      const std::vector<std::string> table = Lines(RunGaitProgram(args, dir.path()).out);
      const std::vector<std::string> record = Lines(ReadFile(dir.file("r.csv")));
      ASSERT_EQ(record.size(), 1 + 61 + c.ticks);
      EXPECT_EQ(record[0], table[0]);
      for (int i = 1; i <= c.ticks; ++i) {
        EXPECT_EQ(Pulses(record[61 + i]), Pulses(table[i])) << "tick " << i - 1;
      }
      const std::vector<std::string> telemetry = Lines(ReadFile(dir.file("t.jsonl")));
      ASSERT_EQ(telemetry.size(), record.size());
      for (std::size_t i = 0; i < telemetry.size(); ++i) {
        const std::string start = "{\"tick\":" + std::to_string(i) + ",\"late_us\":";
        ASSERT_EQ(telemetry[i].compare(0, start.size(), start), 0) << telemetry[i];
        EXPECT_NE(std::string("0123456789").find(telemetry[i][start.size()]), std::string::npos);
      }
      EXPECT_NE(telemetry.back().find("\"stopped\":true,\"why\":\"ticks\""), std::string::npos);
    }
  }
}

// sim: the physics model's joints follow the angles sent (read back every
// tenth tick, after the tick's step), and its trunk stays up.
TEST(DriveProcessTest, WalksTheSimulatedRobot) {
  ScratchDirectory dir;
  const pid_t pid = StartDrive({"--gait", kRobot, "--bus", "sim", "--input", "none", "--arm",
                                "--ticks", "60", "--telemetry", "t.jsonl"},
                               dir.path());
  ASSERT_EQ(WaitFor(pid, 30), 0) << ReadFile(dir.file("err.txt"));
  int compared = 0;
  for (const std::string& line : Lines(ReadFile(dir.file("t.jsonl")))) {
    const std::vector<double> sent = JsonNumbers(line, "angle");
    const std::vector<double> read = JsonNumbers(line, "readback");
    ASSERT_EQ(read.size(), 12u) << line;
    EXPECT_GT(JsonNumbers(line, "trunk_mm").at(0), 80.0) << line;
    EXPECT_NE(line.find("\"fallen\":false"), std::string::npos) << line;
    if (sent.empty() || static_cast<int>(JsonNumbers(line, "tick").at(0)) % 10 != 0) continue;
    for (int i = 0; i < 12; ++i) EXPECT_NEAR(read[i], sent[i], 0.06) << line;
    ++compared;
  }
  EXPECT_EQ(compared, 13);
}

// A gait file changed while the drive walks: a good one walks from the
// next cycle's start as trotix-gait walks it from its first tick, and the
// rows before are the old gait's; one that does not load, or that would
// jump a joint, leaves the old gait walking. Each is one line.
TEST(DriveProcessTest, ReloadsAChangedGaitAtTheCycleStart) {
  const std::string robot = ReadFile(kRobot);
  // The file's own step height, up to the end of its line.
  const std::size_t height = robot.find("stepHeight: ");
  const auto changed = [&](const std::string& by) {
    std::string text = robot;
    return text.replace(height, text.find('\n', height) - height, by);
  };
  const struct {
    const char* name;
    std::string text;
    bool takesOver;
    const char* message;
  } kCases[] = {
      {"higher steps", changed("stepHeight: 34"), true, "takes over at walk tick 28"},
      {"broken", changed("stepHeight: [34"), false, "walks on unchanged"},
      {"jump", changed("stepHeight: 60"), false, "more than its jump_threshold 0.200"},
  };
  for (const auto& c : kCases) {
    ScratchDirectory dir;
    WriteFile(dir.file("g.yaml"), robot);
    WriteFile(dir.file("new.yaml"), c.text);
    const pid_t pid = StartDrive({"--gait", "g.yaml", "--bus", "record:r.csv", "--input", "none",
                                  "--arm", "--ticks", "45", "--step", "-100"},
                                 dir.path());
    // The record's temporary file shows the bus open, the gait watched.
    for (const auto end = Clock::now() + std::chrono::seconds(20);
         dir.entries().size() < 4 && Clock::now() < end;) {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(std::rename(dir.file("new.yaml").c_str(), dir.file("g.yaml").c_str()), 0);
    ASSERT_EQ(WaitFor(pid, 20), 0) << c.name << ReadFile(dir.file("err.txt"));
    const std::vector<std::string> err = Lines(ReadFile(dir.file("err.txt")));
    ASSERT_EQ(err.size(), 1u) << c.name;
    EXPECT_NE(err[0].find(c.message), std::string::npos) << err[0];
    const std::vector<std::string> record = Lines(ReadFile(dir.file("r.csv")));
    const auto table = [&](const std::string& gait) {
      return Lines(
          RunGaitProgram({"--gait", gait, "--ticks", "45", "--step", "-100", "--format", "servo"},
                         dir.path())
              .out);
    };
    const std::vector<std::string> before = table(kRobot);
    const std::vector<std::string> after = c.takesOver ? table("g.yaml") : before;
    ASSERT_EQ(record.size(), 1 + 61 + 45u) << c.name;
    for (int tick = 0; tick < 45; ++tick) {
      const std::string& expected = c.takesOver && tick >= 28 ? after[tick - 27] : before[tick + 1];
      EXPECT_EQ(Pulses(record[62 + tick]), Pulses(expected)) << c.name << " tick " << tick;
    }
  }
}

// Whatever stops the drive, the receiver's last frames turn the torque off,
// within half a second of a signal; after kill -9 the frames just stop, and
// the receiver's hold time lapses.
TEST(DriveProcessTest, EveryStopEndsInTorqueOffOrSilence) {
  const struct {
    const char* name;
    int signal;  // 0: --ticks ends the drive
    int status;
  } kCases[] = {{"ticks", 0, 0},
                {"INT", SIGINT, 128 + SIGINT},
                {"TERM", SIGTERM, 128 + SIGTERM},
                {"HUP", SIGHUP, 128 + SIGHUP},
                {"KILL", SIGKILL, 128 + SIGKILL},
                {"STOP", SIGSTOP, 4}};  // stalled 200 ms: too late for the next tick
  for (const auto& c : kCases) {
    ScratchDirectory dir;
    Receiver receiver;
    const pid_t pid = StartDrive({"--gait", kRobot, "--bus", receiver.uri(), "--input", "none",
                                  "--arm", "--ticks", c.signal ? "100000" : "5"},
                                 dir.path());
    Frame frame;
    std::uint32_t kept = 0;
    for (; kept < 20; ++kept) {
      frame = receiver.next(2000, 7, 5);
      ASSERT_TRUE(frame.valid) << c.name << " frame " << kept;
      EXPECT_EQ(frame.flags, kFrameArmed) << c.name;
      EXPECT_EQ(frame.holdMs, 132) << c.name;
      EXPECT_GE(frame.sequence, kept) << c.name;  // some were lost on the way
      EXPECT_EQ(frame.tick, frame.sequence) << c.name;
    }
    const auto sent = Clock::now();
    if (c.signal) kill(pid, c.signal);
    if (c.signal == SIGSTOP) {
      // Stopped for 200 ms from when it stops: a loaded machine may take a
      // while to stop it, and a SIGCONT before then would cancel the stop.
      int status = 0;
      waitpid(pid, &status, WUNTRACED);
      std::this_thread::sleep_for(std::chrono::milliseconds(200));
      kill(pid, SIGCONT);
    }
    // Drain what was on its way; then the torque off, or silence.
    do {
      frame = receiver.next(c.signal == SIGKILL ? 300 : 4000);
    } while (frame.valid && frame.flags == kFrameArmed &&
             Clock::now() - sent < std::chrono::seconds(5));
    const double seconds = std::chrono::duration<double>(Clock::now() - sent).count();
    if (c.signal == SIGKILL) {
      EXPECT_FALSE(frame.valid) << c.name;
    } else {
      ASSERT_TRUE(frame.valid) << c.name;
      EXPECT_EQ(frame.flags, kFrameTorqueOff) << c.name;
      EXPECT_EQ(frame.pulses, std::vector<int>(12, 0)) << c.name;
      if (c.signal != 0 && c.signal != SIGSTOP) {
        EXPECT_LT(seconds, 0.5) << c.name;
      }
    }
    EXPECT_EQ(WaitFor(pid, 2), c.status) << c.name << ": " << ReadFile(dir.file("err.txt"));
  }
}

// A pty's master side, its slave named by device().
class Pty {
 public:
  Pty() : master_(posix_openpt(O_RDWR | O_NOCTTY)) {
    grantpt(master_);
    unlockpt(master_);
  }
  ~Pty() { ::close(master_); }
  int master() const { return master_; }
  std::string device() const { return ptsname(master_); }

 private:
  int master_;
};

// The keyboard on a terminal (for the Windows program, the console Wine
// makes of it): the arrows move the sliders, space stops and latches until
// a arms again; q or a signal ends the drive, and the terminal is as it was.
TEST(DriveProcessTest, KeyboardStopsArmsAndRestoresTheTerminal) {
  for (const std::vector<std::string>& program : DrivePrograms()) {
    // Wine hands the Windows program SIGINT as the console's Ctrl-C.
    const int stop = program.front() == TROTIX_DRIVE_PROGRAM ? SIGTERM : SIGINT;
    const struct {
      const char* name;
      int signal;  // 0: the q key
      int status;
    } kCases[] = {{"q", 0, 0}, {"signal", stop, 128 + stop}};
    for (const auto& c : kCases) {
      Pty pty;
      const int tty = ::open(pty.device().c_str(), O_RDWR | O_NOCTTY);
      termios before{};
      tcgetattr(tty, &before);
      ScratchDirectory dir;
      Receiver receiver;
      const pid_t pid =
          StartDrive({"--gait", kRobot, "--bus", receiver.uri(), "--arm", "--telemetry", "t.jsonl"},
                     dir.path(), pty.device(), program);
      const auto press = [&](const std::string& key) {
        ASSERT_EQ(::write(pty.master(), key.data(), key.size()), key.size());
      };
      ASSERT_EQ(receiver.next(30000).flags, kFrameArmed) << c.name << ReadFile(dir.file("err.txt"));
      for (const char* arrow : {"\x1b[A", "\x1b[A", "\x1b[D"}) {
        press(arrow);
        receiver.next(100);
      }
      press(" ");
      Frame frame;
      do {
        frame = receiver.next(1000);
      } while (frame.valid && frame.flags == kFrameArmed);
      EXPECT_EQ(frame.flags, kFrameTorqueOff) << c.name;
      while (receiver.next(200).valid) {
      }
      press("a");
      EXPECT_EQ(receiver.next(1000).flags, kFrameArmed) << c.name;  // latched until then
      if (c.signal) {
        kill(pid, c.signal);
      } else {
        press("q");
      }
      EXPECT_EQ(WaitFor(pid, 10), c.status) << c.name << ": " << ReadFile(dir.file("err.txt"));
      termios after{};
      tcgetattr(tty, &after);
      EXPECT_EQ(after.c_lflag & (ICANON | ECHO), before.c_lflag & (ICANON | ECHO)) << c.name;
      // Up twice walks forwards two positions, left turns one.
      const std::vector<std::string> telemetry = Lines(ReadFile(dir.file("t.jsonl")));
      ASSERT_FALSE(telemetry.empty()) << c.name;
      EXPECT_EQ(JsonNumbers(telemetry.back(), "step"), std::vector<double>{-2}) << c.name;
      EXPECT_EQ(JsonNumbers(telemetry.back(), "turn"), std::vector<double>{-1}) << c.name;
      ::close(tty);
    }
  }
}

struct Refusal {
  std::vector<std::string> args;
  int status;
  const char* message;
};

// What the drive cannot start with is one line and a status, before any
// file is written or frame goes out.
void ExpectRefusedInOneLine(const std::vector<std::string>& program,
                            const std::vector<Refusal>& refusals) {
  const std::vector<std::string> words(program.begin() + 1, program.end());
  for (const Refusal& c : refusals) {
    ScratchDirectory dir;
    std::vector<std::string> args = words;
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProcessResult run = RunProgram(program.front(), args, dir.path());
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(dir.entries(), std::vector<std::string>{}) << c.message;
  }
}

TEST(DriveProcessTest, RefusesWhatItCannotDriveInOneLine) {
  const std::string robot = "--gait=" + kRobot;
  ExpectRefusedInOneLine(
      {TROTIX_DRIVE_PROGRAM},
      {
          {{robot, "--bus", "pca:/dev/i2c-1", "--input=none", "--arm"},
           2,
           "no bus is called 'pca'"},
          {{robot, "--bus", "pca9685:/dev/i2c-1@40", "--input=none", "--arm"},
           2,
           "not a 7-bit I2C address"},
          {{robot, "--bus", "udp:localhost", "--input=none", "--arm"},
           2,
           "udp: 'localhost' is not HOST:PORT"},
          {{robot, "--bus", "udp:127.0.0.1:70000", "--input=none", "--arm"},
           2,
           "port: 70000 is out of range"},
          {{robot, "--bus", "serial:/dev/null@1234", "--input=none", "--arm"},
           3,
           "1234 baud is not a standard rate"},
          {{robot, "--bus", "serial:/nonexistent/tty", "--input=none", "--arm"},
           3,
           "No such file or directory"},
          {{robot, "--bus", "serial:/dev/null", "--input=none", "--arm"}, 3, "not a serial line"},
          {{robot, "--bus", "record:r.csv", "--input", "none"}, 2, "--input none: add --arm"},
          {{robot, "--bus", "record:r.csv"}, 2, "standard input is not a terminal"},
          {{"--bus", "record:r.csv", "--arm"}, 2, "--gait: give the robot's gait file"},
          {{robot, "--bus", "record:" + kRobot, "--input=none", "--arm"}, 2, "name the same file"},
      });
}

// The gait file's bus section serves when --bus is not given; --bus wins
// over it. trotix-gait reads the same file.
TEST(DriveProcessTest, TakesTheBusFromTheGaitFile) {
  const struct {
    std::string section;
    std::vector<std::string> args;
    int status;
    const char* message;  // or the record written
  } kCases[] = {
      {"bus: {uri: \"record:r.csv\"}\n", {}, 0, "r.csv"},
      {"bus: {uri: \"record:r.csv\"}\n", {"--bus", "record:s.csv"}, 0, "s.csv"},
      {"", {}, 2, "--bus: give the bus the servos are on"},
      {"bus: {uri: \"\"}\n", {}, 2, "g.yaml:1: bus.uri: expected a bus"},
      {"bus: {uri: \"pwm:x\"}\n", {}, 2, "the gait file's bus.uri: 'pwm:x': no bus is called"},
      {"bus: {uri: \"record:g.yaml\"}\n", {}, 2, "name the same file"},
  };
  for (const auto& c : kCases) {
    ScratchDirectory dir;
    WriteFile(dir.file("g.yaml"), c.section + ReadFile(kRobot));
    std::vector<std::string> args = {"--gait", "g.yaml",  "--input", "none",
                                     "--arm",  "--ticks", "3"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProcessResult run = RunProgram(TROTIX_DRIVE_PROGRAM, args, dir.path());
    EXPECT_EQ(run.status, c.status) << c.message << run.err;
    if (c.status == 0) {
      EXPECT_EQ(dir.entries(), (std::vector<std::string>{"g.yaml", c.message}));
      EXPECT_EQ(RunGaitProgram({"--gait", "g.yaml", "--ticks", "1"}, dir.path()).status, 0);
    } else {
      EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    }
  }
}

// Bus servos: the soft start leads them from the positions read back, with
// their torque on first; a servo gone silent mid-walk stops the drive, whose
// last line names it, and turns every servo's torque off.
TEST(DriveProcessTest, WalksDynamixelServosAndStopsForASilentOne) {
  for (const std::vector<std::string>& program : DrivePrograms()) {
    for (const bool silent : {false, true}) {
      DynamixelEmulator servos({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
      const SerialName port(program, servos.device());
      ScratchDirectory dir;
      const pid_t pid = StartDrive({"--gait", kRobot, "--bus", "dynamixel:" + port.name(),
                                    "--input", "none", "--arm", "--ticks", silent ? "1000" : "3"},
                                   dir.path(), "/dev/null", program);
      if (silent) {
        // Some twenty ticks into the soft start.
        const auto end = Clock::now() + std::chrono::seconds(30);
        while (servos.goals().size() < 12 * 20 && Clock::now() < end) {
          std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        servos.with(4, [](DynamixelEmulator::Servo& servo) { servo.silent = true; });
      }
      EXPECT_EQ(WaitFor(pid, 30), silent ? 3 : 0)
          << program.back() << ReadFile(dir.file("err.txt"));
      const std::string err = ReadFile(dir.file("err.txt"));
      if (silent) {
        const std::string last = Lines(err).empty() ? "" : Lines(err).back();
        EXPECT_NE(last.find("leg1_roll"), std::string::npos) << err;
      }
      servos.settle();
      const std::vector<DynamixelEmulator::Goal> goals = servos.goals();
      ASSERT_FALSE(goals.empty());
      for (const DynamixelEmulator::Goal& goal : goals) {
        EXPECT_TRUE(goal.torqueOn || goal.position == goal.present) << "servo " << goal.id;
      }
      // From the middle (2048, where the emulator's servos stand) at first.
      EXPECT_NEAR(goals.front().position, 2048, 10);
      for (int id = 0; id < 12; ++id) {
        servos.with(id, [&](DynamixelEmulator::Servo& servo) {
          EXPECT_EQ(servo.table[dynamixel::kTorqueEnable], 0) << "servo " << id;
        });
      }
    }
  }
}

// serial:DEVICE sets the line up itself, on a pty as on a real port: the
// soft start's and the walk's frames, then the torque off.
TEST(DriveProcessTest, SendsFramesOverAPty) {
  const std::uint8_t check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  ASSERT_EQ(Crc16Ccitt(check, sizeof check), 0x29B1);  // the CRC's published check value
  for (const std::vector<std::string>& program : DrivePrograms()) {
    Pty pty;
    const int master = pty.master();
    const SerialName port(program, pty.device());
    ScratchDirectory dir;
    const pid_t pid = StartDrive({"--gait", kRobot, "--bus", "serial:" + port.name() + "@57600",
                                  "--input", "none", "--arm", "--ticks", "3"},
                                 dir.path(), "/dev/null", program);
    std::vector<std::uint8_t> bytes;
    for (;;) {
      pollfd wait{master, POLLIN, 0};
      if (::poll(&wait, 1, bytes.empty() ? 30000 : 1500) <= 0) break;
      std::uint8_t chunk[256];
      const ssize_t size = ::read(master, chunk, sizeof chunk);
      if (size <= 0) break;
      bytes.insert(bytes.end(), chunk, chunk + size);
    }
    EXPECT_EQ(WaitFor(pid, 20), 0) << program.back() << ReadFile(dir.file("err.txt"));
    ASSERT_EQ(bytes.size(), (61 + 3 + 3) * kDriveFrameBytes);
    for (std::size_t at = 0; at < bytes.size(); at += kDriveFrameBytes) {
      const Frame frame = Decode(&bytes[at], kDriveFrameBytes);
      EXPECT_TRUE(frame.valid) << at;
      EXPECT_EQ(frame.sequence, at / kDriveFrameBytes);
      EXPECT_EQ(frame.flags, at < 64 * kDriveFrameBytes ? kFrameArmed : kFrameTorqueOff) << at;
    }
  }
}

// The Windows program's frames reach a receiver here, and both --ticks and
// Ctrl-C (SIGINT, which Wine hands the program as the console's Ctrl-C)
// end them with the torque off.
TEST(DriveWindowsTest, SendsFramesAndStopsWithTheTorqueOff) {
  const std::vector<std::vector<std::string>> programs = DrivePrograms();
  if (programs.size() < 2) GTEST_SKIP() << "TROTIX_WINDOWS_DRIVE names no Windows program";
  for (const int signal : {0, SIGINT}) {
    ScratchDirectory dir;
    Receiver receiver;
    const pid_t pid = StartDrive({"--gait", kRobot, "--bus", receiver.uri(), "--input", "none",
                                  "--arm", "--ticks", signal ? "100000" : "5"},
                                 dir.path(), "/dev/null", programs.back());
    Frame frame;
    for (std::uint32_t kept = 0; kept < 20; ++kept) {
      frame = receiver.next(30000);
      ASSERT_TRUE(frame.valid) << signal << " frame " << kept << ReadFile(dir.file("err.txt"));
      EXPECT_EQ(frame.flags, kFrameArmed);
      EXPECT_EQ(frame.tick, kept);
    }
    if (signal) kill(pid, signal);
    do {
      frame = receiver.next(4000);
    } while (frame.valid && frame.flags == kFrameArmed);
    ASSERT_TRUE(frame.valid) << signal;
    EXPECT_EQ(frame.flags, kFrameTorqueOff) << signal;
    EXPECT_EQ(WaitFor(pid, 20), signal ? 128 + signal : 0) << ReadFile(dir.file("err.txt"));
  }
}

// What Windows cannot drive is one line and a status, before any frame
// goes out: a COM port that is not there, the PCA9685 board, the gamepad
// and the simulated robot; and a record it cannot save (NUL, a device).
TEST(DriveWindowsTest, RefusesWhatItCannotDriveInOneLine) {
  const std::vector<std::vector<std::string>> programs = DrivePrograms();
  if (programs.size() < 2) GTEST_SKIP() << "TROTIX_WINDOWS_DRIVE names no Windows program";
  const std::string robot = "--gait=" + kRobot;
  ExpectRefusedInOneLine(
      programs.back(),
      {
          {{robot, "--bus", "dynamixel:COM97", "--input=none", "--arm"}, 3, "COM97: cannot open: "},
          {{robot, "--bus", "pca9685:/dev/i2c-1", "--input=none", "--arm"}, 2, "Linux i2c-dev"},
          {{robot, "--bus", "record:r.csv", "--input=gamepad"}, 2, "built without SDL"},
          {{robot, "--bus", "sim", "--input=none", "--arm"}, 2, "without MuJoCo"},
          // A record that cannot be put in place is a failure, not status 0.
          {{robot, "--bus", "record:NUL", "--input=none", "--arm", "--ticks", "3"},
           1,
           "torque off: cannot write NUL"},
      });
}

}  // namespace
}  // namespace trotix
