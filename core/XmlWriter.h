#pragma once
// An XML document written front to back, every element the same way: opened (with its
// attributes) and closed by its name again, or with a text, or empty.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/Calendar.h"

class XmlWriter {
public:
    struct Attribute {
        std::u16string_view name, value;  // the value as it stands: no markup characters in it
    };

    XmlWriter& Open(std::u16string_view name, std::initializer_list<Attribute> attributes = {});
    XmlWriter& Close(std::u16string_view name);
    XmlWriter& Empty(std::u16string_view name);
    // An element with a text: the markup characters escaped, and a carriage return as a
    // reference, since a parser would turn it into a line feed.
    XmlWriter& Element(std::u16string_view name, std::u16string_view text);
    XmlWriter& Element(std::u16string_view name, std::uint32_t number);
    // A date and time as the schema's dateTime without a zone: 2026-12-08T17:00:00.
    XmlWriter& Element(std::u16string_view name, const LocalTime& at);

    std::u16string Take() { return std::move(text_); }

private:
    std::u16string text_;
};
