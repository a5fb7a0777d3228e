#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Pictures of real windows, for people to look at (the README's, the end-to-end runs' artifacts).

// A picture as 0x00RRGGBB pixels, top row first.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
    bool operator==(const Pixels& other) const {
        return width == other.width && height == other.height && rgb == other.rgb;
    }
};

// Runs `paint(memory, screen)` on a memory DC holding a top-down 32-bit DIB of the given size and
// returns its pixels.
template <typename Paint>
bool PaintToPixels(int width, int height, Paint paint, Pixels& out) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (memory && bitmap && bits) {
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ok = paint(memory, screen);
        ::GdiFlush();
        ::SelectObject(memory, old);
        if (ok) {
            const auto* source = static_cast<const std::uint32_t*>(bits);
            out.width = width;
            out.height = height;
            out.rgb.assign(source, source + static_cast<size_t>(width) * static_cast<size_t>(height));
            for (std::uint32_t& pixel : out.rgb) pixel &= 0x00FFFFFFu;
        }
    }
    if (bitmap) ::DeleteObject(bitmap);
    if (memory) ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return ok;
}

// What the screen shows in `area` (screen coordinates).
bool CaptureScreen(const RECT& area, Pixels& out);

// Saves what the screen shows of `window` (its whole window rectangle) as a 24-bit .bmp file once
// the program has painted it: no update region left in it or its children, and two captures in a
// row alike. The foreground window is first drawn active: under Wine a program may activate its
// dialog before it owns the foreground and never redraw the caption once it does. The caller makes
// sure nothing covers the window. False (with the reason in `error`) when `milliseconds` pass first.
bool SaveWindowBitmap(HWND window, const std::wstring& file, DWORD milliseconds, std::string& error);

// The same for a window that `cover` (a box of its own, say) may hide: the cover is moved just below
// the window, or above it where the screen ends, and the window's picture is taken once it has
// repainted.
bool SaveUncoveredWindowBitmap(HWND window, HWND cover, const std::wstring& file, DWORD milliseconds,
                               std::string& error);
