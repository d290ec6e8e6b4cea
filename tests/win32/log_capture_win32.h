// Collects the debug log lines written while it lives, for tests that check what was logged.
#pragma once

#include "win32/debug_log_win32.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorrin::testing {

class LogCapture {
  public:
    LogCapture() : previous_(ObserveDebugLog(&Record)) { Lines().clear(); }
    ~LogCapture() { ObserveDebugLog(previous_); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool Holds(const std::wstring& part) const {
        for (const std::wstring& line : Lines()) {
            if (line.find(part) != std::wstring::npos) return true;
        }
        return false;
    }
    const std::vector<std::wstring>& Logged() const { return Lines(); }

  private:
    static std::vector<std::wstring>& Lines() {
        static std::vector<std::wstring> lines;
        return lines;
    }
    static void Record(std::wstring_view line) { Lines().emplace_back(line); }

    DebugLogObserver previous_;
};

}  // namespace quorrin::testing
