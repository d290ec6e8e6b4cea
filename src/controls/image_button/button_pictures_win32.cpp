#include "controls/image_button/button_pictures_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/dib_section_win32.h"
#include "controls/image_button/image_button_resources.h"

#include <cstring>
#include <map>
#include <string>

namespace quorrin {

namespace {

constexpr WORD kBitsPerBgraPixel = 32;

UniqueBitmap LoadPicture(HINSTANCE module, WORD id) {
    // LR_CREATEDIBSECTION keeps the stored pixel format (32-bit with alpha for the icons)
    // instead of converting to the screen's format.
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) LogLastError(L"LoadImageW(button picture " + std::to_wstring(id) + L")");
    return bitmap;
}

// The icon's pixels, rows from the top, alpha premultiplied; empty unless 32-bit.
BgraPicture LoadIconPixels(HINSTANCE module, WORD id) {
    BgraPicture picture;
    const UniqueBitmap bitmap = LoadPicture(module, id);
    DIBSECTION section{};
    if (!bitmap || GetObjectW(bitmap.Get(), sizeof(section), &section) != sizeof(section)) {
        return picture;
    }
    const BITMAP& info = section.dsBm;
    if (info.bmBitsPixel != kBitsPerBgraPixel || info.bmBits == nullptr) {
        LogDebug(L"ButtonPictures", L"icon " + std::to_wstring(id) + L" is not 32-bit");
        return picture;
    }
    picture.width = info.bmWidth;
    picture.height = info.bmHeight;
    const size_t rowBytes = static_cast<size_t>(info.bmWidth) * kBytesPerBgraPixel;
    picture.bytes.resize(rowBytes * info.bmHeight);
    // A DIB with a positive height stores its bottom row first.
    const bool bottomUp = section.dsBmih.biHeight > 0;
    const auto* bits = static_cast<const uint8_t*>(info.bmBits);
    for (LONG y = 0; y < info.bmHeight; ++y) {
        const LONG sourceRow = bottomUp ? info.bmHeight - 1 - y : y;
        std::memcpy(picture.bytes.data() + rowBytes * y,
                    bits + static_cast<size_t>(info.bmWidthBytes) * sourceRow, rowBytes);
    }
    PremultiplyAlpha(picture.bytes);
    return picture;
}

}  // namespace

std::shared_ptr<const ButtonPictures> ButtonPictures::Of(HINSTANCE module) {
    // Buttons live on the user-interface thread only, so the cache needs no lock.
    static std::map<HINSTANCE, std::weak_ptr<const ButtonPictures>> loaded;
    std::shared_ptr<const ButtonPictures> pictures = loaded[module].lock();
    if (!pictures) {
        pictures = std::make_shared<const ButtonPictures>(module);
        loaded[module] = pictures;
    }
    return pictures;
}

ButtonPictures::ButtonPictures(HINSTANCE module) {
    for (int32_t n = 0; n < kBackgroundPictureCount; ++n) {
        backgrounds_[static_cast<size_t>(n)] =
            LoadPicture(module, static_cast<WORD>(kFirstButtonBackgroundId + n));
    }
    for (int32_t n = 0; n < kIconPictureCount; ++n) {
        icons_[static_cast<size_t>(n)] =
            LoadIconPixels(module, static_cast<WORD>(kFirstButtonIconId + n));
    }
}

HBITMAP ButtonPictures::Background(int32_t number) const {
    if (number < 0 || number >= kBackgroundPictureCount) return nullptr;
    return backgrounds_[static_cast<size_t>(number)].Get();
}

const BgraPicture* ButtonPictures::Icon(int32_t number) const {
    if (number < 0 || number >= kIconPictureCount) return nullptr;
    const BgraPicture& icon = icons_[static_cast<size_t>(number)];
    return icon.bytes.empty() ? nullptr : &icon;
}

UniqueBitmap MakeAlphaBitmap(const BgraPicture& picture) {
    DibSection dib = MakeDibSection(picture.width, picture.height);
    if (!dib) return UniqueBitmap();
    std::memcpy(dib.pixels, picture.bytes.data(), picture.bytes.size());
    return std::move(dib.bitmap);
}

}  // namespace quorrin
