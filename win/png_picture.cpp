#include "win/png_picture.h"

#include <objidl.h>
// GDI+'s headers use min and max as the platform's headers define them.
#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include <vector>

namespace mensora {
namespace {

// GDI+ for the length of one save.
class GdiplusSession {
public:
    GdiplusSession() {
        const Gdiplus::GdiplusStartupInput input;
        started_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (started_) Gdiplus::GdiplusShutdown(token_);
    }
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool started() const { return started_; }

private:
    ULONG_PTR token_ = 0;
    bool started_ = false;
};

// The installed encoder for image/png, found by its type rather than a fixed class id.
bool findPngEncoder(CLSID& encoder) {
    UINT count = 0;
    UINT bytes = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
    std::vector<BYTE> room(bytes);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(room.data());
    if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (lstrcmpiW(encoders[i].MimeType, L"image/png") == 0) {
            encoder = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

}  // namespace

bool savePngPicture(HBITMAP bitmap, const std::wstring& path) {
    const GdiplusSession session;
    CLSID encoder{};
    if (!session.started() || !findPngEncoder(encoder)) return false;
    Gdiplus::Bitmap picture(bitmap, nullptr);
    return picture.GetLastStatus() == Gdiplus::Ok &&
           picture.Save(path.c_str(), &encoder, nullptr) == Gdiplus::Ok;
}

}  // namespace mensora
