#pragma once
#include <QString>
#include <functional>

// Listing every file below a folder, on the GUI thread, keeping the window
// responsive while it walks.

// Hands `add` the path of every regular file below `folder` (a link to one
// counts; FIFOs, sockets, devices and links to nothing are left out), each as
// the folder text exactly as given, "/" and the entry's exact name (its bytes
// kept as platform/NameBytes.h does, as are the folder's): the folder's own
// files first, in the order the directory delivers them, then everything
// below each of its first 200 subfolders, depth first. Links to folders are
// followed, except into a folder that is already being searched further up
// the same branch. A folder that cannot be read adds nothing. Pending events
// are processed twice after every entry but a folder's first, so other
// handlers (even a second search) may run in between.
void SearchFiles(const QString& folder, const std::function<void(const QString&)>& add);
