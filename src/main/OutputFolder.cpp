#include "main/OutputFolder.h"

#include "main/SetupFile.h"
#include "platform/NameBytes.h"

#include <pwd.h>

#include <QDir>
#include <QFile>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

namespace {

std::optional<QString> homeFolderOf(const QString& user) {
  if (user.isEmpty()) return QDir::homePath();
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16 * 1024);
  const QByteArray name = QFile::encodeName(user);
  if (::getpwnam_r(name.constData(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
    return std::nullopt;
  return QFile::decodeName(found->pw_dir);
}

QString withHomeFolder(const QString& text) {
  if (!text.startsWith(u'~')) return text;
  const qsizetype slash = text.indexOf(u'/');
  const QString user = text.mid(1, slash < 0 ? -1 : slash - 1);
  const std::optional<QString> home = homeFolderOf(user);
  if (!home) return text;
  return QDir::cleanPath(*home + u'/' + (slash < 0 ? QString() : text.mid(slash + 1)));
}

}  // namespace

QString outputFolderFromBox(const QString& boxText) {
  if (boxText.isEmpty()) return setup_defaults::outputFolder();
  const QString folder = withHomeFolder(boxText);
  if (QDir::isAbsolutePath(folder)) return folder;
  return QDir::cleanPath(QDir::current().absoluteFilePath(folder));
}

std::optional<QString> makeOutputFolder(const QString& folder) {
  const std::filesystem::path path(platform::bytesFromName(folder).toStdString());
  std::error_code error;
  if (folder == setup_defaults::outputFolder())
    std::filesystem::create_directories(path, error);
  else
    std::filesystem::create_directory(path, error);
  if (std::filesystem::is_directory(path)) return std::nullopt;
  if (!error) error = std::make_error_code(std::errc::not_a_directory);
  return QStringLiteral("the output folder %1 cannot be made: %2")
      .arg(platform::readableName(folder), QString::fromLocal8Bit(error.message()));
}
