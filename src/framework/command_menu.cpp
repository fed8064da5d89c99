#include "framework/command_menu.h"

#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "framework/codepage.h"
#include "res/menus.h"

namespace {
constexpr const char* kMenuProperty = "zentuCommandMenu";
}

CommandMenu::CommandMenu(QMenuBar* menuBar, const MenuResource& resource, CommandRoute commands)
    : QObject(menuBar), bar(menuBar), route(std::move(commands)) {
    bar->setProperty(kMenuProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    AddEntries(bar, resource.bar);
    UpdateEnabled();
}

CommandMenu* CommandMenu::Build(QMenuBar* bar, int menuId, CommandRoute route) {
    const MenuResource* resource = FindMenu(menuId);
    if (resource == nullptr) {
        return nullptr;
    }
    return new CommandMenu(bar, *resource, std::move(route));
}

CommandMenu* CommandMenu::Of(QMenuBar* bar) {
    if (bar == nullptr) {
        return nullptr;
    }
    return qobject_cast<CommandMenu*>(bar->property(kMenuProperty).value<QObject*>());
}

void CommandMenu::AddEntries(QWidget* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& entry : entries) {
        const QString text = TextToQString(entry.text);
        switch (entry.kind) {
            case MenuEntryKind::Separator: {
                auto* action = new QAction(menu);
                action->setSeparator(true);
                menu->addAction(action);
                break;
            }
            case MenuEntryKind::Popup: {
                auto* popup = new QMenu(text, menu);
                connect(popup, &QMenu::aboutToShow, this, &CommandMenu::UpdateEnabled);
                AddEntries(popup, entry.children);
                menu->addAction(popup->menuAction());
                break;
            }
            case MenuEntryKind::Item: {
                auto* action = new QAction(text, menu);
                const int id = entry.id;
                action->setData(id);
                action->setCheckable(entry.checkable);
                connect(action, &QAction::triggered, this, [this, id] { Trigger(id); });
                menu->addAction(action);
                actions[id] = action;
                break;
            }
        }
    }
}

QAction* CommandMenu::Action(int commandId) const {
    const auto found = actions.find(commandId);
    return found == actions.end() ? nullptr : found->second;
}

void CommandMenu::SetChecked(int commandId, bool checked) {
    QAction* action = Action(commandId);
    if (action == nullptr) {
        return;
    }
    checks[commandId] = checked;
    action->setCheckable(true);
    action->setChecked(checked);
}

bool CommandMenu::IsChecked(int commandId) const {
    const auto found = checks.find(commandId);
    return found != checks.end() && found->second;
}

void CommandMenu::UpdateEnabled() {
    for (const auto& [id, action] : actions) {
        action->setEnabled(route.Handles(id));
    }
}

void CommandMenu::Trigger(int commandId) {
    // Qt toggles a checkable item by itself; the handler alone decides the mark.
    if (QAction* action = Action(commandId); action != nullptr && action->isCheckable()) {
        action->setChecked(IsChecked(commandId));
    }
    // The handler may close the window and with it this menu.
    QPointer<CommandMenu> self(this);
    route.Dispatch(commandId);
    if (self != nullptr) {
        UpdateEnabled();
    }
}
