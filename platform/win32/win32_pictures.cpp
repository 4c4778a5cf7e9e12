#include "platform/win32/win32_pictures.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "forms/runtime_error.h"
#include "platform/win32/file_images.h"
#include "platform/win32/smooth_scale.h"

namespace platform::win32 {

namespace {

[[noreturn]] void refusedBySystem() {
    throw forms::RuntimeError(forms::errors::kInvalidPicture, "Invalid picture: the system cannot load this file image");
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

// What every picture kind shares: the smooth rendition for drawing at
// another size than the natural one, resampled from the natural pixels once
// for each size and kept until another size is asked for (a window asks for
// one size until its DPI changes).
class ScaledPicture : public Win32Picture {
public:
    ~ScaledPicture() override { DeleteObject(scaled_); }

    int width() const override { return width_; }
    int height() const override { return height_; }

protected:
    ScaledPicture(int width, int height) : width_(width), height_(height) {}
    ScaledPicture(const ScaledPicture&) = delete;
    ScaledPicture& operator=(const ScaledPicture&) = delete;

    // The picture at its natural size as premultiplied pixels; empty when
    // it has none to give.
    virtual Pixels naturalPixels() const = 0;

    // Draws the rendition of rect's size; false when there is none.
    bool renderSmoothly(HDC dc, const RECT& rect) const {
        const int w = rect.right - rect.left, h = rect.bottom - rect.top;
        HBITMAP scaled = rendition(w, h);
        if (!scaled) return false;
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, scaled);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        GdiAlphaBlend(dc, rect.left, rect.top, w, h, memory, 0, 0, w, h, blend);
        SelectObject(memory, old);
        DeleteDC(memory);
        return true;
    }

    // The rendition at w by h as a DIB section; null when the picture
    // gives no pixels.
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

    int width_, height_;

private:
    mutable HBITMAP scaled_ = nullptr;
    mutable int scaledWidth_ = 0, scaledHeight_ = 0;
};

// A bitmap drawn straight from the pixels of its file image: nothing is
// decoded or copied until it is drawn at another size than its own, and
// then only the rows a paint needs are resampled, each once: the first
// frame at 150 % does not wait for the whole background to be enlarged.
class BitmapPicture final : public ScaledPicture {
public:
    explicit BitmapPicture(const BitmapParts& parts)
        : ScaledPicture(parts.width, parts.height),
          info_(reinterpret_cast<const BITMAPINFO*>(parts.info)),
          bits_(parts.bits),
          bottomUp_(parts.bottomUp) {}
    ~BitmapPicture() override { DeleteObject(bands_); }

    void render(HDC dc, const RECT& rect, bool smooth) const override {
        const int w = rect.right - rect.left, h = rect.bottom - rect.top;
        if (w <= 0 || h <= 0) return;
        if (w == width_ && h == height_) return renderNatural(dc, rect);
        if (smooth && renderBands(dc, rect)) return;
        StretchDIBits(dc, rect.left, rect.top, w, h, 0, 0, width_, height_, bits_, info_, DIB_RGB_COLORS, SRCCOPY);
    }

private:
    // The rendition at rect's size, its rows resampled as the clip first
    // asks for them; false when there is none to be had.
    bool renderBands(HDC dc, const RECT& rect) const {
        const int w = rect.right - rect.left, h = rect.bottom - rect.top;
        if (!bands_ || bandsWidth_ != w || static_cast<int>(resampled_.size()) != h) {
            DeleteObject(bands_);
            BITMAPINFO info = topDown32(w, h);
            void* bits = nullptr;
            bands_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (!bands_) return false;
            bandBits_ = static_cast<std::uint32_t*>(bits);
            bandsWidth_ = w;
            resampled_.assign(static_cast<std::size_t>(h), false);
        }
        RECT clip{};
        if (GetClipBox(dc, &clip) == ERROR) return true;
        const int first = std::max(0, static_cast<int>(clip.top - rect.top));
        const int last = std::min(h, static_cast<int>(clip.bottom - rect.top));
        for (int y = first; y < last;) {
            if (resampled_[y]) {
                ++y;
                continue;
            }
            int end = y;
            while (end < last && !resampled_[end]) resampled_[end++] = true;
            if (!resample(y, end, w, h)) return false;
            y = end;
        }
        GdiFlush();  // the rows are written before GDI reads them
        // An opaque picture: copied, not blended.
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bands_);
        const int left = std::max(rect.left, clip.left), right = std::min(rect.right, clip.right);
        if (last > first && right > left)
            BitBlt(dc, left, rect.top + first, right - left, last - first, memory, left - rect.left, first, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        return true;
    }

    // Resamples rows first to last of the rendition, w by h, from the
    // file's own rows where they are 24-bit (the background's format, which
    // the build checks), else from GDI's reading of the whole bitmap.
    bool resample(int first, int last, int w, int h) const {
        RowReader read;
        if (info_->bmiHeader.biBitCount == 24) {
            const std::size_t stride = (static_cast<std::size_t>(width_) * 3 + 3) & ~std::size_t{3};
            read = [&](int row, std::uint32_t* out) {
                const auto* p = static_cast<const std::uint8_t*>(bits_) +
                                stride * static_cast<std::size_t>(bottomUp_ ? height_ - 1 - row : row);
                for (int x = 0; x < width_; ++x, p += 3)
                    out[x] = 0xFF000000u | p[0] | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
            };
        } else {
            if (natural_.argb.empty()) natural_ = naturalPixels();
            if (natural_.argb.empty()) return false;
            read = [&](int row, std::uint32_t* out) {
                std::copy_n(&natural_.argb[static_cast<std::size_t>(row) * width_], width_, out);
            };
        }
        scaleRowsSmoothly(width_, height_, read, w, h, first, last, bandBits_ + static_cast<std::size_t>(first) * w,
                          static_cast<std::size_t>(w));
        return true;
    }

    // Only the rows and columns the clip lets through are handed to GDI: a
    // repaint of a label's box converts that box's pixels, not the bitmap's.
    void renderNatural(HDC dc, const RECT& rect) const {
        RECT clip{};
        if (GetClipBox(dc, &clip) == ERROR) return;
        const int left = std::max(rect.left, clip.left), top = std::max(rect.top, clip.top);
        const int w = std::min(rect.right, clip.right) - left, h = std::min(rect.bottom, clip.bottom) - top;
        if (w <= 0 || h <= 0) return;
        const int x = left - rect.left, y = top - rect.top;
        // The source rectangle's y is counted from the bottom row for a
        // bitmap stored bottom-up.
        const int sourceY = bottomUp_ ? height_ - y - h : y;
        SetDIBitsToDevice(dc, left, top, static_cast<DWORD>(w), static_cast<DWORD>(h), x, sourceY, 0,
                          static_cast<UINT>(height_), bits_, info_, DIB_RGB_COLORS);
    }

    Pixels naturalPixels() const override {
        HDC screen = GetDC(nullptr);
        HBITMAP bitmap = CreateDIBitmap(screen, &info_->bmiHeader, CBM_INIT, bits_, info_, DIB_RGB_COLORS);
        ReleaseDC(nullptr, screen);
        Pixels p{width_, height_, bitmap ? readPixels(bitmap, width_, height_) : std::vector<std::uint32_t>{}};
        DeleteObject(bitmap);
        for (std::uint32_t& pixel : p.argb) pixel |= 0xFF000000u;  // a bitmap is opaque
        return p;
    }

    const BITMAPINFO* info_;
    const void* bits_;
    bool bottomUp_;
    mutable HBITMAP bands_ = nullptr;  // the rendition at the size drawn last
    mutable std::uint32_t* bandBits_ = nullptr;
    mutable int bandsWidth_ = 0;
    mutable std::vector<bool> resampled_;  // by row of the rendition
    mutable Pixels natural_;               // for a bitmap of another format than 24-bit
};

// An icon made by the system from the image of its file image a control
// shows; also the pointer of a control's MouseIcon.
class IconPicture final : public ScaledPicture {
public:
    explicit IconPicture(const IconParts& parts) : ScaledPicture(parts.width, parts.height) {
        icon_ = CreateIconFromResourceEx(const_cast<BYTE*>(parts.image.data()), static_cast<DWORD>(parts.image.size()),
                                         TRUE, 0x00030000, width_, height_, LR_DEFAULTCOLOR);
        if (!icon_ || !GetIconInfo(icon_, &bitmaps_)) refusedBySystem();
    }
    ~IconPicture() override {
        // Null handles are let go of harmlessly.
        DestroyCursor(scaledCursor_);
        DestroyCursor(cursor_);
        DestroyIcon(icon_);
        DeleteObject(bitmaps_.hbmColor);
        DeleteObject(bitmaps_.hbmMask);
    }

    void render(HDC dc, const RECT& rect, bool smooth) const override {
        const int w = rect.right - rect.left, h = rect.bottom - rect.top;
        if (w <= 0 || h <= 0) return;
        if (w == width_ && h == height_) {
            DrawIconEx(dc, rect.left, rect.top, icon_, w, h, 0, nullptr, DI_NORMAL);
            return;
        }
        if (smooth && renderSmoothly(dc, rect)) return;
        // Stretched as GDI stretches: the mask cuts the shape out, the
        // colours are laid into it.
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, bitmaps_.hbmMask);
        const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
        const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
        StretchBlt(dc, rect.left, rect.top, w, h, memory, 0, 0, width_, height_, SRCAND);
        if (bitmaps_.hbmColor) {
            SelectObject(memory, bitmaps_.hbmColor);
            StretchBlt(dc, rect.left, rect.top, w, h, memory, 0, 0, width_, height_, SRCINVERT);
        }
        SetBkColor(dc, oldBack);
        SetTextColor(dc, oldText);
        SelectObject(memory, old);
        DeleteDC(memory);
    }

    HCURSOR cursor(int size) const override {
        // The same picture as a pointer, its hot spot in the centre (the
        // icon file carries none of its own), made when first asked for:
        // most pictures are never pointers.
        if (!cursor_) cursor_ = makeCursor(bitmaps_.hbmColor, bitmaps_.hbmMask, width_ / 2);
        if (!cursor_ || (size == width_ && size == height_)) return cursor_;
        if (size != scaledCursorSize_) {
            DestroyCursor(scaledCursor_);
            // Resampled smoothly: its alpha gives the shape and the blended
            // edges, so the mask stays empty.
            HBITMAP colour = rendition(size, size);
            HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);
            scaledCursor_ = colour ? makeCursor(colour, mask, size / 2) : nullptr;
            DeleteObject(mask);
            scaledCursorSize_ = size;
        }
        return scaledCursor_ ? scaledCursor_ : cursor_;
    }

private:
    // Transparent where the mask is set; empty for a monochrome icon, which
    // has no colour bitmap to smooth.
    Pixels naturalPixels() const override {
        Pixels p{width_, height_, {}};
        if (!bitmaps_.hbmColor) return p;
        p.argb = readPixels(bitmaps_.hbmColor, width_, height_);
        const std::vector<std::uint32_t> mask = readPixels(bitmaps_.hbmMask, width_, height_);
        if (mask.size() != p.argb.size()) p.argb.clear();
        for (std::size_t i = 0; i < p.argb.size(); ++i)
            p.argb[i] = (mask[i] & 0x00FFFFFFu) ? 0 : (p.argb[i] | 0xFF000000u);
        return p;
    }

    // A pointer of these bitmaps (the system copies them), its hot spot at
    // (hotSpot, hotSpot).
    static HCURSOR makeCursor(HBITMAP colour, HBITMAP mask, int hotSpot) {
        ICONINFO info{FALSE, static_cast<DWORD>(hotSpot), static_cast<DWORD>(hotSpot), mask, colour};
        return reinterpret_cast<HCURSOR>(CreateIconIndirect(&info));  // null without a mask
    }

    HICON icon_ = nullptr;
    ICONINFO bitmaps_{};  // the icon's colour bitmap (none when monochrome) and mask
    mutable HCURSOR cursor_ = nullptr;
    // The last pointer of another size than the natural one.
    mutable HCURSOR scaledCursor_ = nullptr;
    mutable int scaledCursorSize_ = 0;
};

// A placeable metafile, played by the system into the box it is drawn in,
// at any size: its bounding box is mapped onto the box.
class MetafilePicture final : public Win32Picture {
public:
    explicit MetafilePicture(const MetafileParts& parts) : parts_(parts) {
        metafile_ = SetMetaFileBitsEx(static_cast<UINT>(parts.metafile.size()), parts.metafile.data());
        if (!metafile_) refusedBySystem();
        // The bounding box at 96 pixels to the inch, the resolution the form
        // lays itself out at, by way of hundredths of a millimetre as the
        // system's picture object measured it.
        width_ = MulDiv(MulDiv(parts.right - parts.left, 2540, parts.unitsPerInch), 96, 2540);
        height_ = MulDiv(MulDiv(parts.bottom - parts.top, 2540, parts.unitsPerInch), 96, 2540);
    }
    ~MetafilePicture() override { DeleteMetaFile(metafile_); }
    MetafilePicture(const MetafilePicture&) = delete;
    MetafilePicture& operator=(const MetafilePicture&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }

    void render(HDC dc, const RECT& rect, bool) const override {
        if (rect.right <= rect.left || rect.bottom <= rect.top) return;
        // The box's corner in device units of dc, whose viewport is moved
        // in a paint into a memory bitmap of the dirty area.
        POINT corner{};
        GetViewportOrgEx(dc, &corner);
        corner.x += rect.left;
        corner.y += rect.top;
        const int saved = SaveDC(dc);
        SetMapMode(dc, MM_ANISOTROPIC);
        SetWindowOrgEx(dc, parts_.left, parts_.top, nullptr);
        SetWindowExtEx(dc, parts_.right - parts_.left, parts_.bottom - parts_.top, nullptr);
        SetViewportOrgEx(dc, corner.x, corner.y, nullptr);
        SetViewportExtEx(dc, rect.right - rect.left, rect.bottom - rect.top, nullptr);
        PlayMetaFile(dc, metafile_);
        RestoreDC(dc, saved);
    }

private:
    MetafileParts parts_;
    HMETAFILE metafile_ = nullptr;
    int width_ = 0, height_ = 0;
};

}  // namespace

std::unique_ptr<forms::Picture> Win32PictureLoader::load(forms::FileImage f) {
    // Each picture is checked whole here, when its control is created, and
    // the system makes its icon or metafile now: a bad one is refused at
    // once, never when it is first drawn.
    if (f.size() >= 2 && f[0] == 'B' && f[1] == 'M') return std::make_unique<BitmapPicture>(bitmapParts(f));
    if (f.size() >= 4 && f[0] == 0xD7 && f[1] == 0xCD && f[2] == 0xC6 && f[3] == 0x9A)
        return std::make_unique<MetafilePicture>(metafileParts(f));
    if (f.size() >= 4 && f[0] == 0 && f[1] == 0 && f[2] == 1 && f[3] == 0)
        return std::make_unique<IconPicture>(iconParts(f));
    throw forms::RuntimeError(forms::errors::kInvalidPicture,
                              "Invalid picture: not a BMP, ICO or placeable WMF file image");
}

HCURSOR cursorFromPicture(const forms::Picture& picture, int size) {
    return static_cast<const Win32Picture&>(picture).cursor(size);
}

}  // namespace platform::win32
