#include "toolkit/RadioGroup.h"

#include "toolkit/Page.h"
#include "toolkit/Text.h"
#include "toolkit/WindowOwner.h"

namespace vindrel {
namespace {

const char kGroupClass[] = "TRadioGroup";

int FontHeight(HWND hwnd, HFONT font) {
    WindowDc dc(hwnd);
    SelectGuard select(dc.get(), font);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.get(), &tm);
    return tm.tmHeight;
}

}  // namespace

TRadioGroup::TRadioGroup(Page& page, const Layout& layout, Props props)
    : page_(page), name_(layout.name ? layout.name : ""), props_(std::move(props)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = page_.App().Instance();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kGroupClass;
    RegisterClassA(&wc);  // once per program; later calls fail harmlessly
    background_.reset(CreateSolidBrush(ResolveColour(props_.colour)));
    DWORD style = WS_CHILD | WS_CLIPCHILDREN | (props_.visible ? WS_VISIBLE : 0);
    hwnd_ = CreateWindowExA(0, kGroupClass, props_.caption.c_str(), style, layout.left, layout.top, layout.width,
                            layout.height, page_.Handle(), nullptr, page_.App().Instance(), this);
    if (!props_.enabled) EnableWindow(hwnd_, FALSE);
}

TRadioGroup::~TRadioGroup() {
    if (hwnd_) DestroyWindow(hwnd_);  // the buttons go with it
}

const FontSpec& TRadioGroup::Font() const { return props_.font ? *props_.font : page_.DefaultFont(); }

void TRadioGroup::AddItem(const std::string& text) {
    DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON | (props_.flat ? BS_FLAT : 0);
    if (buttons_.empty()) style |= WS_GROUP | WS_TABSTOP;
    // A wide button, so that the system's code page does not change the topic's letters.
    HWND button = CreateWindowExW(0, L"BUTTON", Wide(text).c_str(), style, 0, 0, 0, 0, hwnd_, nullptr,
                                  page_.App().Instance(), nullptr);
    if (!button) return;
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(page_.Font(Font())), FALSE);
    EnableWindow(button, Enabled());
    buttons_.push_back(button);
    Arrange();
}

std::string TRadioGroup::Item(int index) const {
    HWND button = Button(index);
    if (!button) return {};
    return WindowText1252(button);
}

HWND TRadioGroup::Button(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return buttons_[static_cast<size_t>(index)];
}

void TRadioGroup::SetItemIndex(int index) {
    if (index < 0 || index >= Count()) index = -1;
    if (index == itemIndex_) return;
    itemIndex_ = index;
    for (int i = 0; i < Count(); ++i)
        SendMessageA(Button(i), BM_SETCHECK, i == index ? BST_CHECKED : BST_UNCHECKED, 0);
    if (index >= 0 && OnClick) OnClick(*this);
}

void TRadioGroup::SetEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    for (HWND button : buttons_) EnableWindow(button, enabled ? TRUE : FALSE);
}

void TRadioGroup::SetVisible(bool visible) { ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE); }

// The buttons share the height below the frame's top line evenly, one column, 8 pixels in.
void TRadioGroup::Arrange() {
    if (buttons_.empty()) return;
    RECT client;
    GetClientRect(hwnd_, &client);
    const int textHeight = FontHeight(hwnd_, page_.Font(Font()));
    const int count = Count();
    const int room = client.bottom - textHeight - 5;
    const int buttonHeight = room / count;
    const int topMargin = textHeight + 1 + (room % count) / 2;
    const int buttonWidth = client.right - 10;
    for (int i = 0; i < count; ++i)
        SetWindowPos(Button(i), nullptr, 8, topMargin + i * buttonHeight, buttonWidth, buttonHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
}

void TRadioGroup::Paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, background_.get());
    SelectGuard font(dc, page_.Font(Font()));
    const int textHeight = FontHeight(hwnd_, page_.Font(Font()));
    RECT frame{0, textHeight / 2 - 1, client.right, client.bottom};
    if (props_.flat) {
        UniqueBrush line(CreateSolidBrush(ResolveColour(Font().colour)));
        FrameRect(dc, &frame, line.get());
    } else {
        DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
    if (!props_.caption.empty()) {
        const std::wstring caption = Wide(props_.caption);
        SIZE size{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
        RECT text{8, 0, 8 + size.cx, textHeight};
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, ResolveColour(props_.colour));
        SetTextColor(dc, ResolveColour(Font().colour));
        DrawText1252(dc, props_.caption, text, DT_SINGLELINE | DT_LEFT);
    }
}

void TRadioGroup::ButtonClicked(HWND button) {
    if (!Enabled()) {
        // A disabled group takes no choice; put back the marks a button may have set itself.
        for (int i = 0; i < Count(); ++i)
            SendMessageA(Button(i), BM_SETCHECK, i == itemIndex_ ? BST_CHECKED : BST_UNCHECKED, 0);
        return;
    }
    for (int i = 0; i < Count(); ++i) {
        if (Button(i) != button) continue;
        // Only a choice that changes counts; a click on the chosen item does nothing.
        if (SendMessageA(button, BM_GETCHECK, 0, 0) != BST_CHECKED || i == itemIndex_) return;
        itemIndex_ = i;
        if (OnClick) OnClick(*this);
        return;
    }
}

LRESULT TRadioGroup::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(hwnd_, &client);
            FillRect(reinterpret_cast<HDC>(wp), &client, background_.get());
            return 1;
        }
        case WM_PAINT: {
            PaintDc paint(hwnd_);
            Paint(paint.get());
            return 0;
        }
        case WM_PRINTCLIENT:
            Paint(reinterpret_cast<HDC>(wp));
            return 0;
        case WM_SIZE:
            Arrange();
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, ResolveColour(Font().colour));
            SetBkColor(dc, ResolveColour(props_.colour));
            return reinterpret_cast<LRESULT>(background_.get());
        }
        case WM_COMMAND:
            if (HIWORD(wp) == BN_CLICKED) ButtonClicked(reinterpret_cast<HWND>(lp));
            return 0;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT CALLBACK TRadioGroup::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TRadioGroup* self = WindowOwner(hwnd, msg, lp, &TRadioGroup::hwnd_);
    if (!self || msg == WM_NCDESTROY) return DefWindowProcA(hwnd, msg, wp, lp);
    return Guarded(hwnd, self->page_.App(), [&] { return self->Dispatch(msg, wp, lp); });
}

}  // namespace vindrel
