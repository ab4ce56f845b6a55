// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <functional>
#include <map>
#include <vector>

class QAction;

struct CommandState {
    bool enabled = true;
    bool checked = false;
};

// One target's commands: what each runs and the rule that decides whether
// it is enabled or checked.
class CommandMap {
public:
    using Run = std::function<void()>;
    using Update = std::function<void(CommandState&)>;

    CommandMap& on(int id, Run run, Update update = {});
    // A rule without a handler of its own (the handler sits further along).
    CommandMap& rule(int id, Update update);

    struct Entry {
        Run run;
        Update update;
    };
    const Entry* find(int id) const;

private:
    std::map<int, Entry> entries;
};

// The frame's commands: one QAction per id, routed through the targets in
// order (view, document, frame, application). A command's state comes from
// the first target with a rule for it; a command no target handles is
// disabled; a disabled command never runs, however it is triggered.
class CommandTable : public QObject {
    Q_OBJECT
public:
    explicit CommandTable(QObject* parent = nullptr);

    // The action of a command, made on first use from the catalogue.
    QAction* action(int id);
    void setRoute(std::vector<const CommandMap*> route);

    CommandState state(int id) const;
    bool execute(int id);
    // Pushes every state into its action (menus about to show, after a command).
    void refresh();
    // Asks for a refresh once control returns to the event loop.
    void requestRefresh();

signals:
    void executed(int id);

private:
    const CommandMap::Entry* handlerFor(int id) const;

    std::vector<const CommandMap*> route;
    QHash<int, QAction*> actions;
    bool refreshPending = false;
};
