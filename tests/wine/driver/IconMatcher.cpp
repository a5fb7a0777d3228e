#include "IconMatcher.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "WindowQuery.h"

namespace {
// The driver links no import library beyond the runtime's defaults, which for a console program
// leave out gdi32; its few drawing calls are looked up once instead.
struct Gdi {
    decltype(&::CreateCompatibleDC) createCompatibleDC;
    decltype(&::CreateDIBSection) createDIBSection;
    decltype(&::SelectObject) selectObject;
    decltype(&::BitBlt) bitBlt;
    decltype(&::GdiFlush) gdiFlush;
    decltype(&::DeleteObject) deleteObject;
    decltype(&::DeleteDC) deleteDC;
    decltype(&::CreateSolidBrush) createSolidBrush;
    bool loaded = false;
};

template <typename Function>
bool Resolve(HMODULE module, const char* name, Function& function) {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    return function != nullptr;
}

const Gdi& GdiCalls() {
    static const Gdi gdi = [] {
        Gdi g = {};
        HMODULE module = ::LoadLibraryW(L"gdi32.dll");
        g.loaded = module && Resolve(module, "CreateCompatibleDC", g.createCompatibleDC) &&
                   Resolve(module, "CreateDIBSection", g.createDIBSection) &&
                   Resolve(module, "SelectObject", g.selectObject) && Resolve(module, "BitBlt", g.bitBlt) &&
                   Resolve(module, "GdiFlush", g.gdiFlush) && Resolve(module, "DeleteObject", g.deleteObject) &&
                   Resolve(module, "DeleteDC", g.deleteDC) && Resolve(module, "CreateSolidBrush", g.createSolidBrush);
        return g;
    }();
    return gdi;
}

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

// A picture as 0x00RRGGBB pixels, top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
};

// Runs `paint` on a memory DC holding a top-down 32-bit DIB of the given size and returns its pixels.
template <typename Paint>
bool PaintToPixels(int width, int height, Paint paint, Pixels& out) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const Gdi& gdi = GdiCalls();
    if (!gdi.loaded) return false;
    HDC screen = ::GetDC(nullptr);
    HDC memory = gdi.createCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = gdi.createDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (memory && bitmap && bits) {
        HGDIOBJ old = gdi.selectObject(memory, bitmap);
        ok = paint(memory, screen);
        gdi.gdiFlush();
        gdi.selectObject(memory, old);
        if (ok) {
            const auto* source = static_cast<const std::uint32_t*>(bits);
            out.width = width;
            out.height = height;
            out.rgb.assign(source, source + static_cast<size_t>(width) * static_cast<size_t>(height));
            for (std::uint32_t& pixel : out.rgb) pixel &= 0x00FFFFFFu;
        }
    }
    if (bitmap) gdi.deleteObject(bitmap);
    if (memory) gdi.deleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

bool CaptureScreen(const RECT& area, Pixels& out) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    return PaintToPixels(width, height, [&](HDC memory, HDC screen) {
        return GdiCalls().bitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != FALSE;
    }, out);
}

bool RenderIcon(LPCWSTR resource, int width, int height, std::uint32_t background, Pixels& out) {
    HICON icon = ::LoadIconW(nullptr, resource);
    if (!icon) return false;
    return PaintToPixels(width, height, [&](HDC memory, HDC) {
        const COLORREF color = RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);
        HBRUSH brush = GdiCalls().createSolidBrush(color);
        RECT all = {0, 0, width, height};
        ::FillRect(memory, &all, brush);
        GdiCalls().deleteObject(brush);
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
    if (::SendMessageTimeoutW(control, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &icon) && icon == 0) {
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
