// Dynamixel X series servos on a pty: each has a control table, answers
// Read and Write with a status packet, takes Sync Write silently, and
// moves at once to a goal while its torque is on. A servo can be made
// silent, can corrupt its answers' CRC, raise its alert or run hot.
#ifndef TROTIX_TESTING_BUS_DYNAMIXELEMULATOR_H_
#define TROTIX_TESTING_BUS_DYNAMIXELEMULATOR_H_

#include <array>
#include <map>

#include "PtyEmulator.h"
#include "gaitlab/bus/DynamixelProtocol.h"

namespace trotix {

class DynamixelEmulator : public PtyEmulator {
 public:
  struct Servo {
    std::array<std::uint8_t, 256> table{};
    bool silent = false;
    bool corrupt = false;
    bool alert = false;
  };
  // A goal the servo took, and whether its torque was on then.
  struct Goal {
    int id;
    std::int32_t position;
    std::int32_t present;  // where the servo stood when the goal came
    bool torqueOn;
  };

  explicit DynamixelEmulator(const std::vector<int>& ids);
  ~DynamixelEmulator() override { stop(); }

  // Changes a servo between packets: `change` runs under the lock.
  template <typename Change>
  void with(int id, Change change) {
    std::lock_guard<std::mutex> lock(mutex_);
    change(servos_.at(id));
  }
  std::vector<DynamixelPacket> received() const;
  std::vector<Goal> goals() const;
  int badPackets() const;

 protected:
  std::size_t consume(const std::vector<std::uint8_t>& input) override;

 private:
  void handle(const DynamixelPacket& packet);
  void store(int id, int address, const std::uint8_t* bytes, std::size_t size);
  void status(int id, const std::uint8_t* data, std::size_t size);

  std::map<int, Servo> servos_;
  std::vector<DynamixelPacket> received_;
  std::vector<Goal> goals_;
  int badPackets_ = 0;
};

}  // namespace trotix

#endif  // TROTIX_TESTING_BUS_DYNAMIXELEMULATOR_H_
