// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>

class CPointDisplay;
class CSunDisplay;
class QWidget;

// What the map view asks of the main frame: the status bar panes and the
// docked panels it pushes texts into. The frame implements it; tests and the
// command-line tool may leave it out.
class FrameServices {
public:
    virtual ~FrameServices() = default;
    // Pane 0 is the message pane; 1..3 are X,Y, Latitude and Longitude; 4
    // is the GPS link's state.
    virtual void SetPaneText(int pane, const QString& text) = 0;
    // width 0 with disabled collapses a pane to nothing.
    virtual void SetPaneInfo(int pane, int id, bool disabled, int width) = 0;
    virtual QString PaneText(int pane) const = 0;
    virtual CPointDisplay* PointDisplay() = 0;
    virtual CSunDisplay* SunDisplay() = 0;
    // The application's "reopen the last file" flag, which the
    // Configuration dialog edits.
    virtual int& LoadLastFile() = 0;
    // Today's sunrise and sunset texts for the Sun Display.
    virtual void ShowSunTimes(const QString& sunrise, const QString& sunset) = 0;
    // A registered pop-up menu at a screen position; without a frame there is none.
    virtual void ShowPopupMenu(int /*menuId*/, QPoint /*globalPos*/, QWidget* /*owner*/) {}
};
