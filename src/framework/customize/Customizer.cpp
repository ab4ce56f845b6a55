// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/customize/Customizer.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QProcess>
#include <QToolBar>
#include <set>

#include "framework/CommandTable.h"
#include "framework/FileNames.h"
#include "framework/Prompts.h"
#include "framework/Settings.h"
#include "framework/Shell.h"
#include "framework/customize/CustomizeDialog.h"
#include "resources/Art.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

using namespace customize;

Customizer::Customizer(QMainWindow& f, CommandTable& t, CommandMap& commands, QToolBar* standard,
                       const QImage& images)
    : QObject(&f), frame(f), table(t), standardBar(standard), userImages(images) {
    commands.on(cmd::Customize, [this] { RunDialog(); });
    for (int i = 0; i < kMaxToolbars; ++i) {
        int id = cmd::userToolbarCommand(i);
        table.action(id)->setCheckable(true);
        commands.on(
            id,
            [this, i] {
                if (bars[i]) bars[i]->setVisible(bars[i]->isHidden());
            },
            [this, i](CommandState& s) {
                s.enabled = bars[i] != nullptr;
                s.checked = bars[i] && !bars[i]->isHidden();
            });
    }
    ApplyTools();
}

QToolBar* Customizer::UserToolbar(int slot) const {
    return slot >= 0 && slot < kMaxToolbars ? bars[slot].data() : nullptr;
}

CustomizationState Customizer::Collect() const {
    CustomizationState s = state;
    for (int i = 0; i < kMaxToolbars; ++i)
        if (s.toolbars[i] && bars[i]) s.toolbars[i]->visible = !bars[i]->isHidden();
    if (standardBar) s.standardToolbarVisible = !standardBar->isHidden();
    return s;
}

void Customizer::Apply(const CustomizationState& s) {
    const CustomizationState old = state;
    state = s;
    ApplyToolbars();
    if (standardBar) standardBar->setHidden(!state.standardToolbarVisible);

    // Keys: every command changed before or now gets its keys again, so a
    // reset brings back the catalogue's.
    std::set<int> keyed;
    for (const auto& [id, keys] : old.keys) keyed.insert(id);
    for (const auto& [id, keys] : state.keys) keyed.insert(id);
    for (int id : keyed) {
        QAction* a = table.action(id);
        a->setShortcuts(state.Keys(id));
        // A command in no menu still answers its key.
        if (state.keys.count(id)) frame.addAction(a);
    }

    const QList<QPixmap> cells = ImageCells(userImages);
    std::set<int> imaged;
    for (const auto& [id, cell] : old.buttonImages) imaged.insert(id);
    for (const auto& [id, cell] : state.buttonImages) imaged.insert(id);
    for (int id : imaged) {
        auto it = state.buttonImages.find(id);
        bool own = it != state.buttonImages.end() && it->second < cells.size();
        table.action(id)->setIcon(own ? QIcon(cells[it->second]) : art::CommandIcon(id));
    }

    if (bindDoubleClick) {
        int id = state.doubleClickCommand;
        bindDoubleClick(id ? std::function<void()>([this, id] { table.execute(id); })
                           : std::function<void()>());
    }
    ApplyTools();
    table.refresh();
}

void Customizer::ApplyToolbars() {
    for (int i = 0; i < kMaxToolbars; ++i) {
        const std::optional<customize::UserToolbar>& want = state.toolbars[i];
        if (!want) {
            if (bars[i]) {
                // It may be the bar whose button opened the dialog: let it go later.
                QToolBar* gone = bars[i];
                bars[i] = nullptr;
                gone->setObjectName(QString());
                gone->hide();
                frame.removeToolBar(gone);
                gone->deleteLater();
            }
            continue;
        }
        if (!bars[i]) {
            auto* tb = new QToolBar(&frame);
            tb->setObjectName(QString::number(res::UserToolbarWindowFirst + i));
            tb->setIconSize(QSize(16, 16));
            frame.addToolBar(Qt::TopToolBarArea, tb);
            connect(tb, &QToolBar::visibilityChanged, &table, &CommandTable::requestRefresh);
            bars[i] = tb;
        }
        QToolBar* tb = bars[i];
        tb->setWindowTitle(want->title);
        table.action(cmd::userToolbarCommand(i))->setText(want->title);
        tb->clear();
        for (int id : want->commands) {
            if (id == kSeparator)
                tb->addSeparator();
            else
                tb->addAction(table.action(id));
        }
        tb->setHidden(!want->visible);
    }
}

QMenu* Customizer::ToolsMenu() const {
    for (QObject* o : table.action(cmd::UserToolsEntry)->associatedObjects())
        if (auto* menu = qobject_cast<QMenu*>(o)) return menu;
    return nullptr;
}

void Customizer::ApplyTools() {
    QAction* entry = table.action(cmd::UserToolsEntry);
    QMenu* menu = ToolsMenu();
    for (QAction* a : toolActions) {
        if (menu) menu->removeAction(a);
        a->deleteLater();
    }
    toolActions.clear();
    // The tools have actions of their own: their numbers are shared with
    // other commands, so the command table cannot route them.
    for (size_t i = 0; i < state.tools.size(); ++i) {
        const UserTool& tool = state.tools[i];
        auto* a = new QAction(tool.title, this);
        int id = cmd::UserToolFirst + static_cast<int>(i);
        a->setData(id);
        a->setObjectName(QString::number(id));
        a->setStatusTip(tool.program);
        connect(a, &QAction::triggered, this, [this, i] { RunTool(static_cast<int>(i)); });
        if (menu) menu->insertAction(entry, a);
        toolActions.append(a);
    }
    // With no tools the entry stands greyed in their place.
    entry->setVisible(toolActions.isEmpty());
}

void Customizer::RunTool(int index) {
    if (index < 0 || index >= static_cast<int>(state.tools.size())) return;
    const UserTool& tool = state.tools[index];
    if (!shell::Get().startDetached(tool.program, QProcess::splitCommand(tool.arguments)))
        Prompts::instance().message(
            QString(str::CustToolFailed).arg(filenames::Shown(tool.program)));
}

bool Customizer::Load() {
    CustomizationState s;
    bool ok = s.Load(SettingsStore::instance());
    Apply(s);
    loaded = true;
    return ok;
}

void Customizer::Save() const {
    if (!loaded) return;
    Collect().Save(SettingsStore::instance());
}

void Customizer::RunDialog() {
    CustomizeDialog dlg(Collect(), userImages, &frame);
    if (Prompts::instance().runModal(dlg) == QDialog::Accepted) Apply(dlg.State());
}

void Customizer::RegisterMenu(const QString& name, int menuId, QList<int> commands) {
    for (PopupMenu& m : popupMenus)
        if (m.id == menuId) {
            m.name = name;
            m.commands = std::move(commands);
            return;
        }
    popupMenus.append({menuId, name, std::move(commands)});
}

QString Customizer::MenuName(int menuId) const {
    for (const PopupMenu& m : popupMenus)
        if (m.id == menuId) return m.name;
    return {};
}

QMenu* Customizer::ShowPopupMenu(int menuId, QPoint globalPos, QWidget* owner) {
    for (const PopupMenu& m : popupMenus) {
        if (m.id != menuId) continue;
        table.refresh();
        auto* menu = new QMenu(owner);
        menu->setObjectName(QString::number(menuId));
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (int id : m.commands) {
            if (id == 0)
                menu->addSeparator();
            else
                menu->addAction(table.action(id));
        }
        menu->popup(globalPos);
        return menu;
    }
    return nullptr;
}
