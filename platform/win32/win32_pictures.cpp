#include "platform/win32/win32_pictures.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "forms/runtime_error.h"
#include "platform/win32/smooth_scale.h"

namespace platform::win32 {

namespace {

[[noreturn]] void invalid(const std::string& why) {
    throw forms::RuntimeError(forms::errors::kInvalidPicture, "Invalid picture: " + why);
}

// "0x800A01E1": eight upper-case hexadecimal digits, written out here; the
// C library's formatted printing would bring MinGW's own printf, some 20 KB,
// into Install.exe for this one number.
std::string hresult(HRESULT hr) {
    std::string text = "0x00000000";
    auto bits = static_cast<std::uint32_t>(hr);
    for (std::size_t i = text.size(); i-- > 2; bits >>= 4) text[i] = "0123456789ABCDEF"[bits & 0xF];
    return text;
}

std::uint32_t u16(forms::FileImage b, std::size_t at) { return b[at] | b[at + 1] << 8; }

// Only the three formats the menu embeds go to the system's loader, which
// would take GIF and JPEG as well.
bool knownFormat(forms::FileImage f) {
    if (f.size() >= 2 && f[0] == 'B' && f[1] == 'M') return true;                   // BMP
    if (f.size() >= 6 && u16(f, 0) == 0 && u16(f, 2) == 1 && u16(f, 4) > 0) return true;  // ICO
    return f.size() >= 4 && (u16(f, 0) | u16(f, 2) << 16) == 0x9AC6CDD7;             // placeable WMF
}

BITMAPINFO topDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return info;
}

// A bitmap's pixels as 32-bit rows, top row first (a monochrome bitmap's
// bits as black and white); empty when GDI cannot read it.
std::vector<std::uint32_t> readPixels(HBITMAP bitmap, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    BITMAPINFO info = topDown32(width, height);
    HDC screen = CreateCompatibleDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteDC(screen);
    if (lines != height) pixels.clear();
    return pixels;
}

// A 32-bit top-down DIB section holding pixels.
HBITMAP dibOf(const Pixels& p) {
    BITMAPINFO info = topDown32(p.width, p.height);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (dib) std::memcpy(bits, p.argb.data(), p.argb.size() * sizeof p.argb[0]);
    return dib;
}

// A picture of the system's OLE picture object: a bitmap, an icon (the 32
// by 32 image of the file) or a metafile, drawn by IPicture::Render.
class OlePicture final : public Win32Picture {
public:
    explicit OlePicture(IPicture* picture) : picture_(picture) {
        picture_->get_Type(&type_);
        picture_->get_Width(&himetricWidth_);
        picture_->get_Height(&himetricHeight_);
        OLE_HANDLE handle = 0;
        picture_->get_Handle(&handle);
        measure(handle);
        if (type_ == PICTYPE_ICON) cursor_ = makeCursor(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)));
    }
    ~OlePicture() override {
        // Null handles are let go of harmlessly.
        DestroyCursor(scaledCursor_);
        DestroyCursor(cursor_);
        DeleteObject(scaled_);
        picture_->Release();
    }
    OlePicture(const OlePicture&) = delete;
    OlePicture& operator=(const OlePicture&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }

    HCURSOR cursor(int size) const override {
        // Only an icon has a cursor at its natural size.
        if (!cursor_ || (size == width_ && size == height_)) return cursor_;
        if (size != scaledCursorSize_) {
            DestroyCursor(scaledCursor_);
            scaledCursor_ = makeScaledCursor(size);
            scaledCursorSize_ = size;
        }
        return scaledCursor_ ? scaledCursor_ : cursor_;
    }

    void render(HDC dc, const RECT& rect, bool smooth) const override {
        const int w = rect.right - rect.left, h = rect.bottom - rect.top;
        if (w <= 0 || h <= 0) return;
        // A metafile has no rendition: it is played at any size.
        if (smooth && (w != width_ || h != height_))
            if (HBITMAP scaled = rendition(w, h)) {
                HDC memory = CreateCompatibleDC(dc);
                HGDIOBJ old = SelectObject(memory, scaled);
                // A bitmap's pixels are all opaque.
                const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
                GdiAlphaBlend(dc, rect.left, rect.top, w, h, memory, 0, 0, w, h, blend);
                SelectObject(memory, old);
                DeleteDC(memory);
                return;
            }
        // The source rectangle runs bottom-up in HIMETRIC: from the lower
        // left corner, upwards over the whole picture.
        picture_->Render(dc, rect.left, rect.top, w, h, 0, himetricHeight_, himetricWidth_, -himetricHeight_, nullptr);
    }

private:
    // Pixels as the picture has them; a metafile's natural size is its
    // bounding box at 96 pixels to the inch, the resolution the form lays
    // itself out at.
    void measure(OLE_HANDLE handle) {
        if (type_ == PICTYPE_BITMAP) {
            BITMAP bm{};
            if (GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof bm, &bm)) {
                width_ = bm.bmWidth;
                height_ = bm.bmHeight;
                return;
            }
        } else if (type_ == PICTYPE_ICON) {
            ICONINFO info{};
            if (GetIconInfo(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)), &info)) {
                BITMAP bm{};
                GetObjectW(info.hbmMask, sizeof bm, &bm);
                width_ = bm.bmWidth;
                height_ = info.hbmColor ? bm.bmHeight : bm.bmHeight / 2;  // a mono icon's mask holds both halves
                if (info.hbmColor) DeleteObject(info.hbmColor);
                DeleteObject(info.hbmMask);
                return;
            }
        }
        width_ = MulDiv(himetricWidth_, 96, 2540);
        height_ = MulDiv(himetricHeight_, 96, 2540);
    }

    // The picture at its natural size as premultiplied pixels: a bitmap is
    // opaque; a colour icon is transparent where its mask is set. Empty
    // when the system cannot hand out its bits (or for a monochrome icon).
    Pixels naturalPixels() const {
        OLE_HANDLE handle = 0;
        picture_->get_Handle(&handle);
        Pixels p{width_, height_, {}};
        if (type_ == PICTYPE_BITMAP) {
            p.argb = readPixels(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), width_, height_);
            for (std::uint32_t& pixel : p.argb) pixel |= 0xFF000000u;
            return p;
        }
        ICONINFO info{};
        if (type_ != PICTYPE_ICON || !GetIconInfo(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)), &info))
            return p;
        if (info.hbmColor) {
            p.argb = readPixels(info.hbmColor, width_, height_);
            const std::vector<std::uint32_t> mask = readPixels(info.hbmMask, width_, height_);
            if (mask.size() != p.argb.size()) p.argb.clear();
            for (std::size_t i = 0; i < p.argb.size(); ++i)
                p.argb[i] = (mask[i] & 0x00FFFFFFu) ? 0 : (p.argb[i] | 0xFF000000u);
            DeleteObject(info.hbmColor);
        }
        DeleteObject(info.hbmMask);
        return p;
    }

    // The picture resampled to w by h as a DIB section, kept until another
    // size is asked for; null when the system cannot hand out its bits.
    HBITMAP rendition(int w, int h) const {
        if (scaled_ && scaledWidth_ == w && scaledHeight_ == h) return scaled_;
        DeleteObject(scaled_);
        scaled_ = nullptr;
        Pixels natural = naturalPixels();
        if (natural.argb.empty()) return nullptr;
        scaled_ = dibOf(scaleSmoothly(natural, w, h));
        scaledWidth_ = w;
        scaledHeight_ = h;
        return scaled_;
    }

    // The pointer at size by size pixels, resampled smoothly: its alpha
    // gives the shape and the blended edges, so the mask stays empty.
    HCURSOR makeScaledCursor(int size) const {
        ICONINFO info{};
        info.fIcon = FALSE;
        info.xHotspot = static_cast<DWORD>(size / 2);
        info.yHotspot = static_cast<DWORD>(size / 2);
        info.hbmColor = rendition(size, size);
        if (!info.hbmColor) return nullptr;
        info.hbmMask = CreateBitmap(size, size, 1, 1, nullptr);
        HCURSOR cursor = reinterpret_cast<HCURSOR>(CreateIconIndirect(&info));  // null without a mask
        DeleteObject(info.hbmMask);
        return cursor;
    }

    // The same picture as a pointer, its hot spot in the centre: the icon
    // file carries none of its own.
    HCURSOR makeCursor(HICON icon) const {
        ICONINFO info{};
        if (!icon || !GetIconInfo(icon, &info)) return nullptr;
        info.fIcon = FALSE;
        info.xHotspot = static_cast<DWORD>(width_ / 2);
        info.yHotspot = static_cast<DWORD>(height_ / 2);
        HCURSOR cursor = reinterpret_cast<HCURSOR>(CreateIconIndirect(&info));
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return cursor;
    }

    IPicture* picture_;
    short type_ = PICTYPE_NONE;
    OLE_XSIZE_HIMETRIC himetricWidth_ = 0;
    OLE_YSIZE_HIMETRIC himetricHeight_ = 0;
    int width_ = 0, height_ = 0;
    HCURSOR cursor_ = nullptr;
    // The last smooth rendition and the last pointer of another size than
    // the natural one: a window asks for one size until its DPI changes.
    mutable HBITMAP scaled_ = nullptr;
    mutable int scaledWidth_ = 0, scaledHeight_ = 0;
    mutable HCURSOR scaledCursor_ = nullptr;
    mutable int scaledCursorSize_ = 0;
};

}  // namespace

std::unique_ptr<forms::Picture> Win32PictureLoader::load(forms::FileImage f) {
    if (!knownFormat(f)) invalid("not a BMP, ICO or placeable WMF file image");
    if (f.size() > 0x7FFFFFFF) invalid("the file image is too large");
    // The system's loader reads from a stream over a copy of the file image
    // in memory; the stream frees the copy.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, f.size());
    if (!memory) throw forms::RuntimeError(forms::errors::kOutOfMemory, "Out of memory");
    std::memcpy(GlobalLock(memory), f.data(), f.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        throw forms::RuntimeError(forms::errors::kOutOfMemory, "Out of memory");
    }
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(f.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || !picture) invalid("the system cannot load this file image (" + hresult(hr) + ")");
    return std::make_unique<OlePicture>(picture);
}

HCURSOR cursorFromPicture(const forms::Picture& picture, int size) {
    return static_cast<const Win32Picture&>(picture).cursor(size);
}

}  // namespace platform::win32
