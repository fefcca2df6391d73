#include "gaitlab/io/BinaryStandardStreams.h"

namespace trotix {

// The streams never translate line ends here.
void SetStandardStreamsBinary() {}

}  // namespace trotix
