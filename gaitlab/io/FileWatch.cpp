#include "gaitlab/io/FileWatch.h"

#include <sys/stat.h>

namespace trotix {

bool FileWatch::Stamp::operator==(const Stamp& other) const {
  return exists == other.exists && seconds == other.seconds && nanoseconds == other.nanoseconds &&
         size == other.size && file == other.file;
}

FileWatch::FileWatch(std::string path) : path_(std::move(path)), seen_(now()) {}

FileWatch::Stamp FileWatch::now() const {
  struct stat status {};
  Stamp stamp;
  if (::stat(path_.c_str(), &status) != 0) return stamp;
  stamp.exists = true;
  stamp.seconds = static_cast<std::int64_t>(status.st_mtime);
#ifdef __linux__
  stamp.nanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec);
#endif
  stamp.size = static_cast<std::int64_t>(status.st_size);
  stamp.file = static_cast<std::uint64_t>(status.st_ino);
  return stamp;
}

bool FileWatch::changed() {
  const Stamp stamp = now();
  if (stamp == seen_) {
    isSettling_ = false;
    return false;
  }
  if (!isSettling_ || !(stamp == settling_)) {
    settling_ = stamp;
    isSettling_ = true;
    return false;
  }
  // A file gone away (an editor between its delete and its rename) is
  // not a change to read yet.
  isSettling_ = false;
  if (!stamp.exists) return false;
  seen_ = stamp;
  return true;
}

}  // namespace trotix
