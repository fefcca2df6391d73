#include "gaitlab/bus/BusUri.h"

#include "gaitlab/io/InputError.h"
#include "gaitlab/io/IntegerText.h"

namespace trotix {

BusUri ParseBusUri(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0) {
    throw InputError(QuoteForMessage(text) + " is not SCHEME:TARGET (e.g. udp:HOST:PORT)");
  }
  BusUri uri{text.substr(0, colon), text.substr(colon + 1)};
  if (uri.target.empty()) {
    throw InputError(QuoteForMessage(text) + " names no target after '" + uri.scheme + ":'");
  }
  return uri;
}

DeviceAndBaud ParseDeviceAndBaud(const std::string& target, int defaultBaud,
                                 const std::string& what) {
  const std::size_t at = target.rfind('@');
  if (at == std::string::npos) return {target, defaultBaud};
  if (at == 0) throw InputError(what + ": no device before '@'");
  const int baud = static_cast<int>(
      ParseBoundedInteger(target.substr(at + 1), 50, 4'000'000, what + ": baud rate"));
  return {target.substr(0, at), baud};
}

DeviceAndAddress ParseDeviceAndAddress(const std::string& target, int defaultAddress,
                                       const std::string& what) {
  const std::size_t at = target.rfind('@');
  if (at == std::string::npos) return {target, defaultAddress};
  if (at == 0) throw InputError(what + ": no device before '@'");
  const std::string text = target.substr(at + 1);
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X') &&
                   text.find_first_not_of("0123456789abcdefABCDEF", 2) == std::string::npos;
  const long address = hex && text.size() <= 6 ? std::stol(text.substr(2), nullptr, 16) : -1;
  if (address < 0x03 || address > 0x77) {
    throw InputError(what + ": address " + QuoteForMessage(text) +
                     " is not a 7-bit I2C address in hexadecimal, 0x03 to 0x77");
  }
  return {target.substr(0, at), static_cast<int>(address)};
}

HostAndPort ParseHostAndPort(const std::string& target, const std::string& what) {
  const std::size_t colon = target.rfind(':');
  if (colon == std::string::npos || colon == 0) {
    throw InputError(what + ": " + QuoteForMessage(target) + " is not HOST:PORT");
  }
  std::string host = target.substr(0, colon);
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  }
  const std::int64_t port =
      ParseBoundedInteger(target.substr(colon + 1), 1, 65535, what + ": port");
  return {host, std::to_string(port)};
}

}  // namespace trotix
