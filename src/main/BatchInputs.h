#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The files a batch was asked to convert, so that it never writes over one:
// those still waiting in the queue, and those the running batch has taken
// from it, which stay protected until the batch ends. A file is known by its
// cleaned path and by its device and inode, each found at a constant cost
// whatever the length of the queue.
class BatchInputs {
 public:
  // The queue gains, loses or drops all of its entries.
  void addWaiting(const QString& path);
  void removeWaiting(const QString& path);
  void clearWaiting();

  // The batch takes the entry at the queue's head.
  void take(const QString& path);
  // The batch has ended: what it took is no longer its own.
  void releaseTaken();

  // True when `path` names a waiting or taken file: the same path once both
  // are cleaned, or the same device and inode, so that neither a link nor
  // another spelling of a folder hides it.
  bool protects(const QString& path) const;

 private:
  using FileId = std::pair<quint64, quint64>;  // device, inode

  // Paths with the file each named when it was added; a path may be added
  // more than once.
  class FileSet {
   public:
    void add(const QString& cleaned, std::optional<FileId> id);
    // Removes one entry of the path and gives the file it named; nothing when
    // the path is not in the set.
    std::optional<std::optional<FileId>> remove(const QString& cleaned);
    void clear();
    bool holds(const QString& cleaned, std::optional<FileId> id) const;

   private:
    QHash<QString, QList<std::optional<FileId>>> byPath_;
    QHash<FileId, int> byId_;
  };

  static std::optional<FileId> fileId(const QString& path);

  FileSet waiting_, taken_;
};
