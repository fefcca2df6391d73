// An output file that appears whole or not at all. A regular (or new) file
// is written to a hidden temporary file in the same directory and renamed
// over the target by commit(); if the object dies uncommitted, the temporary
// file is removed and the target is untouched. Devices and pipes such as
// /dev/null, and "-" for standard output, are written directly.
#ifndef TROTIX_GAITLAB_OUTPUTFILE_H_
#define TROTIX_GAITLAB_OUTPUTFILE_H_

#include <cstdio>
#include <string>

namespace trotix {

class OutputFile {
 public:
  // Throws InputError (naming `option`) if the name cannot be an output
  // (a directory, a loop of links), OutputError if the file cannot be
  // created.
  OutputFile(const std::string& path, const std::string& option);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::FILE* stream() const { return stream_; }
  // The name to use in messages.
  const std::string& displayName() const { return displayName_; }

  // Flushes, closes and renames into place; throws OutputError.
  void commit();

 private:
  void openTemporary(const std::string& target, const std::string& option);

  std::FILE* stream_ = nullptr;
  std::string displayName_;
  std::string targetPath_;     // empty when written directly
  std::string temporaryPath_;  // removed unless committed
  bool ownsStream_ = false;
};

}  // namespace trotix

#endif  // TROTIX_GAITLAB_OUTPUTFILE_H_
