#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

// A fresh folder for one test, removed with everything in it afterwards.
struct ScratchFolder {
  std::filesystem::path root;

  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "conv-test-XXXXXX").string();
    root = mkdtemp(pattern.data());
  }
  ~ScratchFolder() { std::filesystem::remove_all(root); }

  std::string path(const std::string& name) const { return (root / name).string(); }
  size_t fileCount() const {
    return size_t(std::distance(std::filesystem::directory_iterator(root), {}));
  }
  // Each file's name and bytes.
  std::map<std::string, std::string> contents() const;
};

inline std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

inline std::map<std::string, std::string> ScratchFolder::contents() const {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(root))
    files[entry.path().filename().string()] = readFile(entry.path().string());
  return files;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
