#include "BoxIcon_win.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

#include "WindowPicture_win.h"

namespace {
constexpr DWORD kPaintWaitMs = 5000;

const std::pair<const char*, LPCTSTR> kIcons[] = {
    {"warning", IDI_WARNING}, {"information", IDI_INFORMATION}, {"question", IDI_QUESTION}, {"error", IDI_ERROR}};

// Whether `captured` is the icon drawn on its background, but for rounding noise in at most 1 % of
// the pixels. The static fills its background before drawing the icon; every standard icon leaves
// the corner transparent, so the corner shows that background.
bool Shows(const Pixels& captured, LPCTSTR resource) {
    const HICON icon = ::LoadIcon(nullptr, resource);
    const std::uint32_t background = captured.rgb.front();
    Pixels drawn;
    const auto paint = [&](HDC memory, HDC) {
        HBRUSH brush = ::CreateSolidBrush(RGB(background >> 16 & 0xFF, background >> 8 & 0xFF, background & 0xFF));
        RECT all = {0, 0, captured.width, captured.height};
        ::FillRect(memory, &all, brush);
        ::DeleteObject(brush);
        return ::DrawIconEx(memory, 0, 0, icon, captured.width, captured.height, 0, nullptr, DI_NORMAL) != FALSE;
    };
    if (!icon || !PaintToPixels(captured.width, captured.height, paint, drawn)) {
        return false;
    }
    size_t different = 0;
    for (size_t i = 0; i < drawn.rgb.size(); ++i) {
        for (int shift = 0; shift <= 16; shift += 8) {
            const int mine = static_cast<int>(drawn.rgb[i] >> shift & 0xFF);
            if (std::abs(static_cast<int>(captured.rgb[i] >> shift & 0xFF) - mine) > 8) {
                ++different;
                break;
            }
        }
    }
    return different <= captured.rgb.size() / 100;
}
}  // namespace

const char* IdentifyBoxIcon(HWND box, const Run& run) {
    HWND control = nullptr;
    for (HWND child : ChildWindowsOf(box)) {
        const bool isIcon = (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (!control && isIcon && ClassOf(child) == L"Static") control = child;
    }
    DWORD_PTR icon = 0;
    if (!control || !::IsWindowVisible(control) || (Send(control, STM_GETICON, 0, 0, icon) && icon == 0)) return "none";
    const char* matched = "?";
    // Polled: the box may not have been painted (or its picture not yet reached the screen).
    const auto identified = [&] {
        RECT area;
        Pixels captured;
        if (!::GetWindowRect(control, &area) || !CaptureScreen(area, captured)) return false;
        int matches = 0;
        for (const auto& [name, resource] : kIcons) {
            if (!Shows(captured, resource)) continue;
            matched = name;
            ++matches;
        }
        if (matches != 1) matched = "?";
        return matches == 1;
    };
    run.WaitFor(identified, kPaintWaitMs);
    return matched;
}
