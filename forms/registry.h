// The explicit list of forms and the command table of the form menus.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "forms/calcform.h"

namespace tov {

/// A registered form: its declaration and a factory.
struct FormEntry {
    const FormDecl& (*decl)();
    std::unique_ptr<CalcForm> (*make)();
};

/// Every form the core has, in menu order of the command table.
const std::vector<const FormEntry*>& formRegistry();
/// A form by class name, dialog id or command id; nullptr when there is none.
const FormEntry* findForm(std::string_view key);

/// One form command of the menus (all 29, whether or not the core has the form yet).
struct FormCommand {
    int commandId;
    const char* caption;
    const char* menu;
    int dialogId;
    const char* className;
    const char* prompt;   ///< status-bar prompt, or nullptr
    const char* tooltip;  ///< tooltip, or nullptr
};
const std::vector<FormCommand>& formCommands();
/// The form of a command, or nullptr while the core does not have it.
const FormEntry* formForCommand(int commandId);

}  // namespace tov

/// Defines the registry entry of a form class whose declaration is returned by declFn().
#define TOVARIN_FORM(Class, declFn)                                                   \
    extern const ::tov::FormEntry k##Class##Entry;                                     \
    const ::tov::FormEntry k##Class##Entry{&declFn, []() -> std::unique_ptr<::tov::CalcForm> { \
        return std::make_unique<Class>();                                             \
    }};
