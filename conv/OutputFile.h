#pragma once
#include <string>

#include "Descriptor.h"

// Refuses an output the run must not write: the input itself (also through a
// link), a folder, or an existing file the user may not write.
void checkOutputAllowed(const std::string& inputPath, const std::string& outputPath,
                        bool overwrite);

// Takes the written data and puts them under the output's name only once
// they are complete; no half-written output is ever seen under that name,
// and a failure (the destructor) leaves the folder as it was. The data reach
// the disk before they take the name; an output replaced keeps its permission
// bits; a symlink at the output's path stays, and the file it leads to is the
// one written (created, where it does not exist yet).
//
// Where the file system offers files without a name (O_TMPFILE), the data go
// into one, so that even a run killed outright leaves nothing behind. Where
// it does not (FAT, some network mounts), or when asked, they go into a
// hidden file beside the output, removed by any signal that ends the run and
// can be caught.
class TempOutput {
 public:
  enum class Kind { UnnamedWherePossible, Named };
  explicit TempOutput(const std::string& outputPath, Kind kind = Kind::UnnamedWherePossible);
  ~TempOutput();
  TempOutput(const TempOutput&) = delete;
  TempOutput& operator=(const TempOutput&) = delete;

  // Open for reading, writing and seeking; stays this object's.
  int fd() const { return fd_.get(); }
  // Replaces the output (an existing one too) with the data written.
  void commit();

 private:
  void openNamed();
  void keepFormerMode() const;
  void checkWritten() const;
  void nameUnnamed();
  void syncFolder() const;

  std::string outputPath_;  // as given, for the messages
  std::string targetPath_;  // the file written: a symlink's end
  Descriptor fd_;
  std::string namedPath_;  // empty while the data have no name
  bool committed_ = false;
};
