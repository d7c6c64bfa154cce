#include "support/FileSearch.h"

#include "platform/NameBytes.h"

#include <QCoreApplication>
#include <QStringList>
#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int kMaxSubfolders = 200;

struct FolderId {
  dev_t device;
  ino_t inode;
  bool operator==(const FolderId&) const = default;
};

enum class EntryKind { Folder, RegularFile, Other };

// Entries whose type the directory does not tell, and links, are looked up:
// a link counts as what it leads to.
EntryKind kindOf(const QByteArray& folder, const dirent& entry) {
  if (entry.d_type == DT_DIR) return EntryKind::Folder;
  if (entry.d_type == DT_REG) return EntryKind::RegularFile;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return EntryKind::Other;
  struct stat info {};
  const QByteArray path = folder + '/' + entry.d_name;
  if (::stat(path.constData(), &info) != 0) return EntryKind::Other;
  if (S_ISDIR(info.st_mode)) return EntryKind::Folder;
  return S_ISREG(info.st_mode) ? EntryKind::RegularFile : EntryKind::Other;
}

bool isDotEntry(const char* name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// `branch` holds the folders being searched above this one, so a link back
// to one of them ends here instead of repeating that part of the tree.
void searchFolder(const QString& folder, const std::function<void(const QString&)>& add,
                  std::vector<FolderId>& branch) {
  const QByteArray encoded = platform::bytesFromName(folder);
  DIR* dir = ::opendir(encoded.constData());
  if (!dir) return;
  struct stat info {};
  if (::fstat(::dirfd(dir), &info) != 0 ||
      std::ranges::find(branch, FolderId{info.st_dev, info.st_ino}) != branch.end()) {
    ::closedir(dir);
    return;
  }

  QStringList subfolders;
  int subfolderCount = 0;
  bool firstEntry = true;
  while (const dirent* entry = ::readdir(dir)) {
    // Taken exactly: a name may end in blanks, or hold bytes that are not UTF-8.
    const QString name = platform::nameFromBytes(entry->d_name);
    switch (kindOf(encoded, *entry)) {
      case EntryKind::Folder:
        if (!isDotEntry(entry->d_name) && ++subfolderCount <= kMaxSubfolders)
          subfolders.append(folder + u'/' + name);
        break;
      case EntryKind::RegularFile:
        add(folder + u'/' + name);
        break;
      case EntryKind::Other:
        // A FIFO, socket or device (or a link to one, or to nothing): a FIFO
        // would hold the transcoder that opens it for good.
        break;
    }
    if (!firstEntry) {
      QCoreApplication::processEvents();
      QCoreApplication::processEvents();
    }
    firstEntry = false;
  }
  // Closed before descending, so one branch keeps only one folder open.
  ::closedir(dir);

  branch.push_back({info.st_dev, info.st_ino});
  for (const QString& subfolder : subfolders) searchFolder(subfolder, add, branch);
  branch.pop_back();
}

}  // namespace

void SearchFiles(const QString& folder, const std::function<void(const QString&)>& add) {
  std::vector<FolderId> branch;
  searchFolder(folder, add, branch);
}
