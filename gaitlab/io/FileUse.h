// The files one run reads and writes, and the rule that no output may
// replace an input or another output, however the names are spelt.
#ifndef TROTIX_GAITLAB_FILEUSE_H_
#define TROTIX_GAITLAB_FILEUSE_H_

#include <string>
#include <vector>

namespace trotix {

struct FileUse {
  std::string label;  // how messages call it
  std::string path;
  bool written = false;
};

// Whether the two names reach the same regular file: the same device and
// inode where both exist, else the same place once links and "." and ".."
// are resolved (a dangling link reaches the file it would create). Devices
// and pipes such as /dev/null never count as the same file.
bool NameTheSameFile(const std::string& a, const std::string& b);

// Throws InputError "LATER and EARLIER name the same file", with the labels
// of the first pair in `files` (in order) of which at least one is written
// and both name the same file.
void RefuseSharedFiles(const std::vector<FileUse>& files);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_FILEUSE_H_
