#include "platform/win32/win32_pictures.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "forms/runtime_error.h"

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
        if (cursor_) DestroyCursor(cursor_);
        picture_->Release();
    }
    OlePicture(const OlePicture&) = delete;
    OlePicture& operator=(const OlePicture&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }
    HCURSOR cursor() const override { return cursor_; }

    void render(HDC dc, const forms::PixelRect& box, bool stretch) const override {
        const int w = stretch ? box.width : width_, h = stretch ? box.height : height_;
        // The source rectangle runs bottom-up in HIMETRIC: from the lower
        // left corner, upwards over the whole picture.
        picture_->Render(dc, box.left, box.top, w, h, 0, himetricHeight_, himetricWidth_, -himetricHeight_, nullptr);
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

HCURSOR cursorFromPicture(const forms::Picture& picture) {
    return static_cast<const Win32Picture&>(picture).cursor();
}

}  // namespace platform::win32
