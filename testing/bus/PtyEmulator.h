// A device on the far side of a pty: the program under test opens
// device() as its serial line, and a thread here reads what it sends and
// answers as the device would.
#ifndef TROTIX_TESTING_BUS_PTYEMULATOR_H_
#define TROTIX_TESTING_BUS_PTYEMULATOR_H_

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace trotix {

class PtyEmulator {
 public:
  PtyEmulator();
  virtual ~PtyEmulator();
  PtyEmulator(const PtyEmulator&) = delete;
  PtyEmulator& operator=(const PtyEmulator&) = delete;

  const std::string& device() const { return device_; }
  // Waits until everything sent so far has been read and handled.
  void settle() const;
  // Sends back every byte received, as a half-duplex adapter that hears
  // its own sending does.
  void setEcho(bool echo) { echo_ = echo; }

 protected:
  // Derived constructors start the thread last, and derived destructors
  // stop it first, so that consume() never runs on a half-built object.
  void start();
  void stop();
  // Called on the thread, under mutex_, with the bytes not yet consumed;
  // returns how many it used. Answers go out with answer().
  virtual std::size_t consume(const std::vector<std::uint8_t>& input) = 0;
  void answer(const std::vector<std::uint8_t>& bytes);

  mutable std::mutex mutex_;

 private:
  void run();

  int master_ = -1;
  int keepOpen_ = -1;  // the pty hangs up when its last slave closes
  std::string device_;
  std::atomic<bool> running_{false};
  std::atomic<bool> busy_{false};
  std::atomic<bool> echo_{false};
  std::thread thread_;
};

}  // namespace trotix

#endif  // TROTIX_TESTING_BUS_PTYEMULATOR_H_
