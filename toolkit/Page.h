// A page of the menu: a 640 x 480 borderless window over the black backdrop.
#pragma once
#include <windows.h>

namespace vindrel {

class Page {
public:
    virtual ~Page() = default;
    virtual HWND Handle() const = 0;
};

}  // namespace vindrel
