// Metafile device contexts: creation, closing, the metafile handles, and DeleteDC.
#include "api_common.h"
#include "text_codec.h"

#include "scrivane_gdi/win_functions.h"

#include <cstring>

using namespace scrivane::gdi;

namespace {

// "application\0picture\0\0": both strings, their NULs and one more NUL, in UTF-16.
std::u16string descriptionUnits(LPCSTR desc) {
    if (!desc) return {};
    const std::size_t appLength = std::strlen(desc);
    const char *picture = desc + appLength + 1;
    const std::size_t pictureLength = std::strlen(picture);
    std::u16string units = ansiToUtf16(desc, appLength);
    units.push_back(0);
    units += ansiToUtf16(picture, pictureLength);
    units.push_back(0);
    units.push_back(0);
    return units;
}

} // namespace

HDC CreateEnhMetaFileA(HDC hdcRef, LPCSTR lpFilename, const RECT *lprc, LPCSTR lpDesc) {
    GdiCall call;
    DeviceInfo device = metafileReferenceDevice();
    if (hdcRef) {
        const DeviceContext *ref = call.dc(hdcRef);
        if (!ref) return nullptr;
        device = ref->device;
    }
    std::optional<RectL> frame;
    if (lprc) frame = RectL{lprc->left, lprc->top, lprc->right, lprc->bottom};

    auto dc = std::make_unique<DeviceContext>(DcKind::Metafile, device);
    std::FILE *file = nullptr;
    if (lpFilename) {
        file = std::fopen(lpFilename, "wb");
        if (!file) return nullptr;
    }
    dc->recording = std::make_unique<EmfRecording>(device, frame, descriptionUnits(lpDesc), file,
                                                   lpFilename ? lpFilename : "");
    return toHandle<HDC>(call.table.add(std::move(dc)));
}

HENHMETAFILE CloseEnhMetaFile(HDC hdc) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc || dc->kind != DcKind::Metafile || !dc->recording) return nullptr;
    MetafileObject metafile;
    bool ok = true;
    if (dc->recording->streamed()) {
        FinishedFile finished = dc->recording->finishFile();
        ok = finished.written;
        metafile.bytes = std::move(finished.bytes);
        metafile.file = std::move(finished.readBack);
        metafile.fileSize = finished.size;
    } else {
        metafile.bytes = dc->recording->takeFile();
    }
    call.table.remove(handleValue(hdc));
    if (!ok) return nullptr;
    return toHandle<HENHMETAFILE>(call.table.add(std::move(metafile)));
}

BOOL DeleteEnhMetaFile(HENHMETAFILE hmf) {
    GdiCall call;
    if (!payloadAs<MetafileObject>(call.table.find(handleValue(hmf)))) return FALSE;
    return call.table.remove(handleValue(hmf)) ? TRUE : FALSE;
}

UINT GetEnhMetaFileBits(HENHMETAFILE hmf, UINT nSize, LPBYTE lpData) {
    GdiCall call;
    const auto *metafile = payloadAs<MetafileObject>(call.table.find(handleValue(hmf)));
    if (!metafile) return 0;
    // A metafile written to a file is read from it; one whose file cannot be read has no bits.
    const bool inFile = metafile->bytes.empty();
    if (inFile && !metafile->file.valid()) return 0;
    const auto total = static_cast<UINT>(inFile ? metafile->fileSize : metafile->bytes.size());
    if (!lpData) return total;
    if (nSize < total) return 0;
    if (!inFile) {
        std::memcpy(lpData, metafile->bytes.data(), total);
    } else if (!metafile->file.read(lpData, total)) {
        return 0;
    }
    return total;
}

// A metafile context deleted without CloseEnhMetaFile leaves its file empty (the recording
// empties what it streamed there); a printer page still open is dropped.
BOOL DeleteDC(HDC hdc) {
    GdiCall call;
    if (!call.dc(hdc)) return FALSE;
    return call.table.remove(handleValue(hdc)) ? TRUE : FALSE;
}
