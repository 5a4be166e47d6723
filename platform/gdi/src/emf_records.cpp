#include "emf_records.h"

#include <algorithm>
#include <limits>

namespace scrivane::gdi {

namespace {

constexpr std::uint32_t kSignature = 0x464D4520; // " EMF"
constexpr std::uint32_t kVersion = 0x00010000;
constexpr std::uint32_t kExtTextFixedSize = 76;
constexpr std::uint32_t kStretchFixedSize = 80;
constexpr std::uint32_t kDesignVectorSignature = 0x08007664;
constexpr std::size_t kLogFontFaceUnits = 32;
constexpr std::size_t kFullNameUnits = 64;
constexpr std::size_t kStyleUnits = 32;
constexpr std::size_t kScriptUnits = 32;

RectL pointBounds(const PointL *points, std::size_t count) {
    RectL box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (std::size_t i = 1; i < count; ++i) {
        box.left = std::min(box.left, points[i].x);
        box.top = std::min(box.top, points[i].y);
        box.right = std::max(box.right, points[i].x);
        box.bottom = std::max(box.bottom, points[i].y);
    }
    return box;
}

} // namespace

std::uint32_t headerSize(std::size_t descriptionUnits) {
    return kHeaderFixedSize +
           static_cast<std::uint32_t>((2 * descriptionUnits + 3) & ~std::size_t{3});
}

Bytes makeHeader(const HeaderFields &h) {
    const bool described = !h.description.empty();
    RecordBuilder r(emr::HEADER);
    r.rect(h.bounds).rect(h.frame).u32(kSignature).u32(kVersion);
    r.u32(h.bytes).u32(h.records).u16(h.handles).u16(0);
    r.u32(static_cast<std::uint32_t>(h.description.size()));
    r.u32(described ? kHeaderFixedSize : 0);
    r.u32(0); // nPalEntries
    r.size(h.device).size(h.millimeters);
    r.u32(0).u32(0).u32(0); // cbPixelFormat, offPixelFormat, bOpenGL
    r.size(h.micrometers);
    r.utf16(h.description, h.description.size());
    return r.finish();
}

Bytes makeEof() {
    // No palette entries; offPalEntries is 16 as Windows writes it, SizeLast repeats Size.
    return RecordBuilder(emr::EOF_).u32(0).u32(16).u32(kEofSize).finish();
}

Bytes makeU32Record(std::uint32_t type, std::uint32_t value) {
    return RecordBuilder(type).u32(value).finish();
}

Bytes makePointRecord(std::uint32_t type, PointL p) {
    return RecordBuilder(type).point(p).finish();
}

Bytes makeRectRecord(std::uint32_t type, const RectL &r) {
    return RecordBuilder(type).rect(r).finish();
}

Bytes makeCreatePen(std::uint32_t index, std::uint32_t style, std::int32_t width,
                    std::uint32_t color) {
    return RecordBuilder(emr::CREATEPEN)
        .u32(index)
        .u32(style)
        .i32(width)
        .i32(0)
        .u32(color)
        .finish();
}

Bytes makeExtCreatePen(std::uint32_t index, const ExtPenFields &pen) {
    RecordBuilder r(emr::EXTCREATEPEN);
    r.u32(index).u32(0).u32(0).u32(0).u32(0); // no brush bitmap: offBmi, cbBmi, offBits, cbBits
    r.u32(pen.style).u32(pen.width).u32(pen.brushStyle).u32(pen.color).u32(pen.hatch);
    r.u32(static_cast<std::uint32_t>(pen.styleEntries.size()));
    for (std::uint32_t entry : pen.styleEntries)
        r.u32(entry);
    return r.finish();
}

Bytes makeCreateBrushIndirect(std::uint32_t index, std::uint32_t style, std::uint32_t color,
                              std::uint32_t hatch) {
    return RecordBuilder(emr::CREATEBRUSHINDIRECT)
        .u32(index)
        .u32(style)
        .u32(color)
        .u32(hatch)
        .finish();
}

// The font object is written as LogFontExDv (368-byte record), the form Windows writes: the
// LogFont, then empty full name, style and script, then a design vector with no axes.
Bytes makeExtCreateFontIndirectW(std::uint32_t index, const LogFontW &f) {
    RecordBuilder r(emr::EXTCREATEFONTINDIRECTW);
    r.u32(index);
    r.i32(f.height).i32(f.width).i32(f.escapement).i32(f.orientation).i32(f.weight);
    r.u8(f.italic).u8(f.underline).u8(f.strikeOut).u8(f.charSet);
    r.u8(f.outPrecision).u8(f.clipPrecision).u8(f.quality).u8(f.pitchAndFamily);
    r.utf16(f.faceName.substr(0, kLogFontFaceUnits - 1), kLogFontFaceUnits);
    r.zeros(2 * (kFullNameUnits + kStyleUnits + kScriptUnits));
    r.u32(kDesignVectorSignature).u32(0);
    return r.finish();
}

bool pointsFit16(const PointL *points, std::size_t count) {
    constexpr std::int32_t lo = std::numeric_limits<std::int16_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int16_t>::max();
    for (std::size_t i = 0; i < count; ++i) {
        if (points[i].x < lo || points[i].x > hi || points[i].y < lo || points[i].y > hi)
            return false;
    }
    return true;
}

Bytes makePolyRecord(std::uint32_t type32, std::uint32_t type16, bool use16, const PointL *points,
                     std::size_t count) {
    RecordBuilder r(use16 ? type16 : type32);
    r.rect(pointBounds(points, count)).u32(static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        if (use16)
            r.i16(static_cast<std::int16_t>(points[i].x))
                .i16(static_cast<std::int16_t>(points[i].y));
        else
            r.point(points[i]);
    }
    return r.finish();
}

// No Dx array: without font metrics the advances would be guesses, and readers that honour
// Dx would space the glyphs by them.
Bytes makeExtTextOutW(std::uint32_t graphicsMode, float exScale, float eyScale, PointL reference,
                      const std::u16string &text) {
    RecordBuilder r(emr::EXTTEXTOUTW);
    r.rect(RectL{0, 0, -1, -1}).u32(graphicsMode).f32(exScale).f32(eyScale);
    r.point(reference).u32(static_cast<std::uint32_t>(text.size())).u32(kExtTextFixedSize);
    r.u32(0).rect(RectL{0, 0, -1, -1}).u32(0); // Options, Rectangle, offDx
    r.utf16(text, text.size());
    return r.finish();
}

Bytes makeStretchDIBits(const StretchFields &f, const std::uint8_t *bmi, std::size_t cbBmi,
                        const std::uint8_t *bits, std::size_t cbBits) {
    const auto bmiSize = static_cast<std::uint32_t>(cbBmi);
    RecordBuilder r(emr::STRETCHDIBITS);
    r.rect(f.bounds).point(f.dest).point(f.src).size(f.srcSize);
    r.u32(kStretchFixedSize).u32(bmiSize);
    r.u32(kStretchFixedSize + bmiSize).u32(static_cast<std::uint32_t>(cbBits));
    r.u32(f.usage).u32(f.rop).size(f.destSize);
    r.raw(bmi, cbBmi).raw(bits, cbBits);
    return r.finish();
}

// EMR_EXTSELECTCLIPRGN with no region data and RGN_COPY: every reader takes it as "no clip".
Bytes makeClipReset() {
    return RecordBuilder(emr::EXTSELECTCLIPRGN).u32(0).u32(5).finish();
}

Bytes makeIntersectClipRect(const RectL &logical) {
    return makeRectRecord(emr::INTERSECTCLIPRECT, logical);
}

} // namespace scrivane::gdi
