// The buses' packets byte for byte, against the protocols' own examples.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gaitlab/bus/DynamixelProtocol.h"
#include "gaitlab/bus/Lx16aProtocol.h"

namespace trotix {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(BusFrameTest, DynamixelCrcMatchesKnownValues) {
  const std::string check = "123456789";  // CRC-16/BUYPASS, the protocol's CRC
  EXPECT_EQ(DynamixelCrc(reinterpret_cast<const std::uint8_t*>(check.data()), check.size()),
            0xFEE8);
}

TEST(BusFrameTest, DynamixelPacketsAreByteExact) {
  struct Case {
    const char* name;
    std::uint8_t id, instruction;
    Bytes parameters, packet;
  };
  const Case cases[] = {
      // The protocol manual's Ping of ID 1.
      {"ping",
       1,
       dynamixel::kPing,
       {},
       {0xFF, 0xFF, 0xFD, 0x00, 0x01, 0x03, 0x00, 0x01, 0x19, 0x4E}},
      // The manual's Read of four bytes at 132 from ID 1.
      {"read",
       1,
       dynamixel::kRead,
       {0x84, 0x00, 0x04, 0x00},
       {0xFF, 0xFF, 0xFD, 0x00, 0x01, 0x07, 0x00, 0x02, 0x84, 0x00, 0x04, 0x00, 0x1D, 0x15}},
  };
  for (const Case& c : cases) {
    Bytes packet;
    BuildDynamixelPacket(c.id, c.instruction, c.parameters.data(), c.parameters.size(), packet);
    EXPECT_EQ(packet, c.packet) << c.name;
  }
}

// FF FF FD in the parameters goes out as FF FF FD FD, counted in the
// length and covered by the CRC, and comes back whole.
TEST(BusFrameTest, DynamixelStuffsAndUnstuffsTheHeaderPattern) {
  const Bytes parameters = {0x74, 0x00, 0xFF, 0xFF, 0xFD, 0xFD, 0x01};
  Bytes packet;
  BuildDynamixelPacket(3, dynamixel::kWrite, parameters.data(), parameters.size(), packet);
  const Bytes body(packet.begin() + 8, packet.end() - 2);
  EXPECT_EQ(body, (Bytes{0x74, 0x00, 0xFF, 0xFF, 0xFD, 0xFD, 0xFD, 0x01}));
  EXPECT_EQ(packet[5] | (packet[6] << 8), 11);  // instruction, 8 stuffed bytes, CRC
  DynamixelPacket scanned;
  std::size_t end = 0;
  ASSERT_EQ(ScanDynamixelPacket(packet.data(), packet.size(), 0, scanned, end),
            PacketScan::kPacket);
  EXPECT_EQ(scanned.parameters, parameters);
  EXPECT_EQ(end, packet.size());
  packet[9] ^= 1;
  EXPECT_EQ(ScanDynamixelPacket(packet.data(), packet.size(), 0, scanned, end),
            PacketScan::kBadCrc);
}

TEST(BusFrameTest, Lx16aPacketsAreByteExact) {
  struct Case {
    const char* name;
    std::uint8_t id, command;
    Bytes parameters, packet;
  };
  const Case cases[] = {
      {"move ID 1 to 500 in 1000 ms",
       1,
       lx16a::kMoveTimeWrite,
       {0xF4, 0x01, 0xE8, 0x03},
       {0x55, 0x55, 0x01, 0x07, 0x01, 0xF4, 0x01, 0xE8, 0x03, 0x16}},
      {"read ID 2's position", 2, lx16a::kPosRead, {}, {0x55, 0x55, 0x02, 0x03, 0x1C, 0xDE}},
      {"unload ID 254",
       0xFE,
       lx16a::kLoadOrUnloadWrite,
       {0x00},
       {0x55, 0x55, 0xFE, 0x04, 0x1F, 0x00, 0xDE}},
  };
  for (const Case& c : cases) {
    Bytes packet;
    BuildLx16aPacket(c.id, c.command, c.parameters.data(), c.parameters.size(), packet);
    EXPECT_EQ(packet, c.packet) << c.name;
    Lx16aPacket scanned;
    std::size_t end = 0;
    EXPECT_EQ(ScanLx16aPacket(packet.data(), packet.size(), 0, scanned, end), Lx16aScan::kPacket);
    EXPECT_EQ(scanned.parameters, c.parameters) << c.name;
  }
}

}  // namespace
}  // namespace trotix
