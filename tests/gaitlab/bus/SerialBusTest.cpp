// The serial buses against servos emulated on a pty: what goes on the
// wire each tick, the arming order, and the faults that stop the drive.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "gaitlab/bus/DynamixelBus.h"
#include "gaitlab/bus/Lx16aBus.h"
#include "testing/bus/DynamixelEmulator.h"
#include "testing/bus/Lx16aEmulator.h"

namespace trotix {
namespace {

// Joints 0, 1 and 2 (leg0's pitch, roll, knee) on IDs 1, 2 and 7.
const std::vector<int> kIds = {1, 2, 7};

GaitSettings ThreeServos() {
  GaitSettings gait = DefaultGaitSettings();
  for (int joint = 0; joint < 3; ++joint) gait.robot.joints[joint].channel = kIds[joint];
  gait.robot.joints[1].direction = -1;
  gait.robot.joints[1].zero = 0.5;
  gait.robot.joints[2].center = 1000;
  return gait;
}

BusFrame FrameOf(const std::vector<double>& angles) {
  BusFrame frame;
  for (int joint = 0; joint < static_cast<int>(angles.size()); ++joint) {
    frame.servos[joint] = {joint, kIds[joint], angles[joint], 1500};
  }
  frame.count = static_cast<int>(angles.size());
  return frame;
}

// Writes frames until the bus throws, at most `ticks`; returns the message.
std::string FaultWithin(ServoBus& bus, int ticks) {
  for (int tick = 0; tick < ticks; ++tick) {
    try {
      bus.write(FrameOf({0.0, 0.0, 0.0}));
    } catch (const BusFault& fault) {
      return fault.what();
    }
  }
  return "no fault";
}

TEST(DynamixelBusTest, PositionsFollowTheCalibration) {
  const GaitSettings gait = ThreeServos();
  const double quarter = kTruePi / 2;
  EXPECT_EQ(DynamixelPosition(gait.robot.joints[0], quarter), 3072);
  EXPECT_EQ(DynamixelPosition(gait.robot.joints[1], 0.5 + quarter),
            1024);                                                  // direction -1, zero 0.5
  EXPECT_EQ(DynamixelPosition(gait.robot.joints[2], -quarter), 0);  // center 1000, clamped
  EXPECT_NEAR(DynamixelAngle(gait.robot.joints[1], 1024), 0.5 + quarter, 1e-12);
  EXPECT_EQ(Lx16aPosition(gait.robot.joints[1], 0.5 - quarter), 875);  // 90 of 240 deg over 1000
  EXPECT_THROW(DynamixelPosition(gait.robot.joints[0], std::nan("")), BusFault);
  EXPECT_THROW(Lx16aPosition(gait.robot.joints[0], std::nan("")), BusFault);
}

// Torque comes on where each servo stands; the goals that move it come
// after, one Sync Write a tick of Goal Position to exactly the gait's IDs.
TEST(DynamixelBusTest, ArmsWhereServosStandThenSyncWritesGoals) {
  DynamixelEmulator servos(kIds);
  servos.setEcho(true);  // as an RS-485 adapter that hears itself
  servos.with(7, [](DynamixelEmulator::Servo& s) { s.table[dynamixel::kPresentPosition] = 0x80; });
  const auto bus = OpenDynamixelBus(servos.device(), 57600, ThreeServos());
  EXPECT_NEAR(bus->read().servos[2].angle, (0x0880 - 1000) * 2 * kTruePi / 4096, 1e-9);
  EXPECT_THROW(bus->write(FrameOf({0, 0, 0})), BusFault);  // not armed yet
  bus->arm(FrameOf({0, 0, 0}));
  for (int tick = 0; tick < 12; ++tick) bus->write(FrameOf({0.1 * tick, 0.0, 0.0}));

  for (const DynamixelEmulator::Goal& goal : servos.goals()) {
    if (!goal.torqueOn) {
      EXPECT_EQ(goal.position, goal.present) << "ID " << goal.id;
    }
  }
  int syncWrites = 0, reads = 0;
  for (const DynamixelPacket& packet : servos.received()) {
    if (packet.instruction == dynamixel::kRead) ++reads;
    if (packet.instruction != dynamixel::kSyncWrite) continue;
    ++syncWrites;
    ASSERT_EQ(packet.parameters.size(), 4u + 3 * 5);
    EXPECT_EQ(std::vector<std::uint8_t>(packet.parameters.begin(), packet.parameters.begin() + 4),
              (std::vector<std::uint8_t>{116, 0, 4, 0}));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(packet.parameters[4 + 5 * i], kIds[i]);
  }
  EXPECT_EQ(syncWrites, 12);
  // Open: 3 limits; read(): 3; arming: 3; 12 ticks: one servo each.
  EXPECT_EQ(reads, 3 + 3 + 3 + 12);
  EXPECT_EQ(servos.badPackets(), 0);

  bus->torqueOff();
  servos.settle();
  const DynamixelPacket last = servos.received().back();
  EXPECT_EQ(last.instruction, dynamixel::kSyncWrite);
  EXPECT_EQ(last.parameters, (std::vector<std::uint8_t>{64, 0, 1, 0, 1, 0, 2, 0, 7, 0}));
}

struct FaultCase {
  const char* name;
  std::function<void(DynamixelEmulator::Servo&)> dynamixel;
  const char* dynamixelSays;
  std::function<void(Lx16aEmulator::Servo&)> lx16a;
  const char* lx16aSays;
};

// The LX-16A has no alert of its own: under-voltage stands in for it.
const FaultCase kFaults[] = {
    {"silent", [](auto& s) { s.silent = true; }, "no answer 3 times in a row",
     [](auto& s) { s.silent = true; }, "no answer 3 times in a row"},
    {"corrupt", [](auto& s) { s.corrupt = true; }, "answers that fail their CRC 3 times in a row",
     [](auto& s) { s.corrupt = true; }, "answers that fail their checksum 3 times in a row"},
    {"hot", [](auto& s) { s.table[dynamixel::kPresentTemperature] = 80; },
     "80 C, at its temperature limit of 80 C", [](auto& s) { s.celsius = 85; },
     "85 C, at its temperature limit of 85 C"},
    {"alert", [](auto& s) { s.alert = true; }, "the servo reports a fault (alert)",
     [](auto& s) { s.millivolts = 6000; }, "6.0 V, under its limit of 6.5 V"},
};

TEST(DynamixelBusTest, AFaultyServoStopsTheDriveNamingItsIdAndJoint) {
  for (const FaultCase& c : kFaults) {
    DynamixelEmulator servos(kIds);
    const auto bus = OpenDynamixelBus(servos.device(), 1000000, ThreeServos());
    bus->arm(FrameOf({0, 0, 0}));
    servos.with(7, c.dynamixel);
    const std::string message = FaultWithin(*bus, 10);
    EXPECT_EQ(message, std::string("dynamixel ID 7 (leg0_knee): ") + c.dynamixelSays) << c.name;
    bus->torqueOff();
    servos.settle();
    for (const int id : kIds) {
      servos.with(id, [&](auto& s) { EXPECT_EQ(s.table[dynamixel::kTorqueEnable], 0) << c.name; });
    }
  }
}

// On an adapter that echoes as well as on one that does not.
TEST(Lx16aBusTest, MovesEachServoEveryTickAndUnloadsAtTheEnd) {
  for (const bool echo : {false, true}) {
    Lx16aEmulator servos(kIds);
    servos.setEcho(echo);
    const auto bus = OpenLx16aBus(servos.device(), 115200, ThreeServos());
    EXPECT_NEAR(bus->read().servos[0].angle, 0.0, 1e-12);
    bus->arm(FrameOf({0, 0, 0}));
    const double quarter = kTruePi / 2;
    bus->write(FrameOf({quarter, 0.5, 0.0}));
    servos.settle();
    EXPECT_EQ(servos.servo(1).position, 875);  // 500 + 90 deg of 240 over 1000
    EXPECT_EQ(servos.servo(2).position, 500);
    EXPECT_EQ(servos.servo(7).position, 1000);  // center 1000
    int moves = 0;
    for (const Lx16aPacket& packet : servos.received())
      moves += packet.command == lx16a::kMoveTimeWrite;
    EXPECT_EQ(moves, 3 + 3);  // arming holds each, then one tick
    bus->torqueOff();
    servos.settle();
    for (const int id : kIds) EXPECT_FALSE(servos.servo(id).loaded);
    EXPECT_EQ(servos.badPackets(), 0);
  }
}

TEST(Lx16aBusTest, AFaultyServoStopsTheDriveNamingItsIdAndJoint) {
  for (const FaultCase& c : kFaults) {
    Lx16aEmulator servos(kIds);
    const auto bus = OpenLx16aBus(servos.device(), 115200, ThreeServos());
    bus->arm(FrameOf({0, 0, 0}));
    servos.with(7, c.lx16a);
    const std::string message = FaultWithin(*bus, 10);
    EXPECT_EQ(message, std::string("lx16a ID 7 (leg0_knee): ") + c.lx16aSays) << c.name;
  }
}

}  // namespace
}  // namespace trotix
