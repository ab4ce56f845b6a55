// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QStringList>
#include <functional>

#include "mapwright/EditorDoc.h"

class CMapCanvas;
class QLabel;
class QListWidget;
class QDockWidget;
class QMenu;

// The editor's main window: menus and toolbar over the editor's commands,
// the canvas, a panel listing the maps from the top of the drawing order
// down, and a status bar with the position under the mouse.
class CEditorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CEditorWindow(QWidget* parent = nullptr);
    ~CEditorWindow() override;

    CEditorDoc& Doc() { return doc; }
    CMapCanvas& Canvas() { return *canvas; }
    // An action by its object name ("save", "arrangeRow", ...).
    QAction* Action(const QString& name) const;

    // Opens a file named on the command line or in the recent list, after
    // offering to save changes. True when it was read.
    bool OpenFile(const QString& path);
    // Chooses the images for Add Images; replaceable so tests need no dialog.
    std::function<QStringList()> pickImages;

    // The status bar's position texts.
    QString PositionText() const;
    QString LatitudeText() const;
    QString LongitudeText() const;

    // Writes the help page out of the program and asks the desktop to show it.
    void OnHelp();

protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateDock();
    void CreateStatusBar();

    void UpdateTitle();
    void UpdateActions();
    void RebuildMapsList();
    void RebuildRecentMenu();
    void Remember(const QString& path);
    void ShowHover(QPoint pixel, bool inside);
    void ShowContextMenu(QPoint globalPos);

    void OnNew();
    void OnOpen();
    void OnSave();
    void OnSaveAs();
    void OnAddImages();
    void OnAbout();

    CEditorDoc doc;
    CMapCanvas* canvas = nullptr;
    QListWidget* mapsList = nullptr;
    QDockWidget* dock = nullptr;
    QMenu* recentMenu = nullptr;
    QLabel* hintLabel = nullptr;
    QLabel* positionLabel = nullptr;
    QLabel* latitudeLabel = nullptr;
    QLabel* longitudeLabel = nullptr;
    QLabel* zoomLabel = nullptr;
    bool syncingSelection = false;
};
