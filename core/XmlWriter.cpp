#include "core/XmlWriter.h"

#include "core/Digits.h"

XmlWriter& XmlWriter::Open(std::u16string_view name, std::initializer_list<Attribute> attributes) {
    text_ += u'<';
    text_ += name;
    for (const Attribute& attribute : attributes) {
        text_ += u' ';
        text_ += attribute.name;
        text_ += u"=\"";
        text_ += attribute.value;
        text_ += u'"';
    }
    text_ += u'>';
    return *this;
}

XmlWriter& XmlWriter::Close(std::u16string_view name) {
    text_ += u"</";
    text_ += name;
    text_ += u'>';
    return *this;
}

XmlWriter& XmlWriter::Empty(std::u16string_view name) {
    text_ += u'<';
    text_ += name;
    text_ += u"/>";
    return *this;
}

XmlWriter& XmlWriter::Element(std::u16string_view name, std::u16string_view text) {
    Open(name);
    for (const char16_t c : text) {
        switch (c) {
        case u'&': text_ += u"&amp;"; break;
        case u'<': text_ += u"&lt;"; break;
        case u'>': text_ += u"&gt;"; break;
        case u'\r': text_ += u"&#13;"; break;
        default: text_ += c;
        }
    }
    return Close(name);
}

XmlWriter& XmlWriter::Element(std::u16string_view name, std::uint32_t number) {
    return Element(name, Digits(number, 10));
}

XmlWriter& XmlWriter::Element(std::u16string_view name, const LocalTime& at) {
    const std::uint32_t seconds = at.Milliseconds / 1000;
    const std::uint32_t parts[] = {std::uint32_t(at.Year), std::uint32_t(at.Month), std::uint32_t(at.Day),
                                   seconds / 3600,         seconds / 60 % 60,       seconds % 60};
    std::u16string text;
    for (std::size_t i = 0; i < 6; ++i) {
        text += Digits(parts[i], 10, i == 0 ? 4 : 2);
        if (i < 5) text += u"--T::"[i];
    }
    return Element(name, text);
}
