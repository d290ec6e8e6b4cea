// The host a settings dialog is given, as the tests see it: what it was asked to do to the
// main clock, and how often the dialog said it had closed.
#pragma once

#include "dialogs/kit/dialog_host.h"

#include <string>
#include <vector>

namespace quorrin::testing {

class FakeDialogHost : public DialogHost {
  public:
    void HideMainClock() override { calls.push_back("hide"); }
    void ShowMainClock() override { calls.push_back("show"); }
    void DialogClosed() override { ++closed; }
    std::vector<std::string> calls;
    int closed = 0;
};

}  // namespace quorrin::testing
