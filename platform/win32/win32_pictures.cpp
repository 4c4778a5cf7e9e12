#include "platform/win32/win32_pictures.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "forms/runtime_error.h"

namespace platform::win32 {

namespace {

constexpr int kInvalidPicture = 481;
constexpr int kOutOfMemory = 7;
constexpr int kHimetricPerInch = 2540;
constexpr int kDotsPerInch = 96;  // the screen the form's twips are laid out for

// A picture decoded by OleLoadPicture, which reads the three formats of the
// form's pictures (BMP, ICO, placeable WMF) and draws icons and metafiles
// with their transparency.
class OlePicture final : public Win32Picture {
public:
    explicit OlePicture(IPicture* picture) : picture_(picture) {
        picture_->get_Width(&hmWidth_);
        picture_->get_Height(&hmHeight_);
        width_ = MulDiv(static_cast<int>(hmWidth_), kDotsPerInch, kHimetricPerInch);
        height_ = MulDiv(static_cast<int>(hmHeight_), kDotsPerInch, kHimetricPerInch);
    }
    ~OlePicture() override {
        if (cursor_) DestroyCursor(cursor_);
        picture_->Release();
    }
    OlePicture(const OlePicture&) = delete;
    OlePicture& operator=(const OlePicture&) = delete;

    int width() const override { return width_; }
    int height() const override { return height_; }

    void render(HDC dc, const forms::PixelRect& box, bool stretch) const override {
        const int cx = stretch ? box.width : width_;
        const int cy = stretch ? box.height : height_;
        // The source rectangle runs bottom-up in HIMETRIC, as IPicture wants it.
        picture_->Render(dc, box.left, box.top, cx, cy, 0, hmHeight_, hmWidth_, -hmHeight_, nullptr);
    }

    // Made once, from the icon: an icon file carries no hot spot, so the
    // pointer's is the picture's centre.
    HCURSOR cursor() const override {
        if (!cursorTried_) {
            cursorTried_ = true;
            cursor_ = makeCursor();
        }
        return cursor_;
    }

private:
    HCURSOR makeCursor() const {
        SHORT type = PICTYPE_NONE;
        OLE_HANDLE handle = 0;
        if (FAILED(picture_->get_Type(&type)) || type != PICTYPE_ICON) return nullptr;
        if (FAILED(picture_->get_Handle(&handle))) return nullptr;
        // OLE_HANDLE is 32 bits wide; user handles are sign-extended to a pointer.
        HICON icon = reinterpret_cast<HICON>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
        ICONINFO info{};
        if (!GetIconInfo(icon, &info)) return nullptr;
        info.fIcon = FALSE;
        info.xHotspot = static_cast<DWORD>(width_ / 2);
        info.yHotspot = static_cast<DWORD>(height_ / 2);
        HCURSOR made = CreateIconIndirect(&info);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        return made;
    }

    IPicture* picture_;
    OLE_XSIZE_HIMETRIC hmWidth_ = 0;
    OLE_YSIZE_HIMETRIC hmHeight_ = 0;
    int width_ = 0, height_ = 0;
    mutable HCURSOR cursor_ = nullptr;
    mutable bool cursorTried_ = false;
};

}  // namespace

std::unique_ptr<forms::Picture> Win32PictureLoader::load(forms::FileImage fileImage) {
    if (fileImage.empty()) throw forms::RuntimeError(kInvalidPicture, "Invalid picture");
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, fileImage.size());
    if (!memory) throw forms::RuntimeError(kOutOfMemory, "Out of memory");
    std::memcpy(GlobalLock(memory), fileImage.data(), fileImage.size());
    GlobalUnlock(memory);

    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, &stream))) {
        GlobalFree(memory);
        throw forms::RuntimeError(kOutOfMemory, "Out of memory");
    }
    IPicture* picture = nullptr;
    HRESULT hr = OleLoadPicture(stream, static_cast<LONG>(fileImage.size()), FALSE, IID_IPicture,
                                reinterpret_cast<void**>(&picture));
    stream->Release();  // frees the memory too
    if (FAILED(hr) || !picture) throw forms::RuntimeError(kInvalidPicture, "Invalid picture");
    return std::make_unique<OlePicture>(picture);
}

HCURSOR cursorFromPicture(const forms::Picture& picture) {
    return static_cast<const Win32Picture&>(picture).cursor();
}

}  // namespace platform::win32
