#include "gaitlab/bus/SerialPort.h"

#include <windows.h>

#include "gaitlab/bus/ServoBus.h"
#include "gaitlab/io/windows/SystemMessage.h"

namespace trotix {
namespace {

// The rates the POSIX build takes, so that a bus opens alike on both.
constexpr int kBaudRates[] = {9600,    19200,   38400,   57600,   115200,  230400,
                              460800,  500000,  576000,  921600,  1000000, 1152000,
                              1500000, 2000000, 2500000, 3000000, 3500000, 4000000};

// A write that the line does not take within this long has failed.
constexpr DWORD kWriteTimeoutMs = 100;

void CheckBaud(const std::string& device, int baud) {
  for (const int rate : kBaudRates) {
    if (rate == baud) return;
  }
  throw BusFault(device + ": " + std::to_string(baud) +
                 " baud is not a standard rate (9600 to 4000000)");
}

[[noreturn]] void Fail(const std::string& device, const char* what, DWORD error = GetLastError()) {
  throw BusFault(device + ": " + what + ": " + SystemMessage(error));
}

HANDLE Handle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// "COM3" as the device namespace names it, which COM10 and above need.
std::wstring DevicePath(const std::string& device) {
  std::string path = device.rfind("\\\\.\\", 0) == 0 ? device : "\\\\.\\" + device;
  std::wstring wide(path.size(), L'\0');
  const int size = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                                       wide.data(), static_cast<int>(wide.size()));
  wide.resize(size > 0 ? size : 0);
  return wide;
}

// ReadFile waits up to `waitMs` for a first byte and returns once the line
// has been quiet for a millisecond after it; with `waitMs` 0 it returns what
// has arrived at once. (The documented "MAXDWORD, MAXDWORD, wait" form
// would return at the first byte too, but Wine waits its whole time out.)
bool SetReadWait(HANDLE port, DWORD waitMs) {
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = waitMs > 0 ? 1 : MAXDWORD;
  timeouts.ReadTotalTimeoutConstant = waitMs;
  timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
  return SetCommTimeouts(port, &timeouts) != 0;
}

bool SetRawLine(HANDLE port, int baud) {
  DCB line{};
  line.DCBlength = sizeof line;
  if (!GetCommState(port, &line)) return false;
  line.BaudRate = static_cast<DWORD>(baud);
  line.ByteSize = 8;
  line.Parity = NOPARITY;
  line.StopBits = ONESTOPBIT;
  line.fBinary = TRUE;
  line.fParity = FALSE;
  line.fOutxCtsFlow = FALSE;
  line.fOutxDsrFlow = FALSE;
  line.fDtrControl = DTR_CONTROL_ENABLE;
  line.fDsrSensitivity = FALSE;
  line.fOutX = FALSE;
  line.fInX = FALSE;
  line.fErrorChar = FALSE;
  line.fNull = FALSE;
  line.fRtsControl = RTS_CONTROL_ENABLE;
  line.fAbortOnError = FALSE;
  return SetCommState(port, &line) != 0;
}

}  // namespace

SerialPort::SerialPort(const std::string& device, int baud)
    : device_(device),
      byteTime_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::duration<double>(10.0 / (baud > 0 ? baud : 1)))) {
  CheckBaud(device, baud);
  const HANDLE port = CreateFileW(DevicePath(device).c_str(), GENERIC_READ | GENERIC_WRITE, 0,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) Fail(device, "cannot open");
  DCB probe{};
  probe.DCBlength = sizeof probe;
  if (!GetCommState(port, &probe)) {
    const DWORD error = GetLastError();
    CloseHandle(port);
    Fail(device, "not a serial line", error);
  }
  if (!SetRawLine(port, baud) || !SetReadWait(port, 0)) {
    const DWORD error = GetLastError();
    CloseHandle(port);
    Fail(device, "cannot set raw mode and baud rate", error);
  }
  PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
  handle_ = reinterpret_cast<std::intptr_t>(port);
}

SerialPort::~SerialPort() { CloseHandle(Handle(handle_)); }

bool SerialPort::trySend(const std::uint8_t* bytes, std::size_t size) noexcept {
  while (size > 0) {
    DWORD sent = 0;
    const DWORD chunk = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    // Nothing sent within the write timeout: the line is stuck.
    if (!WriteFile(Handle(handle_), bytes, chunk, &sent, nullptr) || sent == 0) return false;
    bytes += sent;
    size -= sent;
  }
  return true;
}

void SerialPort::send(const std::uint8_t* bytes, std::size_t size) {
  if (!trySend(bytes, size)) Fail(device_, "write failed");
}

std::size_t SerialPort::receive(std::uint8_t* buffer, std::size_t capacity,
                                Clock::time_point deadline) {
  const DWORD wanted = capacity > MAXDWORD ? MAXDWORD : static_cast<DWORD>(capacity);
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    const DWORD waitMs = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
    if (!SetReadWait(Handle(handle_), waitMs)) Fail(device_, "read failed");
    DWORD got = 0;
    if (!ReadFile(Handle(handle_), buffer, wanted, &got, nullptr)) Fail(device_, "read failed");
    if (got > 0 || waitMs == 0) return got;
  }
}

void SerialPort::discardInput() noexcept {
  PurgeComm(Handle(handle_), PURGE_RXCLEAR | PURGE_RXABORT);
}

}  // namespace trotix
