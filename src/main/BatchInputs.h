#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The files a batch was asked to convert, so that it never writes over one:
// those still waiting in the queue, and those the running batch has taken
// from it, which stay protected until the batch ends. And the outputs the
// batch has written, so that no later file of it writes over one (two inputs
// of one name in two folders give one output). A file is known by its cleaned
// path and by its device and inode, each found at a constant cost whatever
// the length of the queue.
class BatchInputs {
 public:
  // The queue gains, loses or drops all of its entries.
  void addWaiting(const QString& path);
  void removeWaiting(const QString& path);
  void clearWaiting();

  // The batch takes the entry at the queue's head.
  void take(const QString& path);
  // The batch has written `output`, converted from `input`.
  void addWritten(const QString& output, const QString& input);

  // The batch has ended: what it took and what it wrote are no longer its own.
  void releaseBatch();

  // True when `path` names a waiting or taken file: the same path once both
  // are cleaned, or the same device and inode, so that neither a link nor
  // another spelling of a folder hides it.
  bool protects(const QString& path) const;

  // The input from which this batch wrote the file `path` names (matched as
  // above); nothing when the batch has not written it.
  std::optional<QString> writerOf(const QString& path) const;

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
  QHash<QString, QString> writerByPath_;
  QHash<FileId, QString> writerById_;
};
