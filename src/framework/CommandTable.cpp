// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/CommandTable.h"

#include <QAction>
#include <QTimer>

#include "resources/Art.h"
#include "resources/CommandCatalog.h"

CommandMap& CommandMap::on(int id, Run run, Update update) {
    Entry& e = entries[id];
    e.run = std::move(run);
    if (update) e.update = std::move(update);
    return *this;
}

CommandMap& CommandMap::rule(int id, Update update) {
    entries[id].update = std::move(update);
    return *this;
}

const CommandMap::Entry* CommandMap::find(int id) const {
    auto it = entries.find(id);
    return it == entries.end() ? nullptr : &it->second;
}

CommandTable::CommandTable(QObject* parent) : QObject(parent) {}

QAction* CommandTable::action(int id) {
    if (QAction* a = actions.value(id)) return a;
    auto* a = new QAction(this);
    a->setData(id);
    a->setObjectName(QString::number(id));
    if (const CommandInfo* info = catalog::Find(id)) {
        a->setText(QString::fromUtf8(info->menuText));
        a->setStatusTip(QString::fromUtf8(info->statusText));
        a->setToolTip(QString::fromUtf8(info->toolTip));
        a->setCheckable(info->checkable);
        if (info->standardKey != QKeySequence::UnknownKey)
            a->setShortcuts(info->standardKey);
        else if (info->shortcut)
            a->setShortcut(QKeySequence(QString::fromLatin1(info->shortcut)));
    }
    if (art::HasCommandImage(id)) a->setIcon(art::CommandIcon(id));
    connect(a, &QAction::triggered, this, [this, id, a] {
        // A checkable action flips itself before we see it; the rule decides.
        execute(id);
        CommandState s = state(id);
        a->setChecked(s.checked);
    });
    actions.insert(id, a);
    CommandState s = state(id);
    a->setEnabled(s.enabled);
    if (a->isCheckable()) a->setChecked(s.checked);
    return a;
}

void CommandTable::setRoute(std::vector<const CommandMap*> r) {
    route = std::move(r);
    refresh();
}

const CommandMap::Entry* CommandTable::handlerFor(int id) const {
    for (const CommandMap* m : route)
        if (m)
            if (const CommandMap::Entry* e = m->find(id); e && e->run) return e;
    return nullptr;
}

CommandState CommandTable::state(int id) const {
    for (const CommandMap* m : route) {
        if (!m) continue;
        const CommandMap::Entry* e = m->find(id);
        if (e && e->update) {
            CommandState s;
            s.enabled = handlerFor(id) != nullptr;
            e->update(s);
            return s;
        }
    }
    CommandState s;
    s.enabled = handlerFor(id) != nullptr;
    return s;
}

bool CommandTable::execute(int id) {
    if (!state(id).enabled) return false;
    const CommandMap::Entry* e = handlerFor(id);
    if (!e) return false;
    e->run();
    emit executed(id);
    requestRefresh();
    return true;
}

void CommandTable::refresh() {
    refreshPending = false;
    for (auto it = actions.begin(); it != actions.end(); ++it) {
        CommandState s = state(it.key());
        it.value()->setEnabled(s.enabled);
        if (it.value()->isCheckable()) it.value()->setChecked(s.checked);
    }
}

void CommandTable::requestRefresh() {
    if (refreshPending) return;
    refreshPending = true;
    QTimer::singleShot(0, this, [this] {
        if (refreshPending) refresh();
    });
}
