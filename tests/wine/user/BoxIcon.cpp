#include "BoxIcon.h"

#include <cstdint>
#include <cstdlib>

#include "WindowPicture.h"

namespace {
constexpr DWORD kPaintWaitMs = 5000;

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
    return icon && PaintToPixels(width, height, [&](HDC memory, HDC) {
        HBRUSH brush = ::CreateSolidBrush(RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF));
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
            if (std::abs(left - static_cast<int>((b.rgb[i] >> shift) & 0xFF)) > 8) {
                ++different;
                break;
            }
        }
    }
    return different;
}

// The one candidate the captured pixels match, or Unknown when none or more than one does. The
// static fills its background before drawing the icon; every standard icon leaves the corner
// transparent, so the corner shows that background.
BoxIcon Match(const Pixels& captured) {
    BoxIcon matched = BoxIcon::Unknown;
    int matches = 0;
    for (const Candidate& candidate : kCandidates) {
        Pixels rendered;
        if (RenderIcon(candidate.resource, captured.width, captured.height, captured.rgb.front(), rendered) &&
            CountDifferent(captured, rendered) <= captured.rgb.size() / 100) {
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

BoxIcon IdentifyBoxIcon(HWND box, const Run& run) {
    HWND control = nullptr;
    for (HWND child : ChildWindowsOf(box)) {
        const bool isIcon = (::GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (!control && isIcon && ClassOf(child) == L"Static") control = child;
    }
    DWORD_PTR icon = 0;
    if (!control || !::IsWindowVisible(control) || (Send(control, STM_GETICON, 0, 0, icon) && icon == 0)) {
        return BoxIcon::None;
    }
    BoxIcon result = BoxIcon::Unknown;
    // Polled: the box may not have been painted (or its picture not yet reached the screen).
    run.WaitFor([&] {
        RECT area;
        Pixels captured;
        if (!::GetWindowRect(control, &area) || !CaptureScreen(area, captured)) return false;
        result = Match(captured);
        return result != BoxIcon::Unknown;
    }, kPaintWaitMs);
    return result;
}

