// A menu bar built from a menu resource and driven by a command route: an item is
// enabled only while some stop of the route handles its id, and choosing it dispatches
// the id along that route.
#pragma once

#include <QObject>
#include <map>

#include "platform/command_table.h"

class QAction;
class QMenu;
class QMenuBar;
struct MenuEntry;
struct MenuResource;

class CommandMenu : public QObject {
    Q_OBJECT
  public:
    // Fills `bar` (which must be empty) from `resource`; the menu lives as long as `bar`.
    CommandMenu(QMenuBar* bar, const MenuResource& resource, CommandRoute route);

    // Builds on the menu resource with id `menuId`; nullptr when there is no such menu.
    static CommandMenu* Build(QMenuBar* bar, int menuId, CommandRoute route);

    // The item with command id `commandId`, or nullptr.
    QAction* Action(int commandId) const;
    // Puts a check mark on an item or takes it off; the mark stays until the next call,
    // whatever choosing the item does. Items that their resource marks checkable are so from
    // the start; any other item becomes checkable when it is first given a mark.
    void SetChecked(int commandId, bool checked);
    bool IsChecked(int commandId) const;
    // Enables exactly the items that the route handles now. Runs before a popup opens,
    // so commands bound later show enabled at once.
    void UpdateEnabled();

    QMenuBar* MenuBar() const { return bar; }

    // A menu bar knows its CommandMenu, so a window can find it again.
    static CommandMenu* Of(QMenuBar* bar);

  private:
    void AddEntries(QWidget* menu, const std::vector<MenuEntry>& entries);
    void Trigger(int commandId);

    QMenuBar* bar;
    CommandRoute route;
    std::map<int, QAction*> actions;
    std::map<int, bool> checks;
};
