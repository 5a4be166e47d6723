// The GDI writer's document: the target opened by the header (metafile, printer page or the
// application's context) and closed by the footer, the clip, the border and the background.
#include <cstring>

#include "output/gdi/GDIWriterSupport.h"
#include "scrivane/SoVectorizeGDIAction.h"

using scrivane::gdiwriter::truncToInt;

namespace {

const char *const creator = "Creator : Scrivane Nalder EUROPE a Nalder Company";
const char *const documentName = "Scrivane : GDI Output";

// A whole number of millimetres (truncated) in logical units.
int wholeMillimetres(float millimetres, int scale) {
    return truncToInt(static_cast<double>(truncToInt(millimetres)) * scale);
}

} // namespace

std::string SoVectorizeGDIAction::metafileDescription(const std::string &fileName) {
    std::string description(creator);
    description.push_back('\0');
    description += fileName;
    description.push_back('\0');
    description.push_back('\0');
    return description;
}

std::string SoVectorizeGDIAction::metafileFileName(const char *outputName) {
    std::string name = outputName ? outputName : "";
    // Only the last path component can carry the extension: "dir.emf/picture" has none.
    const size_t slash = name.find_last_of("/\\");
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) {
        std::string extension = name.substr(dot + 1, 3);
        for (char &c : extension)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (extension == "EMF") return name;
    }
    return name + ".emf";
}

HDC SoVectorizeGDIAction::getPrinterDC() {
    PRINTDLGA dialog;
    std::memset(&dialog, 0, sizeof dialog);
    // 66 bytes with the packing of 32-bit Windows, which is what sizeof gives there.
    dialog.lStructSize = sizeof dialog;
    dialog.Flags = PD_RETURNDC;
    PrintDlgA(&dialog);
#ifdef _WIN32
    // The printer's settings the dialog allocated are not used.
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
#endif
    return dialog.hDC;
}

void SoVectorizeGDIAction::writeHeader() {
    // A page begun while the previous one was still open: that document is finished first,
    // or its metafile would never be written.
    closeDocument();

    outputName = "";
    metafileName.clear();
    deviceContext = nullptr;
    printing = 0;
    ownsContext = 0;
    previousPen = nullptr;
    previousBrush = nullptr;
    scale = 100;

    const char *name = gdiOutput->getGDIOutputName();
    HDC supplied = gdiOutput->getGDIHdc();
    if (name && name[0] && !supplied) {
        openMetafile();
    } else if (!supplied) {
        // The context of the print dialog; null when it was cancelled, and then every GDI
        // call of this document fails without effect.
        deviceContext = getPrinterDC();
        ownsContext = 1;
        openPrinterPage();
    } else {
        deviceContext = supplied;
        const int technology = GetDeviceCaps(supplied, TECHNOLOGY);
        if (technology == DT_PLOTTER || technology == DT_RASPRINTER)
            openPrinterPage();
        else
            openDeviceContext();
    }

    invalidateCaches();
    HBRUSH white = CreateSolidBrush(0xFFFFFF);
    previousBrush = SelectObject(deviceContext, white);
    currentBrush = white;
    brushColor = 0xFFFFFF;
    documentOpen = 1;
}

void SoVectorizeGDIAction::openMetafile() {
    metafileName = metafileFileName(gdiOutput->getGDIOutputName());
    outputName = metafileName.c_str();
    // The frame is the drawing area with the start position as margin on all four sides; in
    // page mode the page frame with its start as margin, the drawings lying inside it.
    const int paged = isPageMode();
    const float startX = paged ? getPageStart()[0] : getShiftX();
    const float startY = paged ? getPageStart()[1] : getShiftY();
    const int marginX = truncToInt(startX * 100.0f), marginY = truncToInt(startY * 100.0f);
    const int width = wholeMillimetres(paged ? getPageSize()[0] : getWidth(), 100);
    const int height = wholeMillimetres(paged ? getPageSize()[1] : getHeight(), 100);
    RECT frame;
    frame.left = 0;
    frame.bottom = 0;
    if (getOrientation() == LANDSCAPE) {
        frame.top = truncToInt(-2.0 * marginX - width);
        frame.right = truncToInt(static_cast<double>(height) + 2.0 * marginY);
    } else {
        frame.top = truncToInt(-2.0 * marginY - height);
        frame.right = truncToInt(static_cast<double>(width) + 2.0 * marginX);
    }
    const std::string description =
        metafileDescription(descriptionFileName.empty() ? metafileName : descriptionFileName);
    deviceContext = CreateEnhMetaFileA(nullptr, outputName, &frame, description.c_str());
    SetGraphicsMode(deviceContext, GM_COMPATIBLE);
    SetMapMode(deviceContext, MM_HIMETRIC);
    placeDrawing(1);
}

void SoVectorizeGDIAction::openPrinterPage() {
    printing = 1;
    DOCINFOA document;
    std::memset(&document, 0, sizeof document);
    document.cbSize = sizeof document; // 20 bytes on 32-bit Windows
    document.lpszDocName = documentName;
    StartDocA(deviceContext, &document);
    StartPage(deviceContext);

    const int offsetX = GetDeviceCaps(deviceContext, PHYSICALOFFSETX);
    const int offsetY = GetDeviceCaps(deviceContext, PHYSICALOFFSETY);
    const int paperWidth = GetDeviceCaps(deviceContext, PHYSICALWIDTH);
    const int paperHeight = GetDeviceCaps(deviceContext, PHYSICALHEIGHT);
    SetGraphicsMode(deviceContext, GM_COMPATIBLE);
    SetMapMode(deviceContext, MM_HIMETRIC);
    // The device origin is the printable area's corner: the margin the printer cannot reach,
    // and the sheet's far corner, in logical units.
    POINT margin = {offsetX, -offsetY};
    POINT paper = {paperWidth, -paperHeight};
    DPtoLP(deviceContext, &margin, 1);
    DPtoLP(deviceContext, &paper, 1);
    printMarginX = margin.x;
    printMarginY = margin.y;
    printPaperY = paper.y;
    placeDrawing(1);
}

void SoVectorizeGDIAction::openDeviceContext() {
    scale = 1;
    placeDrawing(1);
}

void SoVectorizeGDIAction::placeDrawing(int force) {
    // Outside page mode the start position; in page mode the offset, which adds the page
    // frame's start.
    const float x = isPageMode() ? getOffsetX() : getShiftX();
    const float y = isPageMode() ? getOffsetY() : getShiftY();
    int windowX, windowY;
    if (scale == 1) {
        // A context of the application, one unit per millimetre, its map mode unknown.
        originX = truncToInt(-x);
        originY = truncToInt(static_cast<double>(truncToInt(getHeight())) - y);
        windowX = originX;
        windowY = originY;
    } else if (printing) {
        // Measured from the printable area's corner, the device origin: the margin the printer
        // cannot reach comes off, and y counts down from the sheet's far edge.
        originX = truncToInt(x * 100.0f);
        originY = truncToInt(y * 100.0f);
        originX = originX < printMarginX ? printMarginX : originX - printMarginX;
        originY = originY < printMarginY ? printMarginY : originY + printMarginY;
        windowX = -originX;
        windowY = truncToInt(static_cast<double>(printPaperY) - originY);
    } else {
        originX = truncToInt(x * 100.0f);
        originY = truncToInt(y * 100.0f);
        windowX = -originX;
        windowY = -originY;
    }
    pageHeight = wholeMillimetres(getHeight(), scale);
    if (!force && windowX == windowOriginX && windowY == windowOriginY) return;
    windowOriginX = windowX;
    windowOriginY = windowY;
    SetWindowOrgEx(deviceContext, windowX, windowY, nullptr);
}

void SoVectorizeGDIAction::writeFooter() {
    closeDocument();
}

void SoVectorizeGDIAction::closeDocument() {
    if (!documentOpen) return;
    documentOpen = 0;
    // The writer's objects are deselected before they are deleted: GDI keeps a selected object
    // alive, and a context of the application gets back what it had selected.
    if (currentPen) {
        SelectObject(deviceContext, previousPen ? previousPen : GetStockObject(BLACK_PEN));
        DeleteObject(currentPen);
        currentPen = nullptr;
    }
    if (currentBrush) {
        SelectObject(deviceContext, previousBrush ? previousBrush : GetStockObject(WHITE_BRUSH));
        DeleteObject(currentBrush);
        currentBrush = nullptr;
    }
    invalidateCaches();
    if (printing) {
        EndPage(deviceContext);
        EndDoc(deviceContext);
        if (ownsContext) DeleteDC(deviceContext);
    } else if (outputName[0]) {
        HENHMETAFILE metafile = CloseEnhMetaFile(deviceContext);
        if (metafile) DeleteEnhMetaFile(metafile); // the file stays on disk
    }
    deviceContext = nullptr;
    printing = 0;
    ownsContext = 0;
}

void SoVectorizeGDIAction::setHardwareClip() {
    if (isViewportSet()) {
        // The viewport changed within the drawing: the clip is lifted.
        SelectClipRgn(deviceContext, nullptr);
        return;
    }
    const SbBox2f box = getClippingLimits();
    POINT corners[2] = {{toLogical(box.getMin()[0]), toLogical(box.getMax()[1])},
                        {toLogical(box.getMax()[0]), toLogical(box.getMin()[1])}};
    if (getOrientation() == LANDSCAPE) pointsToLandscape(corners, 2);
    // Regions are in device units.
    LPtoDP(deviceContext, corners, 2);
    HRGN region = CreateRectRgn(corners[0].x, corners[0].y, corners[1].x, corners[1].y);
    SelectClipRgn(deviceContext, region);
    DeleteObject(region);
}

void SoVectorizeGDIAction::printBorder() {
    if (isViewportSet()) SelectClipRgn(deviceContext, nullptr);
    float width = 0.0f;
    SbColor color;
    getBorder(&width, &color);
    if (!(width > 0.0f)) return;
    assignColor(translateColor(color), width * getNominalWidth());
    const float w = getWidth(), h = getHeight();
    const SbVec4f corners[5] = {SbVec4f(0, 0, 0, 1), SbVec4f(w, 0, 0, 1), SbVec4f(w, h, 0, 1),
                                SbVec4f(0, h, 0, 1), SbVec4f(0, 0, 0, 1)};
    const SbColor borderColor = currentColor;
    printPolyLine(corners, 5, &borderColor, 0, width, 0xFFFF);
}

void SoVectorizeGDIAction::printBackground() {
    // Each drawing of a page has its own place: the window origin the header set is that of the
    // page's first drawing.
    if (isPageMode() && documentOpen) placeDrawing(0);
    SbColor color;
    if (!getBackgroundColor(&color)) return;
    const float w = getWidth(), h = getHeight();
    const SbVec4f corners[4] = {SbVec4f(0, 0, 0, 1), SbVec4f(w, 0, 0, 1), SbVec4f(w, h, 0, 1),
                                SbVec4f(0, h, 0, 1)};
    const SbColor background = translateColor(color);
    printPolygon(corners, 4, &background, SbString(""), SbString(""), nullptr);
}
