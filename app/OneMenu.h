// One menu at a time. AutoPlay starts the menu again when the CD is put back or its icon is
// double-clicked, and some setups ask for just that: a second menu would cover the first with its
// own backdrop and clean up on its own at its exit. The first start of an edition holds a named
// mutex for its whole run (the system drops it with a menu that died); a later start finds it,
// hands over to the running menu and ends.
#pragma once
#include <string>

#include "services/Handles.h"

namespace vindrel {

class OneMenu {
public:
    explicit OneMenu(const std::string& edition);
    OneMenu(const OneMenu&) = delete;
    OneMenu& operator=(const OneMenu&) = delete;
    // False when a menu of the edition already runs.
    bool First() const { return first_; }

private:
    UniqueKernelHandle mutex_;
    bool first_ = true;
};

// From a second start: the running menu comes to the front, unless it waits for a setup, whose
// window then stays in front.
void HandOverToRunningMenu();

}  // namespace vindrel
