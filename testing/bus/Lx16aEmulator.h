// LX-16A style bus servos on a pty: each answers position, voltage,
// temperature and limit reads, takes moves (which load its motor) and
// unloads. A servo can be made silent or corrupt its answers' checksum.
#ifndef TROTIX_TESTING_BUS_LX16AEMULATOR_H_
#define TROTIX_TESTING_BUS_LX16AEMULATOR_H_

#include <map>

#include "PtyEmulator.h"
#include "gaitlab/bus/Lx16aProtocol.h"

namespace trotix {

class Lx16aEmulator : public PtyEmulator {
 public:
  struct Servo {
    int position = 500;
    int millivolts = 7400;
    int celsius = 35;
    int celsiusLimit = 85;
    int minMillivolts = 6500;
    bool loaded = false;
    bool silent = false;
    bool corrupt = false;
  };

  explicit Lx16aEmulator(const std::vector<int>& ids);
  ~Lx16aEmulator() override { stop(); }

  template <typename Change>
  void with(int id, Change change) {
    std::lock_guard<std::mutex> lock(mutex_);
    change(servos_.at(id));
  }
  Servo servo(int id) const;
  std::vector<Lx16aPacket> received() const;
  int badPackets() const;

 protected:
  std::size_t consume(const std::vector<std::uint8_t>& input) override;

 private:
  void handle(const Lx16aPacket& packet);
  void reply(int id, std::uint8_t command, std::vector<std::uint8_t> data);

  std::map<int, Servo> servos_;
  std::vector<Lx16aPacket> received_;
  int badPackets_ = 0;
};

}  // namespace trotix

#endif  // TROTIX_TESTING_BUS_LX16AEMULATOR_H_
