#pragma once

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

#include "framework/customize/CustomizationState.h"

class CommandMap;
class CommandTable;
class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

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
    bool loaded = false;
};
