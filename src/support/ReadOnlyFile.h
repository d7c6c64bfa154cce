#pragma once
#include <QString>

// Whether an existing file is marked read-only: no write permission for
// anyone, or none for us. The mode's write bits count even for the
// superuser, whose access they do not limit, so a file marked read-only is
// left alone by every user alike.
bool isMarkedReadOnly(const QString& path);
