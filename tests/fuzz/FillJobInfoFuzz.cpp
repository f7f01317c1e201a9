// libFuzzer target for the record builder. The input is one byte of switches (bit 0: the
// check box "interactive", bit 1: "jeden ") followed by UTF-16LE text, whose fields (run time,
// day list, command line) are separated by U+001F.
//
// On every input either the conversion fails with a message that names its field and that the
// user's text can't reorder, or the record keeps the invariants every job handed to the
// service must keep, and its task for the Task Scheduler is either refused with a reason or a
// definition that XML can hold whole.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/FillJobInfo.h"
#include "core/Messages.h"
#include "core/TaskDefinition.h"
#include "tests/unit/ExpectedTexts.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    WindowFields fields;
    fields.Interactive = (data[0] & 1) != 0;
    fields.EveryListedDay = (data[0] & 2) != 0;

    std::u16string text((size - 1) / 2, u'\0');
    std::memcpy(text.data(), data + 1, text.size() * 2);
    std::u16string* field[] = {&fields.RunTime, &fields.DayList, &fields.CommandLine};
    std::size_t n = 0;
    for (const char16_t c : text) {
        if (c == u'\x1F' && n < 2)
            ++n;
        else
            field[n]->push_back(c);
    }

    AtInfo job;
    if (const auto error = FillJobInfo(fields, job)) {
        const std::u16string message = ConversionErrorText(*error);
        Require(message.rfind(Expected::TimeField, 0) == 0 || message.rfind(Expected::DaysField, 0) == 0);
        for (const char16_t c : message)  // the user's text can't reorder the message
            Require(!(c >= 0x202A && c <= 0x202E) && !(c >= 0x2066 && c <= 0x2069) && c != 0x200E && c != 0x200F);
        return 0;
    }
    Require(job.JobTime < 86'400'000 && job.JobTime % 60'000 == 0);
    Require((job.DaysOfMonth & 0x8000'0000u) == 0);
    Require((job.DaysOfWeek & 0x80) == 0);
    Require(job.DaysOfMonth == 0 || job.DaysOfWeek == 0);
    Require((job.Flags & ~0x11) == 0);
    Require(job.Flags == ((fields.Interactive ? 0 : 0x10) | (fields.EveryListedDay ? 0x01 : 0)));
    Require(job.Command == fields.CommandLine);

    const auto made = MakeTaskDefinition(job, {2028, 2, 28, 43'200'000});
    Require(made.definition.has_value() != made.problem.has_value());
    if (made.definition) {
        const std::u16string& xml = made.definition->Xml;
        Require(xml.rfind(u"<Task ", 0) == 0 && xml.size() > 7 && xml.compare(xml.size() - 7, 7, u"</Task>") == 0);
        for (std::size_t i = 0; i < xml.size(); ++i) {
            const char16_t c = xml[i];
            Require(c >= 0x20 || c == u'\t' || c == u'\n');  // a carriage return only as a reference
            if (c >= 0xD800 && c < 0xDC00) Require(i + 1 < xml.size() && xml[++i] >= 0xDC00 && xml[i] < 0xE000);
            else Require(!(c >= 0xDC00 && c < 0xE000) && c < 0xFFFE);
        }
    }
    return 0;
}
