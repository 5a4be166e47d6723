#include "emf_records.h"

#include "text_codec.h"

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
// EMR_EXTCREATEFONTINDIRECTW with a LogFontExDv: index, LogFont (92 bytes), full name, style
// and script, design vector signature and axis count.
constexpr std::size_t kFontRecordSize =
    8 + 4 + 92 + 2 * (kFullNameUnits + kStyleUnits + kScriptUnits) + 8;

} // namespace

std::uint32_t headerSize(std::size_t descriptionUnits) {
    return kHeaderFixedSize +
           static_cast<std::uint32_t>((2 * descriptionUnits + 3) & ~std::size_t{3});
}

void writeHeader(RecordBuffer &out, const HeaderFields &h) {
    const bool described = !h.description.empty();
    RecordWriter r(out, emr::HEADER, headerSize(h.description.size()));
    r.rect(h.bounds).rect(h.frame).u32(kSignature).u32(kVersion);
    r.u32(h.bytes).u32(h.records).u16(h.handles).u16(0);
    r.u32(static_cast<std::uint32_t>(h.description.size()));
    r.u32(described ? kHeaderFixedSize : 0);
    r.u32(0); // nPalEntries
    r.size(h.device).size(h.millimeters);
    r.u32(0).u32(0).u32(0); // cbPixelFormat, offPixelFormat, bOpenGL
    r.size(h.micrometers);
    r.utf16(h.description, h.description.size());
}

void writeEof(RecordBuffer &out) {
    // No palette entries; offPalEntries is 16 as Windows writes it, SizeLast repeats Size.
    RecordWriter(out, emr::EOF_, kEofSize).u32(0).u32(16).u32(kEofSize);
}

void writeU32Record(RecordBuffer &out, std::uint32_t type, std::uint32_t value) {
    RecordWriter(out, type, 12).u32(value);
}

void writePointRecord(RecordBuffer &out, std::uint32_t type, PointL p) {
    RecordWriter(out, type, 16).point(p);
}

void writeRectRecord(RecordBuffer &out, std::uint32_t type, const RectL &r) {
    RecordWriter(out, type, 24).rect(r);
}

void writeCreatePen(RecordBuffer &out, std::uint32_t index, std::uint32_t style, std::int32_t width,
                    std::uint32_t color) {
    RecordWriter(out, emr::CREATEPEN, 28).u32(index).u32(style).i32(width).i32(0).u32(color);
}

void writeExtCreatePen(RecordBuffer &out, std::uint32_t index, const ExtPenFields &pen) {
    RecordWriter r(out, emr::EXTCREATEPEN, 52 + 4 * pen.styleEntries.size());
    r.u32(index).u32(0).u32(0).u32(0).u32(0); // no brush bitmap: offBmi, cbBmi, offBits, cbBits
    r.u32(pen.style).u32(pen.width).u32(pen.brushStyle).u32(pen.color).u32(pen.hatch);
    r.u32(static_cast<std::uint32_t>(pen.styleEntries.size()));
    for (std::uint32_t entry : pen.styleEntries)
        r.u32(entry);
}

void writeCreateBrushIndirect(RecordBuffer &out, std::uint32_t index, std::uint32_t style,
                              std::uint32_t color, std::uint32_t hatch) {
    RecordWriter(out, emr::CREATEBRUSHINDIRECT, 24).u32(index).u32(style).u32(color).u32(hatch);
}

// The font object is written as LogFontExDv (368-byte record), the form Windows writes: the
// LogFont, then empty full name, style and script, then a design vector with no axes.
void writeExtCreateFontIndirectW(RecordBuffer &out, std::uint32_t index, const LogFontW &f) {
    RecordWriter r(out, emr::EXTCREATEFONTINDIRECTW, kFontRecordSize);
    r.u32(index);
    r.i32(f.height).i32(f.width).i32(f.escapement).i32(f.orientation).i32(f.weight);
    r.u8(f.italic).u8(f.underline).u8(f.strikeOut).u8(f.charSet);
    r.u8(f.outPrecision).u8(f.clipPrecision).u8(f.quality).u8(f.pitchAndFamily);
    r.utf16(f.faceName.substr(0, kLogFontFaceUnits - 1), kLogFontFaceUnits);
    r.zeros(2 * (kFullNameUnits + kStyleUnits + kScriptUnits));
    r.u32(kDesignVectorSignature).u32(0);
}

// No Dx array: without font metrics the advances would be guesses, and readers that honour
// Dx would space the glyphs by them.
void writeExtTextOutW(RecordBuffer &out, std::uint32_t graphicsMode, float exScale, float eyScale,
                      PointL reference, const char *text, std::size_t length) {
    RecordWriter r(out, emr::EXTTEXTOUTW, recordSize(kExtTextFixedSize - 8 + 2 * length));
    r.rect(RectL{0, 0, -1, -1}).u32(graphicsMode).f32(exScale).f32(eyScale);
    r.point(reference).u32(static_cast<std::uint32_t>(length)).u32(kExtTextFixedSize);
    r.u32(0).rect(RectL{0, 0, -1, -1}).u32(0); // Options, Rectangle, offDx
    for (std::size_t i = 0; i < length; ++i)
        r.u16(static_cast<std::uint16_t>(ansiToUtf16Unit(static_cast<unsigned char>(text[i]))));
}

void writeExtTextOutW(RecordBuffer &out, std::uint32_t graphicsMode, float exScale, float eyScale,
                      PointL reference, const std::uint16_t *text, std::size_t length) {
    RecordWriter r(out, emr::EXTTEXTOUTW, recordSize(kExtTextFixedSize - 8 + 2 * length));
    r.rect(RectL{0, 0, -1, -1}).u32(graphicsMode).f32(exScale).f32(eyScale);
    r.point(reference).u32(static_cast<std::uint32_t>(length)).u32(kExtTextFixedSize);
    r.u32(0).rect(RectL{0, 0, -1, -1}).u32(0); // Options, Rectangle, offDx
    for (std::size_t i = 0; i < length; ++i)
        r.u16(text[i]);
}

void writeStretchDIBits(RecordBuffer &out, const StretchFields &f, const std::uint8_t *bmi,
                        std::size_t cbBmi, const std::uint8_t *bits, std::size_t cbBits) {
    const auto bmiSize = static_cast<std::uint32_t>(cbBmi);
    RecordWriter r(out, emr::STRETCHDIBITS, recordSize(kStretchFixedSize - 8 + cbBmi + cbBits));
    r.rect(f.bounds).point(f.dest).point(f.src).size(f.srcSize);
    r.u32(kStretchFixedSize).u32(bmiSize);
    r.u32(kStretchFixedSize + bmiSize).u32(static_cast<std::uint32_t>(cbBits));
    r.u32(f.usage).u32(f.rop).size(f.destSize);
    r.raw(bmi, cbBmi).raw(bits, cbBits);
}

// EMR_EXTSELECTCLIPRGN with no region data and RGN_COPY: every reader takes it as "no clip".
void writeClipReset(RecordBuffer &out) {
    RecordWriter(out, emr::EXTSELECTCLIPRGN, 16).u32(0).u32(5);
}

void writeIntersectClipRect(RecordBuffer &out, const RectL &logical) {
    writeRectRecord(out, emr::INTERSECTCLIPRECT, logical);
}

} // namespace scrivane::gdi
