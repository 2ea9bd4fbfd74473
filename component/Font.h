#pragma once

#include "component/Unknown.h"

#include <QFont>
#include <QString>

namespace component {

// DISPIDs of a font object's properties; a font's change notification names one of these.
constexpr int32_t DISPID_FONT_NAME = 0;
constexpr int32_t DISPID_FONT_SIZE = 2;
constexpr int32_t DISPID_FONT_BOLD = 3;
constexpr int32_t DISPID_FONT_ITALIC = 4;
constexpr int32_t DISPID_FONT_UNDER = 5;
constexpr int32_t DISPID_FONT_STRIKE = 6;
constexpr int32_t DISPID_FONT_WEIGHT = 7;
constexpr int32_t DISPID_FONT_CHARSET = 8;

// The standard font object's class; its saved stream follows this identifier in a control's.
constexpr Guid CLSID_StdFont = Guid::parse("{0BE35203-8F91-11CE-9DE3-00AA004BB851}");

// A font object: face name, size in 1/10000 points, weight and style. Every change is reported
// to the sinks advised on its IPropertyNotifySink connection point.
struct IFont : IUnknown
{
    static constexpr Guid iid = Guid::parse("{BEF6E002-A874-101A-8BBA-00AA00300CAB}");

    virtual QString name() const = 0;
    virtual HResult setName(const QString& name) = 0;
    virtual int64_t size() const = 0; // 1/10000 points
    virtual HResult setSize(int64_t size) = 0;
    virtual bool bold() const = 0;
    virtual HResult setBold(bool bold) = 0;
    virtual bool italic() const = 0;
    virtual HResult setItalic(bool italic) = 0;
    virtual bool underline() const = 0;
    virtual HResult setUnderline(bool underline) = 0;
    virtual bool strikethrough() const = 0;
    virtual HResult setStrikethrough(bool strike) = 0;
    virtual int16_t weight() const = 0;
    virtual HResult setWeight(int16_t weight) = 0;
    virtual int16_t charset() const = 0;
    virtual HResult setCharset(int16_t charset) = 0;

    virtual HResult Clone(IFont** out) = 0;
    virtual bool isEqual(IFont* other) const = 0;
    // The font a widget draws with: the platform's font handle.
    virtual QFont toQFont() const = 0;
};

} // namespace component
