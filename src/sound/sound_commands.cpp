#include "sound/sound_commands.h"

namespace quorrin {

std::string SoundDeviceName(const std::string& path) {
    if (path.find(' ') == std::string::npos) return path;
    return "\"" + path + "\"";
}

std::vector<std::string> PlayCommands(const std::string& path) {
    const std::string name = SoundDeviceName(path);
    return {"close " + name, "open " + name, "play " + name};
}

std::vector<std::string> StopCommands(const std::string& path) {
    const std::string name = SoundDeviceName(path);
    return {"stop " + name, "close " + name};
}

}  // namespace quorrin
