// Command ids to handlers: each window class has its table, and a command travels a route
// of tables (the window's, then the application's) to the first that handles it.
#pragma once

#include <functional>
#include <map>
#include <vector>

class CommandTable {
  public:
    // Binds `commandId` once; a second binding of the same id is refused (false).
    bool Bind(int commandId, std::function<void()> handler);
    bool Handles(int commandId) const;
    // Runs the handler; false when none is bound.
    bool Dispatch(int commandId) const;

  private:
    std::map<int, std::function<void()>> handlers;
};

class CommandRoute {
  public:
    using HandlesFn = std::function<bool(int)>;
    using DispatchFn = std::function<bool(int)>;

    // Stops are asked in the order they were added. A table must outlive the route.
    void Add(const CommandTable& table);
    void Add(HandlesFn handles, DispatchFn dispatch);

    bool Handles(int commandId) const;
    // Runs the first stop that handles `commandId`; false when none does.
    bool Dispatch(int commandId) const;

  private:
    struct Stop {
        HandlesFn handles;
        DispatchFn dispatch;
    };
    std::vector<Stop> stops;
};
