// Whether a file has changed, cheaply enough to ask every tick of a walk:
// one stat() and nothing allocated. A change counts once the file has
// stayed as it is for one more call, so that a file still being written
// is not read half done.
#ifndef TROTIX_GAITLAB_IO_FILEWATCH_H_
#define TROTIX_GAITLAB_IO_FILEWATCH_H_

#include <cstdint>
#include <string>

namespace trotix {

class FileWatch {
 public:
  // Takes the file as it is now as unchanged.
  explicit FileWatch(std::string path);

  // True once for each change (a new modification time, size or file),
  // at the first call that finds the change settled.
  bool changed();

 private:
  struct Stamp {
    bool exists = false;
    std::int64_t seconds = 0, nanoseconds = 0, size = 0;
    std::uint64_t file = 0;  // the inode: an editor's rename makes a new one
    bool operator==(const Stamp& other) const;
  };

  Stamp now() const;

  std::string path_;
  Stamp seen_, settling_;
  bool isSettling_ = false;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_IO_FILEWATCH_H_
