#include "platform/command_table.h"

bool CommandTable::Bind(int commandId, std::function<void()> handler) {
    if (!handler) {
        return false;
    }
    return handlers.emplace(commandId, std::move(handler)).second;
}

bool CommandTable::Handles(int commandId) const { return handlers.count(commandId) != 0; }

bool CommandTable::Dispatch(int commandId) const {
    const auto found = handlers.find(commandId);
    if (found == handlers.end()) {
        return false;
    }
    // A copy: the handler may rebind or destroy the table's owner while it runs.
    const std::function<void()> handler = found->second;
    handler();
    return true;
}

void CommandRoute::Add(const CommandTable& table) {
    Add([&table](int id) { return table.Handles(id); },
        [&table](int id) { return table.Dispatch(id); });
}

void CommandRoute::Add(HandlesFn handles, DispatchFn dispatch) {
    stops.push_back({std::move(handles), std::move(dispatch)});
}

bool CommandRoute::Handles(int commandId) const {
    for (const Stop& stop : stops) {
        if (stop.handles(commandId)) {
            return true;
        }
    }
    return false;
}

bool CommandRoute::Dispatch(int commandId) const {
    for (const Stop& stop : stops) {
        if (stop.handles(commandId)) {
            return stop.dispatch(commandId);
        }
    }
    return false;
}
