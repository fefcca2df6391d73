// A serial line in raw mode at a set baud rate: bytes out, and the bytes
// that arrive before a deadline. POSIX termios (a pty serves as well as a
// USB adapter) or a Windows COM port, in posix/ and windows/.
#ifndef TROTIX_GAITLAB_BUS_SERIALPORT_H_
#define TROTIX_GAITLAB_BUS_SERIALPORT_H_

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace trotix {

class SerialPort {
 public:
  using Clock = std::chrono::steady_clock;

  // Opens `device` at `baud` (8N1, no flow control, raw); throws BusFault
  // naming the device on failure or on a baud rate the system does not have.
  // On Windows `device` is COMn.
  SerialPort(const std::string& device, int baud);
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  // Sends all `size` bytes; throws BusFault when the line fails.
  void send(const std::uint8_t* bytes, std::size_t size);
  // Sends without throwing; false when the line failed.
  bool trySend(const std::uint8_t* bytes, std::size_t size) noexcept;
  // Reads what has arrived, waiting until `deadline` for a first byte;
  // returns the count, 0 when nothing came in time.
  std::size_t receive(std::uint8_t* buffer, std::size_t capacity, Clock::time_point deadline);
  // Gathers bytes in `input` (cleared first, kept within its capacity) until
  // `answered(input)` is true after an arrival; false when `deadline` passes.
  template <typename Answered>
  bool collect(std::vector<std::uint8_t>& input, Clock::time_point deadline, Answered answered) {
    input.clear();
    std::uint8_t chunk[256];
    while (const std::size_t got = receive(chunk, sizeof chunk, deadline)) {
      if (input.size() + got > input.capacity()) input.clear();  // noise, no answer in it
      input.insert(input.end(), chunk, chunk + got);
      if (answered(input)) return true;
    }
    return false;
  }
  // Drops what arrived unasked (late answers, noise).
  void discardInput() noexcept;

  // The time one byte takes on the wire: start bit, eight data bits, stop bit.
  Clock::duration byteTime() const { return byteTime_; }
  const std::string& device() const { return device_; }

 private:
  std::string device_;
  std::intptr_t handle_ = -1;  // the file descriptor, or the Windows HANDLE
  Clock::duration byteTime_;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_SERIALPORT_H_
