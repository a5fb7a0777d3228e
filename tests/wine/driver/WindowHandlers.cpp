#include "MessageBoxHandler.h"
#include "WindowHandler.h"

std::vector<std::unique_ptr<WindowHandler>> MakeWindowHandlers() {
    std::vector<std::unique_ptr<WindowHandler>> handlers;
    handlers.push_back(std::make_unique<MessageBoxHandler>());
    return handlers;
}
