#include "remote/remote_page_resources_win32.h"

namespace quorrin {

std::string LoadRemotePage() {
    // A resource's memory belongs to the loaded module: nothing to free.
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(kRemotePageResourceId), RT_RCDATA);
    if (found == nullptr) return {};
    const HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return {};
    return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
}

}  // namespace quorrin
