// The check a window definition passes before anything is built from it: unique
// control names, and every binding naming an existing control, an event that the
// control's kind raises and a handler that the program supplies.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "ui/window_definition.h"

namespace ui {

struct DefinitionFault {
    std::string_view reason;   // one of the texts of texts.h
    std::string_view subject;  // the control name at fault
};

std::optional<DefinitionFault> CheckDefinition(const WindowDefinition& definition,
                                               std::span<const HandlerId> suppliedHandlers);

}  // namespace ui
