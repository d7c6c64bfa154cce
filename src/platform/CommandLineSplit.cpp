#include "platform/CommandLineSplit.h"

#include "platform/NameBytes.h"

#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

bool isSeparator(QChar c) { return c == u' ' || c == u'\t'; }

// Reads one argument starting at `pos` (which is at a non-separator) and
// leaves `pos` after it.
QString readArgument(const QString& line, qsizetype& pos) {
  QString arg;
  bool inQuotes = false;
  while (pos < line.size()) {
    const QChar c = line[pos];
    if (!inQuotes && isSeparator(c)) break;
    if (c == u'\\') {
      qsizetype count = 0;
      while (pos < line.size() && line[pos] == u'\\') {
        ++count;
        ++pos;
      }
      if (pos < line.size() && line[pos] == u'"') {
        arg.append(QString(count / 2, u'\\'));
        if (count % 2 == 1) {
          arg.append(u'"');
          ++pos;
        }
      } else {
        arg.append(QString(count, u'\\'));
      }
      continue;
    }
    if (c == u'"') {
      inQuotes = !inQuotes;
      ++pos;
      continue;
    }
    arg.append(c);
    ++pos;
  }
  return arg;
}

void skipSeparators(const QString& line, qsizetype& pos) {
  while (pos < line.size() && isSeparator(line[pos])) ++pos;
}

bool isExecutableFile(const QString& path) {
  const QByteArray bytes = bytesFromName(path);
  struct stat info {};
  return ::stat(bytes.constData(), &info) == 0 && S_ISREG(info.st_mode) &&
         ::access(bytes.constData(), X_OK) == 0;
}

// A bare name is looked up on PATH; a name with a folder part is taken as is.
QString findExecutable(const QString& name) {
  if (name.isEmpty()) return {};
  if (name.contains(u'/')) return isExecutableFile(name) ? name : QString();
  return QStandardPaths::findExecutable(name);
}

}  // namespace

QStringList splitCommandLine(const QString& commandLine) {
  QStringList args;
  qsizetype pos = 0;
  skipSeparators(commandLine, pos);
  while (pos < commandLine.size()) {
    args.append(readArgument(commandLine, pos));
    skipSeparators(commandLine, pos);
  }
  return args;
}

QString escapeForQuotes(const QString& argument) {
  QString out;
  qsizetype pendingBackslashes = 0;
  for (QChar c : argument) {
    if (c == u'\\') {
      ++pendingBackslashes;
      continue;
    }
    if (c == u'"') {
      out.append(QString(pendingBackslashes * 2 + 1, u'\\'));
    } else {
      out.append(QString(pendingBackslashes, u'\\'));
    }
    pendingBackslashes = 0;
    out.append(c);
  }
  // Backslashes that end the argument stand before the closing quote.
  out.append(QString(pendingBackslashes * 2, u'\\'));
  return out;
}

ResolvedCommand resolveCommandLine(const QString& commandLine) {
  qsizetype pos = 0;
  skipSeparators(commandLine, pos);
  if (pos >= commandLine.size()) return {};

  if (commandLine[pos] != u'"') {
    // Try "a", then "a b", then "a b c" ... up to each blank, as long as the
    // prefix holds no quote; the first that names an executable file wins.
    qsizetype end = pos;
    while (true) {
      while (end < commandLine.size() && !isSeparator(commandLine[end]) &&
             commandLine[end] != u'"')
        ++end;
      if (end < commandLine.size() && commandLine[end] == u'"') break;
      const QString candidate = commandLine.mid(pos, end - pos);
      const QString program = findExecutable(candidate);
      if (!program.isEmpty()) {
        ResolvedCommand resolved{program, splitCommandLine(commandLine.mid(end))};
        return resolved;
      }
      if (end >= commandLine.size()) break;
      while (end < commandLine.size() && isSeparator(commandLine[end])) ++end;
    }
  }

  const QStringList parts = splitCommandLine(commandLine);
  ResolvedCommand resolved{findExecutable(parts.value(0)), parts.mid(1)};
  if (resolved.program.isEmpty()) resolved.arguments.clear();
  return resolved;
}

}  // namespace platform
