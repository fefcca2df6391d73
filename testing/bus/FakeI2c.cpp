#include "FakeI2c.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>

namespace trotix {
namespace {

constexpr int kMode1 = 0x00, kLed0 = 0x06, kAllLed = 0xFA, kPreScale = 0xFE;
constexpr std::uint8_t kAutoIncrement = 0x20, kSleep = 0x10, kFullOff = 0x10;

struct Open {
  std::string path;
  int address = -1;
};

// Left to live on past exit: a close() at exit may still look them up.
std::mutex& Lock() {
  static auto* lock = new std::mutex;
  return *lock;
}
std::map<std::string, Pca9685Model>& Boards() {
  static auto* boards = new std::map<std::string, Pca9685Model>;
  return *boards;
}
std::map<int, Open>& Opens() {
  static auto* opens = new std::map<int, Open>;
  return *opens;
}

template <typename Function>
Function Real(const char* name) {
  return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

bool IsFake(const char* path) {
  return path && std::strncmp(path, kFakeI2cPrefix, std::strlen(kFakeI2cPrefix)) == 0;
}

void Log(const std::uint8_t* bytes, std::size_t size) {
  const char* file = std::getenv("TROTIX_FAKE_I2C_LOG");
  if (!file) return;
  if (std::FILE* log = std::fopen(file, "a")) {
    for (std::size_t i = 0; i < size; ++i) std::fprintf(log, i ? " %02x" : "%02x", bytes[i]);
    std::fputc('\n', log);
    std::fclose(log);
  }
}

int OpenFake(const char* path) {
  // A real descriptor, so that numbers stay unique and close() is plain.
  const int fd = Real<int (*)(const char*, int, ...)>("open")("/dev/null", O_RDWR | O_CLOEXEC);
  if (fd < 0) return fd;
  std::lock_guard<std::mutex> lock(Lock());
  Opens()[fd] = {path, -1};
  Boards()[path];  // a board at 0x40 unless one was set up
  return fd;
}

}  // namespace

Pca9685Model::Pca9685Model() {
  registers[kMode1] = 0x11;  // the power-on state: asleep, ALLCALL
  for (int channel = 0; channel < 16; ++channel) registers[kLed0 + 4 * channel + 3] = kFullOff;
  registers[kAllLed + 3] = kFullOff;
  registers[kPreScale] = 0x1E;
}

void Pca9685Model::receive(const std::uint8_t* bytes, std::size_t size) {
  messages.emplace_back(bytes, bytes + size);
  int reg = bytes[0];
  for (std::size_t i = 1; i < size; ++i) {
    if (reg == kPreScale && !(registers[kMode1] & kSleep)) {
      ++preScaleRefused;
    } else {
      registers[reg] = bytes[i];
    }
    if (reg >= kAllLed && reg < kAllLed + 4) {
      for (int channel = 0; channel < 16; ++channel) {
        registers[kLed0 + 4 * channel + reg - kAllLed] = bytes[i];
      }
    }
    if (registers[kMode1] & kAutoIncrement) reg = (reg + 1) & 0xFF;
  }
}

bool Pca9685Model::fullOff(int channel) const {
  return registers[kLed0 + 4 * channel + 3] & kFullOff;
}

int Pca9685Model::offCount(int channel) const {
  return registers[kLed0 + 4 * channel + 2] | ((registers[kLed0 + 4 * channel + 3] & 0x0F) << 8);
}

Pca9685Model& ResetFakeI2cBoard(const std::string& path, int address) {
  std::lock_guard<std::mutex> lock(Lock());
  Pca9685Model& board = Boards()[path] = Pca9685Model();
  board.address = address;
  return board;
}

Pca9685Model& FakeI2cBoard(const std::string& path) {
  std::lock_guard<std::mutex> lock(Lock());
  return Boards()[path];
}

}  // namespace trotix

using trotix::Opens;

extern "C" int open(const char* path, int flags, ...) {
  if (trotix::IsFake(path)) return trotix::OpenFake(path);
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(arguments, mode_t) : 0;
  va_end(arguments);
  return trotix::Real<int (*)(const char*, int, ...)>("open")(path, flags, mode);
}

extern "C" int open64(const char* path, int flags, ...) {
  if (trotix::IsFake(path)) return trotix::OpenFake(path);
  va_list arguments;
  va_start(arguments, flags);
  const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(arguments, mode_t) : 0;
  va_end(arguments);
  return trotix::Real<int (*)(const char*, int, ...)>("open64")(path, flags, mode);
}

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
  va_list arguments;
  va_start(arguments, request);
  void* argument = va_arg(arguments, void*);
  va_end(arguments);
  {
    std::lock_guard<std::mutex> lock(trotix::Lock());
    auto found = Opens().find(fd);
    if (found != Opens().end()) {
      if (request != I2C_SLAVE) return errno = ENOTTY, -1;
      found->second.address = static_cast<int>(reinterpret_cast<unsigned long>(argument));
      return 0;
    }
  }
  return trotix::Real<int (*)(int, unsigned long, ...)>("ioctl")(fd, request, argument);
}

extern "C" ssize_t write(int fd, const void* buffer, size_t size) {
  bool fake = false;
  {
    std::lock_guard<std::mutex> lock(trotix::Lock());
    auto found = Opens().find(fd);
    if (found != Opens().end()) {
      trotix::Pca9685Model& board = trotix::Boards()[found->second.path];
      // No board answers at another address: the kernel reports a NAK.
      if (found->second.address != board.address || size == 0) return errno = EREMOTEIO, -1;
      board.receive(static_cast<const std::uint8_t*>(buffer), size);
      fake = true;
    }
  }
  if (fake) {
    trotix::Log(static_cast<const std::uint8_t*>(buffer), size);  // writes through here
    return static_cast<ssize_t>(size);
  }
  return trotix::Real<ssize_t (*)(int, const void*, size_t)>("write")(fd, buffer, size);
}

extern "C" int close(int fd) {
  {
    std::lock_guard<std::mutex> lock(trotix::Lock());
    Opens().erase(fd);
  }
  return trotix::Real<int (*)(int)>("close")(fd);
}
