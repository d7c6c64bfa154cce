#pragma once
#include <string>

// Refuses an output the run must not write: the input itself (also through a
// link), a folder, or an existing file without permission to replace it.
void checkOutputAllowed(const std::string& inputPath, const std::string& outputPath,
                        bool overwrite);

// A file beside the output that takes the written data and replaces the
// output only once it is complete. Until then, a failure (the destructor) or
// any signal that ends the run removes it; no half-written output is ever
// seen under the output's name.
class TempOutput {
 public:
  explicit TempOutput(const std::string& outputPath);
  ~TempOutput();
  TempOutput(const TempOutput&) = delete;
  TempOutput& operator=(const TempOutput&) = delete;

  const std::string& path() const { return path_; }
  void commit();

 private:
  std::string outputPath_;
  std::string path_;
  bool committed_ = false;
};
