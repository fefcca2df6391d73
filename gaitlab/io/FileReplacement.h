// The platform's half of replacing an output file whole: which file a path
// really names, the new file's permissions, and the final move over the
// target. Each platform folder has its own file.
#ifndef TROTIX_GAITLAB_FILEREPLACEMENT_H_
#define TROTIX_GAITLAB_FILEREPLACEMENT_H_

#include <sys/types.h>

#include <cstdio>
#include <string>

namespace trotix {

// Follows a symbolic link so that the move replaces or creates the file it
// names rather than the link itself (a dangling link's target is created);
// the path as given where there is no link.
std::string ResolveReplacedFile(const std::string& path);

// Gives the new file the mode of the one it replaces, or that of a file
// created now.
void SetReplacementMode(std::FILE* stream, bool replacing, mode_t replacedMode);

// Moves the finished file over its target; false with errno set if not.
bool MoveOverTarget(const std::string& from, const std::string& to);

}  // namespace trotix

#endif  // TROTIX_GAITLAB_FILEREPLACEMENT_H_
