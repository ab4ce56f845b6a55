// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>

#include "framework/CommandTable.h"
#include "view/FrameServices.h"

class QDockWidget;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;
class QToolButton;
class QTimer;
class COverviewPanel;
class CTarnlightApp;
class CTarnlightDoc;
class CTarnlightView;
class CAdPanel;
class CFishingCalendar;
class Customizer;

// The main window: menus, the main toolbar, the status bar with its X,Y,
// latitude and longitude panes, the three docked panels on the right, and
// the one map view in the middle.
class CMainFrame : public QMainWindow, public FrameServices {
    Q_OBJECT
public:
    explicit CMainFrame(CTarnlightApp& app);
    ~CMainFrame() override;

    CommandTable& Commands() { return table; }
    CTarnlightDoc& Document() { return *doc; }
    CTarnlightView& View() { return *view; }
    QDockWidget* PointDock() const { return pointDock; }
    QDockWidget* SunDock() const { return sunDock; }
    QDockWidget* AdDock() const { return adDock; }
    QDockWidget* OverviewDock() const { return overviewDock; }
    COverviewPanel* Overview() const;
    QDockWidget* CalendarDock() const { return calendarDock; }
    CFishingCalendar* FishingCalendar() const;
    QToolBar* MainToolBar() const { return toolBar; }
    Customizer& Customization() { return *customizer; }
    const QImage& UserImages() const { return userImages; }

    // The toolbar menu: on bars' right click and as View > Toolbars.
    QMenu* createPopupMenu() override;
    void FillToolbarMenu(QMenu& menu);

    // Restores the saved window placement and bar layout.
    void RestoreLayout();
    void SaveLayout();
    // The run ends before it began (the command line's file would not open):
    // closing writes no settings.
    void AbandonWithoutSettings();

    // FrameServices
    void SetPaneText(int pane, const QString& text) override;
    void SetPaneInfo(int pane, int id, bool disabled, int width) override;
    QString PaneText(int pane) const override;
    CPointDisplay* PointDisplay() override;
    CSunDisplay* SunDisplay() override;
    void ShowSunTimes(const QString& sunrise, const QString& sunset) override;
    int& LoadLastFile() override;
    void ShowPopupMenu(int menuId, QPoint globalPos, QWidget* owner) override;
    QLabel* Pane(int pane) const { return panes[pane]; }

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateDocks();
    void BuildCommandMaps();
    void UpdateTitle();
    int FittingWidth(int pane) const;
    void TogglePanel(QDockWidget* dock);
    void RebuildRecentMenu();
    // The calendar follows the location's first reference point and path.
    void UpdateCalendarPlace();
    QAction* Act(int id) { return table.action(id); }

    CTarnlightApp& app;
    CommandTable table;
    CommandMap frameMap;
    CommandMap docMap;
    CTarnlightDoc* doc = nullptr;
    CTarnlightView* view = nullptr;
    QToolBar* toolBar = nullptr;
    QDockWidget* pointDock = nullptr;
    QDockWidget* sunDock = nullptr;
    QDockWidget* adDock = nullptr;
    QDockWidget* overviewDock = nullptr;
    QTimer* decodingShown = nullptr;
    QProgressBar* decodeProgress = nullptr;
    QToolButton* decodeCancel = nullptr;
    void WatchDecoding();
    QDockWidget* calendarDock = nullptr;
    std::array<QLabel*, 5> panes{};  // 4: the GPS link
    QMenu* recentMenuAnchor = nullptr;
    QMenu* fileMenu = nullptr;
    QList<QAction*> recentActions;
    QAction* recentSeparator = nullptr;
    QImage userImages;
    Customizer* customizer = nullptr;
    bool tornDown = false;
};
