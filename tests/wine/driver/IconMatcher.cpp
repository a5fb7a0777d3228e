#include "IconMatcher.h"

#include <cstdint>
#include <cstdlib>

#include "ScreenCapture.h"
#include "WindowQuery.h"

namespace {
struct Candidate {
    BoxIcon icon;
    LPCWSTR resource;
};
const Candidate kCandidates[] = {
    {BoxIcon::Warning, reinterpret_cast<LPCWSTR>(IDI_WARNING)},
    {BoxIcon::Information, reinterpret_cast<LPCWSTR>(IDI_INFORMATION)},
    {BoxIcon::Question, reinterpret_cast<LPCWSTR>(IDI_QUESTION)},
    {BoxIcon::Error, reinterpret_cast<LPCWSTR>(IDI_ERROR)},
};

bool RenderIcon(LPCWSTR resource, int width, int height, std::uint32_t background, Pixels& out) {
    HICON icon = ::LoadIconW(nullptr, resource);
    if (!icon) return false;
    return PaintToPixels(width, height, [&](HDC memory, HDC) {
        const COLORREF color = RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);
        HBRUSH brush = ::CreateSolidBrush(color);
        RECT all = {0, 0, width, height};
        ::FillRect(memory, &all, brush);
        ::DeleteObject(brush);
        return ::DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL) != FALSE;
    }, out);
}

// Pixels whose colour differs by more than rounding noise.
size_t CountDifferent(const Pixels& a, const Pixels& b) {
    size_t different = 0;
    for (size_t i = 0; i < a.rgb.size(); ++i) {
        for (int shift = 0; shift <= 16; shift += 8) {
            const int left = static_cast<int>((a.rgb[i] >> shift) & 0xFF);
            const int right = static_cast<int>((b.rgb[i] >> shift) & 0xFF);
            if (std::abs(left - right) > 8) {
                ++different;
                break;
            }
        }
    }
    return different;
}

HWND FindIconControl(HWND box) {
    for (HWND child : ChildWindowsOf(box)) {
        if (ClassOf(child) == L"Static" && (StyleOf(child) & SS_TYPEMASK) == SS_ICON) return child;
    }
    return nullptr;
}

// The one candidate the captured pixels match, or Unknown when none or more than one does.
BoxIcon Match(const Pixels& captured) {
    // The static fills its background before drawing the icon; every standard icon leaves the
    // corner transparent, so the corner shows that background.
    const std::uint32_t background = captured.rgb.front();
    const size_t allowed = captured.rgb.size() / 100;
    BoxIcon matched = BoxIcon::Unknown;
    int matches = 0;
    for (const Candidate& candidate : kCandidates) {
        Pixels rendered;
        if (!RenderIcon(candidate.resource, captured.width, captured.height, background, rendered)) continue;
        if (CountDifferent(captured, rendered) <= allowed) {
            matched = candidate.icon;
            ++matches;
        }
    }
    return matches == 1 ? matched : BoxIcon::Unknown;
}
}  // namespace

const char* BoxIconName(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::None: return "none";
    case BoxIcon::Warning: return "warning";
    case BoxIcon::Information: return "information";
    case BoxIcon::Question: return "question";
    case BoxIcon::Error: return "error";
    case BoxIcon::Unknown: break;
    }
    return "?";
}

BoxIcon IdentifyBoxIcon(HWND box, RunContext& context, DWORD milliseconds) {
    HWND control = FindIconControl(box);
    if (!control || !::IsWindowVisible(control)) return BoxIcon::None;
    DWORD_PTR icon = 0;
    if (::SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_NORMAL, 5000, &icon) && icon == 0) {
        return BoxIcon::None;
    }
    BoxIcon result = BoxIcon::Unknown;
    // Polled: the box may not have been painted (or its picture not yet reached the screen).
    context.WaitFor([&] {
        RECT area;
        if (!::GetWindowRect(control, &area) || area.right <= area.left || area.bottom <= area.top) return false;
        Pixels captured;
        if (!CaptureScreen(area, captured)) return false;
        result = Match(captured);
        return result != BoxIcon::Unknown;
    }, milliseconds);
    return result;
}
