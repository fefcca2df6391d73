// Standard output and error write exactly the bytes given, so that the
// tables and texts are the same bytes on every system. Each platform folder
// has its own file.
#ifndef TROTIX_GAITLAB_BINARYSTANDARDSTREAMS_H_
#define TROTIX_GAITLAB_BINARYSTANDARDSTREAMS_H_

namespace trotix {

// Call before anything is written to either stream.
void SetStandardStreamsBinary();

}  // namespace trotix

#endif  // TROTIX_GAITLAB_BINARYSTANDARDSTREAMS_H_
