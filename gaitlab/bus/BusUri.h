// A bus as the command line names it: "SCHEME:TARGET", e.g.
// "udp:192.168.4.1:9000", "serial:/dev/ttyUSB0@115200", "record:run.csv".
#ifndef TROTIX_GAITLAB_BUS_BUSURI_H_
#define TROTIX_GAITLAB_BUS_BUSURI_H_

#include <string>

namespace trotix {

struct BusUri {
  std::string scheme;  // before the first ':'
  std::string target;  // everything after it
};

// Throws InputError when there is no scheme or no target.
BusUri ParseBusUri(const std::string& text);

struct DeviceAndBaud {
  std::string device;
  int baud = 0;
};

// "DEVICE[@BAUD]"; `what` starts every message, e.g. "serial".
DeviceAndBaud ParseDeviceAndBaud(const std::string& target, int defaultBaud,
                                 const std::string& what);

struct DeviceAndAddress {
  std::string device;
  int address = 0;
};

// "DEVICE[@0xADDR]", the address in hexadecimal, 0x03 to 0x77.
DeviceAndAddress ParseDeviceAndAddress(const std::string& target, int defaultAddress,
                                       const std::string& what);

struct HostAndPort {
  std::string host;
  std::string port;  // 1 to 65535, as text for the resolver
};

// "HOST:PORT", the port after the last ':' ("[::1]:9000" for IPv6).
HostAndPort ParseHostAndPort(const std::string& target, const std::string& what);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BUS_BUSURI_H_
