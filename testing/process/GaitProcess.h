// Runs the trotix-gait program in a scratch directory for the tests.
#ifndef TROTIX_TESTING_PROCESS_GAITPROCESS_H_
#define TROTIX_TESTING_PROCESS_GAITPROCESS_H_

#include <string>
#include <vector>

namespace trotix {

struct ProcessResult {
  int status = -1;  // exit status, or -1 if the program did not exit normally
  std::string out;
  std::string err;
};

// A fresh directory, removed with everything in it on destruction.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Names of the entries in the directory, sorted.
  std::vector<std::string> entries() const;

 private:
  std::string path_;
};

// Runs the given program with `args` in `directory`; no standard input.
ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& directory);

// The trotix-gait built with these tests.
ProcessResult RunGaitProgram(const std::vector<std::string>& args, const std::string& directory);

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& text);

}  // namespace trotix

#endif  // TROTIX_TESTING_PROCESS_GAITPROCESS_H_
