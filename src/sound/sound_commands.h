// The media-control command texts that play and stop a sound file. The file's path is also
// the device name, so two files can play at once and playing a file again restarts it.
#pragma once

#include <string>
#include <vector>

namespace quorrin {

// The path as the commands name it: a path that still holds a space (a volume without short
// names) is put in double quotes, since the command text would otherwise end at the space.
std::string SoundDeviceName(const std::string& path);

// close (an earlier playback of the same file), open, play (returns at once).
std::vector<std::string> PlayCommands(const std::string& path);
// stop, close.
std::vector<std::string> StopCommands(const std::string& path);

}  // namespace quorrin
