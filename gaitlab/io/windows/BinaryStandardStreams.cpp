#include "gaitlab/io/BinaryStandardStreams.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

namespace trotix {

// A text-mode stream would write \r\n for every \n.
void SetStandardStreamsBinary() {
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace trotix
