// Windows has no i2c-dev: the board is refused in one line.
#include "gaitlab/bus/Pca9685Bus.h"

#include "gaitlab/io/InputError.h"

namespace trotix {

std::unique_ptr<ServoBus> OpenPca9685Bus(const std::string&, int, const GaitSettings&) {
  throw InputError(
      "pca9685: the board is driven through Linux i2c-dev, which Windows does not have");
}

}  // namespace trotix
