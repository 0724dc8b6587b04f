// Checks a window definition once, before the window is built from it.
#include "ui/definition_check.h"

#include <algorithm>

#include "ui/texts.h"

namespace ui {

std::optional<DefinitionFault> CheckDefinition(const WindowDefinition& definition,
                                               std::span<const HandlerId> suppliedHandlers) {
    const auto controls = definition.controls;
    for (auto control = controls.begin(); control != controls.end(); ++control) {
        const bool repeated = std::any_of(controls.begin(), control, [&](const ControlDefinition& earlier) {
            return earlier.name == control->name;
        });
        if (repeated) return DefinitionFault{texts::DuplicateName, control->name};
    }
    for (const Binding& binding : definition.bindings) {
        const auto control = std::find_if(controls.begin(), controls.end(), [&](const ControlDefinition& candidate) {
            return candidate.name == binding.control;
        });
        if (control == controls.end()) return DefinitionFault{texts::UnknownControl, binding.control};
        if (!KindRaises(KindOf(control->settings), binding.event))
            return DefinitionFault{texts::EventNotRaised, binding.control};
        if (std::find(suppliedHandlers.begin(), suppliedHandlers.end(), binding.handler) == suppliedHandlers.end())
            return DefinitionFault{texts::MissingHandler, binding.control};
    }
    return std::nullopt;
}

}  // namespace ui
