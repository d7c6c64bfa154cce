#pragma once
#include <QString>
#include <ostream>

// A failed expectation on a QString shows its text instead of its raw bytes.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
