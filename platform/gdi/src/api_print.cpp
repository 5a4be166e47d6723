// Printing through the print-to-file destination, the display context for tests, and the
// layer's own switches.
#include "api_common.h"

#include "scrivane_gdi/scrivane_ext.h"
#include "scrivane_gdi/win_constants.h"
#include "scrivane_gdi/win_functions.h"

#include <cstdio>

using namespace scrivane::gdi;

namespace {

// sizeof(PRINTDLGA) on 32-bit Windows, which callers written for Windows pass literally.
constexpr DWORD kWindowsPrintDlgSize = 66;
constexpr int kMaxDisplayPixels = 1 << 16;

int &lastJobId() {
    static int id = 0;
    return id;
}

// The complete metafile of an in-memory recording written to a file of that name.
bool writeFile(const std::string &path, const EmfRecording &recording) {
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = recording.writeTo(file);
    return std::fclose(file) == 0 && written;
}

// The whole sheet, relative to the printable area's corner (the device origin), in 0.01 mm.
RectL sheetFrame(const DeviceInfo &d) {
    const RectL sheet{-d.physicalOffsetX, -d.physicalOffsetY, d.physicalWidth - d.physicalOffsetX,
                      d.physicalHeight - d.physicalOffsetY};
    return deviceToHundredthsMm(d, sheet);
}

DeviceContext *printerDc(GdiCall &call, HDC hdc) {
    DeviceContext *dc = call.dc(hdc);
    return dc && dc->kind == DcKind::Printer ? dc : nullptr;
}

int finishPage(DeviceContext &dc) {
    PrintTarget &target = *dc.printTarget;
    const std::string path = target.fileName(target.nextPage++);
    const bool written = writeFile(path, *dc.recording);
    dc.recording.reset();
    return written ? 1 : SP_ERROR;
}

} // namespace

BOOL ScrivaneGdiSetPrintToFile(const char *pathPattern) {
    GdiCall call;
    if (!pathPattern) {
        currentPrintTarget().reset();
        return TRUE;
    }
    std::unique_ptr<PrintTarget> target = PrintTarget::parse(pathPattern);
    if (!target) return FALSE;
    currentPrintTarget() = std::move(target);
    return TRUE;
}

// Without a print-to-file destination there is no printer to offer: the dialog reports
// itself cancelled.
BOOL PrintDlgA(LPPRINTDLGA pPD) {
    GdiCall call;
    if (!pPD || (pPD->lStructSize != sizeof(PRINTDLGA) && pPD->lStructSize != kWindowsPrintDlgSize))
        return FALSE;
    pPD->hDC = nullptr;
    pPD->hDevMode = nullptr;
    pPD->hDevNames = nullptr;
    const std::shared_ptr<PrintTarget> &target = currentPrintTarget();
    if (!target) return FALSE;
    if (pPD->Flags & PD_RETURNDC) {
        auto dc = std::make_unique<DeviceContext>(DcKind::Printer, a4LaserPrinter());
        dc->printTarget = target;
        pPD->hDC = toHandle<HDC>(call.table.add(std::move(dc)));
    }
    return TRUE;
}

// The document's name and output are not used: pages go to the print-to-file destination.
int StartDocA(HDC hdc, const DOCINFOA *lpdi) {
    GdiCall call;
    DeviceContext *dc = printerDc(call, hdc);
    if (!dc || !lpdi || dc->inDocument) return SP_ERROR;
    dc->inDocument = true;
    return ++lastJobId();
}

// Each page is a metafile of its own; it starts from the context's current state (map mode,
// origin, selected objects, clip ...), which carries over from the previous page.
int StartPage(HDC hdc) {
    GdiCall call;
    DeviceContext *dc = printerDc(call, hdc);
    if (!dc || !dc->inDocument || dc->recording) return SP_ERROR;
    dc->recording = std::make_unique<EmfRecording>(dc->device, sheetFrame(dc->device), u"");
    recordCurrentState(*dc, call.table);
    return 1;
}

int EndPage(HDC hdc) {
    GdiCall call;
    DeviceContext *dc = printerDc(call, hdc);
    if (!dc || !dc->recording) return SP_ERROR;
    return finishPage(*dc);
}

// A page still open is finished and written.
int EndDoc(HDC hdc) {
    GdiCall call;
    DeviceContext *dc = printerDc(call, hdc);
    if (!dc || !dc->inDocument) return SP_ERROR;
    dc->inDocument = false;
    return dc->recording ? finishPage(*dc) : 1;
}

HDC ScrivaneGdiCreateDisplayDC(int widthPixels, int heightPixels) {
    GdiCall call;
    if (widthPixels < 1 || heightPixels < 1 || widthPixels > kMaxDisplayPixels ||
        heightPixels > kMaxDisplayPixels)
        return nullptr;
    const DeviceInfo device = rasterDisplay(widthPixels, heightPixels);
    auto dc = std::make_unique<DeviceContext>(DcKind::Display, device);
    const RectL screen = deviceToHundredthsMm(device, RectL{0, 0, widthPixels, heightPixels});
    dc->recording = std::make_unique<EmfRecording>(device, screen, u"");
    return toHandle<HDC>(call.table.add(std::move(dc)));
}

BOOL ScrivaneGdiSaveDisplayDC(HDC hdc, const char *path) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc || dc->kind != DcKind::Display || !path) return FALSE;
    return writeFile(path, *dc->recording) ? TRUE : FALSE;
}

BOOL ScrivaneGdiSetCompactPoints(HDC hdc, BOOL enable) {
    GdiCall call;
    DeviceContext *dc = call.dc(hdc);
    if (!dc) return FALSE;
    dc->compactPoints = enable != FALSE;
    return TRUE;
}
