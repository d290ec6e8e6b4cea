#include "remote/remote_snapshot.h"

#include <boost/json.hpp>

#include <cstdio>

namespace quorrin {
namespace {

// 0x00BBGGRR as a CSS colour, "#rrggbb".
std::string CssColor(int32_t color) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(color & 0xFF),
                  static_cast<unsigned>((color >> 8) & 0xFF),
                  static_cast<unsigned>((color >> 16) & 0xFF));
    return text;
}

}  // namespace

std::string SnapshotJson(const RemoteSnapshot& snapshot) {
    const boost::json::object object{
        {"show", snapshot.show},
        {"presentation", snapshot.presentation},
        {"remaining", snapshot.remainingSeconds},
        {"planned", snapshot.plannedSeconds},
        {"paused", snapshot.paused},
        {"warning", snapshot.warning},
        {"overtime", snapshot.overtime},
        {"hidden", snapshot.hidden},
        {"message", snapshot.message},
        {"warningColor", CssColor(snapshot.warningColor)},
        {"overtimeColor", CssColor(snapshot.overtimeColor)},
    };
    return boost::json::serialize(object);
}

void SnapshotBox::Publish(const RemoteSnapshot& snapshot) {
    std::lock_guard lock(mutex_);
    if (current_.version != 0 && current_.snapshot == snapshot) return;
    current_.snapshot = snapshot;
    ++current_.version;
}

SnapshotBox::Versioned SnapshotBox::Read() const {
    std::lock_guard lock(mutex_);
    return current_;
}

uint64_t SnapshotBox::Version() const {
    std::lock_guard lock(mutex_);
    return current_.version;
}

}  // namespace quorrin
