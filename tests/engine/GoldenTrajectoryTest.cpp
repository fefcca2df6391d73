#include "testing/engine/GoldenTrajectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace trotix {
namespace {

std::vector<GoldenTick> LoadGolden() {
  std::ifstream in(TROTIX_GOLDEN_TRAJECTORY_FILE);
  std::vector<GoldenTick> ticks;
  EXPECT_TRUE(in.good()) << "missing " << TROTIX_GOLDEN_TRAJECTORY_FILE;
  EXPECT_TRUE(ReadGoldenTrajectory(in, ticks));
  return ticks;
}

TEST(GoldenTrajectoryTest, ReplayMatchesTheRecordedWalk) {
  const std::vector<GoldenTick> golden = LoadGolden();
  const std::vector<GoldenTick> replay = RecordGoldenTrajectory();
  ASSERT_EQ(golden.size(), replay.size());
  ASSERT_GE(golden.size(), 300u);
  for (std::size_t i = 0; i < golden.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "tick " << i);
    ASSERT_EQ(golden[i].horizontal, replay[i].horizontal);
    ASSERT_EQ(golden[i].vertical, replay[i].vertical);
    for (int k = 0; k < kJointCount; ++k) {
      ASSERT_NEAR(replay[i].angles[k], golden[i].angles[k], 1e-12) << "joint " << k;
      ASSERT_EQ(replay[i].commands[k], golden[i].commands[k]) << "joint " << k;
    }
  }
}

TEST(GoldenTrajectoryTest, TextFormatRoundTripsExactly) {
  const std::vector<GoldenTick> recorded = RecordGoldenTrajectory();
  std::stringstream text;
  WriteGoldenTrajectory(text, recorded);
  std::vector<GoldenTick> read;
  ASSERT_TRUE(ReadGoldenTrajectory(text, read));
  ASSERT_EQ(read.size(), recorded.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    ASSERT_EQ(read[i].angles, recorded[i].angles);
    ASSERT_EQ(read[i].commands, recorded[i].commands);
  }
  std::stringstream broken("0 0 1.5 x\n");
  EXPECT_FALSE(ReadGoldenTrajectory(broken, read));
}

}  // namespace
}  // namespace trotix
