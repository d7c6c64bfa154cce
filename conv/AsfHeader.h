#pragma once
#include <optional>
#include <string>

// How long an ASF file's header says the file lasts, in seconds: the play
// duration less the preroll. libavformat drops it when the file is shorter
// than its header says, which hides a truncated file. nullopt for a broadcast
// (open-ended) file or one without file properties.
std::optional<double> asfStatedSeconds(const std::string& path);
