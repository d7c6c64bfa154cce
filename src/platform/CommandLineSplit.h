#pragma once
#include <QString>
#include <QStringList>

// A command line is one string, as on the system the program was designed
// for; these turn it into the program and its arguments by that system's
// convention, and back.
namespace platform {

// Blanks and tabs separate; double quotes group and are dropped; backslashes
// are literal except before a double quote (2n backslashes and a quote: n
// backslashes and the quote groups; 2n+1: n backslashes and a literal quote).
QStringList splitCommandLine(const QString& commandLine);

// One argument written so that splitCommandLine gives it back unchanged:
// quotes inside are escaped, backslashes before them doubled. The caller puts
// the surrounding quotes.
QString escapeForQuotes(const QString& argument);

struct ResolvedCommand {
  QString program;       // empty when no executable was found
  QStringList arguments;
};

// The program and its arguments. An unquoted program path with blanks is
// found by trying successive blank-separated prefixes until one names an
// existing executable file, so a program folder with blanks works unquoted.
ResolvedCommand resolveCommandLine(const QString& commandLine);

}  // namespace platform
