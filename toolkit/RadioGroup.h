// TRadioGroup: a framed list of option buttons, the one control of the pages that must be a real
// window (a child of its page), so the system draws and runs its buttons. One column, items added
// at run time; the group, not the buttons, tells which item is chosen.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/Controls.h"
#include "toolkit/Drawing.h"

namespace vindrel {

class Page;

class TRadioGroup {
public:
    struct Props {
        std::string caption{};
        std::optional<FontSpec> font{};  // none: the page's font
        COLORREF colour = clBtnFace;     // background of the group and its buttons
        bool flat = false;               // a plain one-pixel frame instead of the etched one
        bool enabled = true;
        bool visible = true;
    };
    TRadioGroup(Page& page, const Layout& layout, Props props);
    ~TRadioGroup();
    TRadioGroup(const TRadioGroup&) = delete;
    TRadioGroup& operator=(const TRadioGroup&) = delete;

    HWND Handle() const { return hwnd_; }
    const std::string& Name() const { return name_; }

    // Items are appended as option buttons, one below the other.
    void AddItem(const std::string& text);
    int Count() const { return static_cast<int>(buttons_.size()); }
    std::string Item(int index) const;
    HWND Button(int index) const;  // null when out of range

    // -1 while nothing is chosen.
    int ItemIndex() const { return itemIndex_; }
    // Choosing an item that was not chosen fires OnClick; choosing the chosen one changes
    // nothing; -1 (or any index out of range) clears the choice without firing.
    void SetItemIndex(int index);

    bool Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void SetEnabled(bool enabled);  // the buttons follow the group
    bool Visible() const { return IsWindowVisible(hwnd_) != FALSE; }
    void SetVisible(bool visible);
    const FontSpec& Font() const;

    std::function<void(TRadioGroup&)> OnClick;

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    void Arrange();
    void Paint(HDC dc);
    void ButtonClicked(HWND button);

    Page& page_;
    std::string name_;
    Props props_;
    HWND hwnd_ = nullptr;
    std::vector<HWND> buttons_;  // children of hwnd_, destroyed with it
    int itemIndex_ = -1;
    UniqueBrush background_;
};

}  // namespace vindrel
