#include "main/BatchInputs.h"

#include "platform/NameBytes.h"

#include <QDir>
#include <sys/stat.h>

void BatchInputs::FileSet::add(const QString& cleaned, std::optional<FileId> id) {
  byPath_[cleaned].append(id);
  if (id) ++byId_[*id];
}

std::optional<std::optional<BatchInputs::FileId>> BatchInputs::FileSet::remove(
    const QString& cleaned) {
  const auto entry = byPath_.find(cleaned);
  if (entry == byPath_.end()) return std::nullopt;
  const std::optional<FileId> id = entry->takeLast();
  if (entry->isEmpty()) byPath_.erase(entry);
  if (id && --byId_[*id] == 0) byId_.remove(*id);
  return id;
}

void BatchInputs::FileSet::clear() {
  byPath_.clear();
  byId_.clear();
}

bool BatchInputs::FileSet::holds(const QString& cleaned, std::optional<FileId> id) const {
  return byPath_.contains(cleaned) || (id && byId_.contains(*id));
}

std::optional<BatchInputs::FileId> BatchInputs::fileId(const QString& path) {
  struct stat info {};
  if (::stat(platform::bytesFromName(path).constData(), &info) != 0) return std::nullopt;
  return FileId{info.st_dev, info.st_ino};
}

void BatchInputs::addWaiting(const QString& path) {
  waiting_.add(QDir::cleanPath(path), fileId(path));
}

void BatchInputs::removeWaiting(const QString& path) { waiting_.remove(QDir::cleanPath(path)); }

void BatchInputs::clearWaiting() { waiting_.clear(); }

void BatchInputs::take(const QString& path) {
  const QString cleaned = QDir::cleanPath(path);
  const std::optional<std::optional<FileId>> waiting = waiting_.remove(cleaned);
  taken_.add(cleaned, waiting ? *waiting : fileId(path));
}

void BatchInputs::addWritten(const QString& output, const QString& input) {
  writerByPath_.insert(QDir::cleanPath(output), input);
  if (const std::optional<FileId> id = fileId(output)) writerById_.insert(*id, input);
}

void BatchInputs::releaseBatch() {
  taken_.clear();
  writerByPath_.clear();
  writerById_.clear();
}

bool BatchInputs::protects(const QString& path) const {
  const QString cleaned = QDir::cleanPath(path);
  const std::optional<FileId> id = fileId(path);
  return waiting_.holds(cleaned, id) || taken_.holds(cleaned, id);
}

std::optional<QString> BatchInputs::writerOf(const QString& path) const {
  if (const auto byPath = writerByPath_.constFind(QDir::cleanPath(path));
      byPath != writerByPath_.cend())
    return *byPath;
  const std::optional<FileId> id = fileId(path);
  if (const auto byId = id ? writerById_.constFind(*id) : writerById_.cend();
      byId != writerById_.cend())
    return *byId;
  return std::nullopt;
}
