// Writers of the individual EMF records the layer writes. Each appends the complete record
// (Type, Size, payload, padding) to a buffer; none depends on device-context state.
#ifndef SCRIVANE_GDI_EMF_RECORDS_H
#define SCRIVANE_GDI_EMF_RECORDS_H

#include "record_builder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace scrivane::gdi {

namespace emr {
inline constexpr std::uint32_t HEADER = 1;
inline constexpr std::uint32_t POLYGON = 3;
inline constexpr std::uint32_t POLYLINE = 4;
inline constexpr std::uint32_t SETWINDOWORGEX = 10;
inline constexpr std::uint32_t EOF_ = 14;
inline constexpr std::uint32_t SETMAPMODE = 17;
inline constexpr std::uint32_t SETBKMODE = 18;
inline constexpr std::uint32_t SETTEXTALIGN = 22;
inline constexpr std::uint32_t SETTEXTCOLOR = 24;
inline constexpr std::uint32_t MOVETOEX = 27;
inline constexpr std::uint32_t INTERSECTCLIPRECT = 30;
inline constexpr std::uint32_t SELECTOBJECT = 37;
inline constexpr std::uint32_t CREATEPEN = 38;
inline constexpr std::uint32_t CREATEBRUSHINDIRECT = 39;
inline constexpr std::uint32_t DELETEOBJECT = 40;
inline constexpr std::uint32_t RECTANGLE = 43;
inline constexpr std::uint32_t LINETO = 54;
inline constexpr std::uint32_t SETMITERLIMIT = 58;
inline constexpr std::uint32_t EXTSELECTCLIPRGN = 75;
inline constexpr std::uint32_t STRETCHDIBITS = 81;
inline constexpr std::uint32_t EXTCREATEFONTINDIRECTW = 82;
inline constexpr std::uint32_t EXTTEXTOUTW = 84;
inline constexpr std::uint32_t POLYGON16 = 86;
inline constexpr std::uint32_t POLYLINE16 = 87;
inline constexpr std::uint32_t EXTCREATEPEN = 95;
} // namespace emr

inline constexpr std::uint32_t kStockIndexFlag = 0x80000000u;
inline constexpr std::uint32_t kHeaderFixedSize = 108;
inline constexpr std::uint32_t kEofSize = 20;

struct HeaderFields {
    RectL bounds;
    RectL frame;
    std::uint32_t bytes = 0;
    std::uint32_t records = 0;
    std::uint16_t handles = 1;
    std::u16string description; // complete, NULs included
    SizeL device;
    SizeL millimeters;
    SizeL micrometers;
};

struct LogFontW {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strikeOut = 0;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::u16string faceName; // at most 31 units
};

struct ExtPenFields {
    std::uint32_t style = 0;
    std::uint32_t width = 0;
    std::uint32_t brushStyle = 0;
    std::uint32_t color = 0;
    std::uint32_t hatch = 0;
    std::vector<std::uint32_t> styleEntries;
};

struct StretchFields {
    RectL bounds;
    PointL dest;
    PointL src;
    SizeL srcSize;
    SizeL destSize;
    std::uint32_t usage = 0;
    std::uint32_t rop = 0;
};

std::uint32_t headerSize(std::size_t descriptionUnits);

// Each function below appends one complete record to `out`.
void writeHeader(RecordBuffer &out, const HeaderFields &h);
void writeEof(RecordBuffer &out);

void writeU32Record(RecordBuffer &out, std::uint32_t type, std::uint32_t value);
void writePointRecord(RecordBuffer &out, std::uint32_t type, PointL p);
void writeRectRecord(RecordBuffer &out, std::uint32_t type, const RectL &r);

void writeCreatePen(RecordBuffer &out, std::uint32_t index, std::uint32_t style, std::int32_t width,
                    std::uint32_t color);
void writeExtCreatePen(RecordBuffer &out, std::uint32_t index, const ExtPenFields &pen);
void writeCreateBrushIndirect(RecordBuffer &out, std::uint32_t index, std::uint32_t style,
                              std::uint32_t color, std::uint32_t hatch);
void writeExtCreateFontIndirectW(RecordBuffer &out, std::uint32_t index, const LogFontW &font);

// The point functions take any point type with 32-bit x and y members (PointL, POINT).
template <class Point> bool pointsFit16(const Point *points, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (points[i].x < -32768 || points[i].x > 32767 || points[i].y < -32768 ||
            points[i].y > 32767)
            return false;
    }
    return true;
}

// The smallest box holding the points (count >= 1), in their own units.
template <class Point> RectL pointBounds(const Point *points, std::size_t count) {
    RectL box{points[0].x, points[0].y, points[0].x, points[0].y};
    for (std::size_t i = 1; i < count; ++i) {
        box.left = points[i].x < box.left ? points[i].x : box.left;
        box.top = points[i].y < box.top ? points[i].y : box.top;
        box.right = points[i].x > box.right ? points[i].x : box.right;
        box.bottom = points[i].y > box.bottom ? points[i].y : box.bottom;
    }
    return box;
}

// 32-bit record of type `type32`, or the 16-bit record of type `type16` when `use16`;
// `bounds` is pointBounds of the points.
template <class Point>
void writePolyRecord(RecordBuffer &out, std::uint32_t type32, std::uint32_t type16, bool use16,
                     const Point *points, std::size_t count, const RectL &bounds) {
    const std::size_t pointBytes = (use16 ? 4 : 8) * count;
    RecordWriter r(out, use16 ? type16 : type32, recordSize(20 + pointBytes));
    r.rect(bounds).u32(static_cast<std::uint32_t>(count));
    if (use16) {
        for (std::size_t i = 0; i < count; ++i)
            r.i16(static_cast<std::int16_t>(points[i].x))
                .i16(static_cast<std::int16_t>(points[i].y));
    } else {
        for (std::size_t i = 0; i < count; ++i)
            r.i32(points[i].x).i32(points[i].y);
    }
}

// The text is `length` ANSI (Windows-1252) bytes, recorded as UTF-16.
void writeExtTextOutW(RecordBuffer &out, std::uint32_t graphicsMode, float exScale, float eyScale,
                      PointL reference, const char *text, std::size_t length);
// The text is `length` UTF-16 code units, recorded as they are.
void writeExtTextOutW(RecordBuffer &out, std::uint32_t graphicsMode, float exScale, float eyScale,
                      PointL reference, const std::uint16_t *text, std::size_t length);
void writeStretchDIBits(RecordBuffer &out, const StretchFields &f, const std::uint8_t *bmi,
                        std::size_t cbBmi, const std::uint8_t *bits, std::size_t cbBits);

void writeClipReset(RecordBuffer &out);
void writeIntersectClipRect(RecordBuffer &out, const RectL &logical);

} // namespace scrivane::gdi

#endif
