#include "ConditionsDialogHandler.h"
#include "MessageBoxHandler.h"
#include "ProgressWindow.h"
#include "WindowHandler.h"

std::vector<std::unique_ptr<WindowHandler>> MakeWindowHandlers() {
    std::vector<std::unique_ptr<WindowHandler>> handlers;
    handlers.push_back(std::make_unique<MessageBoxHandler>());
    handlers.push_back(std::make_unique<ConditionsDialogHandler>());
    handlers.push_back(std::make_unique<ProgressWindowHandler>());
    return handlers;
}
