// Copying a small picture of the flare to the clipboard, as a packed
// bottom-up 24-bit DIB that any program can read.
#include <cstring>

#include "frame/plugin_instance.h"
#include "preview/preview.h"

namespace {

const char kClipboardCaption[] = "Clipboard Error";

}  // namespace

void CopySmallPreviewToClipboard()
{
    DisplayBitmap small = {};
    if (CreateDisplayBitmap(&small, 1000, CLIPBOARD_WIDTH, CLIPBOARD_HEIGHT, 3) == 0) {
        QiGBuffer *buffer =
            Qi_Alloc_Global_GBuffer(CLIPBOARD_WIDTH, CLIPBOARD_HEIGHT, CLIPBOARD_HEIGHT, 0);
        if (buffer && previewBitmap.bitmapInfo) {
            ClearRenderBuffer(buffer);
            const BITMAPINFOHEADER &preview = previewBitmap.bitmapInfo->bmiHeader;
            int32_t x = int32_t(float(lightX) / float(preview.biWidth) * float(CLIPBOARD_WIDTH));
            int32_t y = int32_t(float(lightY) / float(preview.biHeight) * float(CLIPBOARD_HEIGHT));
            Qi_LensFlareApplyToGBuffer(buffer, currentInstance->handleType,
                                       currentInstance->flareName, x, y, nullptr);
            ConvertGBufferToDisplay(buffer, &small);
            CopyPreviewToClipboard(previewControl, &small);
        }
        if (buffer)
            Qi_Free_Global_GBuffer(buffer);
    }
    FreeDisplayBitmap(&small);
}

void CopyPreviewToClipboard(HWND owner, const DisplayBitmap *bitmap)
{
    if (!OpenClipboard(owner)) {
        MessageBoxA(owner, "The clipboard is currently being used by another application.",
                    kClipboardCaption, MB_OK);
        return;
    }
    EmptyClipboard();
    const BITMAPINFOHEADER &header = bitmap->bitmapInfo->bmiHeader;
    size_t imageSize = size_t(bitmap->rowBytes) * size_t(header.biHeight);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, imageSize + sizeof header);
    if (!block) {
        EmptyClipboard();
        CloseClipboard();
        MessageBoxA(owner, "Out of memory while allocating space for clipboard bitmap.",
                    kClipboardCaption, MB_OK);
        return;
    }
    auto *bytes = static_cast<uint8_t *>(GlobalLock(block));
    std::memcpy(bytes, &header, sizeof header);
    std::memcpy(bytes + sizeof header, bitmap->bits, imageSize);
    GlobalUnlock(block);
    // Once set, the block belongs to the clipboard; if setting fails it is ours.
    if (!SetClipboardData(CF_DIB, block)) {
        GlobalFree(block);
        MessageBoxA(owner, "Error encountered while sending DIB image data to the clipboard.",
                    kClipboardCaption, MB_OK);
    }
    CloseClipboard();
}
