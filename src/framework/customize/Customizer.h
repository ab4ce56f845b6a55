// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

#include "framework/customize/CustomizationState.h"

class CommandMap;
class CommandTable;
class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

// Puts a CustomizationState into a frame: the user toolbars (made before the
// frame restores its layout, so their places come back), keys, button
// images, the double-click and the user tools under the tools menu entry.
// It also handles Customize (32770) and the ten toolbar toggles.
class Customizer : public QObject {
    Q_OBJECT
public:
    Customizer(QMainWindow& frame, CommandTable& table, CommandMap& commands, QToolBar* standardBar,
               const QImage& userImages);

    // Hands the view its double-click action; an empty one leaves it beeping.
    std::function<void(std::function<void()>)> bindDoubleClick;

    // The state as the frame shows it now (toolbar visibility included).
    CustomizationState Collect() const;
    void Apply(const CustomizationState& s);

    // From and to the settings store; a damaged saved state gives the
    // defaults and false. Nothing is saved before a load (a run that only
    // prints must not wipe what the user made).
    bool Load();
    void Save() const;

    void RunDialog();

    QToolBar* UserToolbar(int slot) const;

    // The context-menu service: pop-up menus registered under a name, shown
    // with their items following the commands' update rules.
    void RegisterMenu(const QString& name, int menuId, QList<int> commands);
    QString MenuName(int menuId) const;
    // Opens the menu at a screen position, owned by owner; null when unknown.
    QMenu* ShowPopupMenu(int menuId, QPoint globalPos, QWidget* owner);
    // The actions of the user tools, in menu order.
    const QList<QAction*>& ToolActions() const { return toolActions; }

private:
    void ApplyToolbars();
    void ApplyTools();
    void RunTool(int index);
    QMenu* ToolsMenu() const;

    QMainWindow& frame;
    CommandTable& table;
    QPointer<QToolBar> standardBar;
    QImage userImages;
    CustomizationState state;
    std::array<QPointer<QToolBar>, customize::kMaxToolbars> bars;
    QList<QAction*> toolActions;
    struct PopupMenu {
        int id;
        QString name;
        QList<int> commands;
    };
    QList<PopupMenu> popupMenus;
    bool loaded = false;
};
