// Plays and stops the warning and end sound files through the media control interface.
#pragma once

#include <string>

namespace quorrin {

// Starts playing the file and returns at once; failures are silent (no sound).
void PlaySoundFile(const std::string& path);
// Stops and closes a file started by PlaySoundFile.
void StopSoundFile(const std::string& path);
// The system's default beep.
void SystemBeep();
// The short (8.3) form of a path holding a space; other paths unchanged.
std::string ToShortPath(const std::string& path);

}  // namespace quorrin
