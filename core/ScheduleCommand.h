#pragma once
// The Schedule command: builds a job from the window's entries, hands it to the computer's
// scheduling service by the first route that takes it, and decides what the user is told. The
// platform stands behind one seam (SchedulePlatform.h); what the window shows at the end comes
// back as a value.

#include <optional>

#include "core/SchedulePlatform.h"
#include "core/WindowFields.h"

// What a click leaves the window to do: the message to show last (none where the user said
// Nein), and where the focus goes.
struct Outcome {
    std::optional<Message> message;
    FieldToFix field = FieldToFix::None;
};

// One click on "Schedule".
Outcome Command1_Click(const WindowFields& fields, SchedulePlatform& platform);
