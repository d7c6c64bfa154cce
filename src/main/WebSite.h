#pragma once
#include <QString>

// The program's home page (the reserved .example domain stands in for it).
inline const QString kHomePage = QStringLiteral("http://www.dabrelin.example/");
