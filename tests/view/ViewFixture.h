// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "ScriptedPrompts.h"
#include "TestUtil.h"
#include "document/TarnlightDoc.h"
#include "framework/CommandTable.h"
#include "points/PointDisplay.h"
#include "view/FrameServices.h"
#include "view/TarnlightView.h"

// Records what the view pushes into the status bar.
class FakeFrame : public FrameServices {
public:
    QString texts[4];
    int widths[4] = {0, -1, -1, -1};
    bool disabled[4] = {};
    void SetPaneText(int pane, const QString& text) override { texts[pane] = text; }
    void SetPaneInfo(int pane, int, bool dis, int width) override {
        widths[pane] = width;
        disabled[pane] = dis;
    }
    QString PaneText(int pane) const override { return texts[pane]; }
    CPointDisplay* PointDisplay() override { return &pointDisplay; }
    CPointDisplay pointDisplay;
    CSunDisplay* SunDisplay() override { return nullptr; }
    void ShowSunTimes(const QString& rise, const QString& set) override {
        sunrise = rise;
        sunset = set;
    }
    QString sunrise, sunset;
    int loadLastFile = 0;
    int& LoadLastFile() override { return loadLastFile; }
};

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::ClearSettings();
        view = std::make_unique<CTarnlightView>(doc, &frame);
        // The test drives the view's own commands; the view itself is given
        // only what the frame gives it (the document and the frame services),
        // so wiring of the frame's own is tested on the assembled program.
        table.setRoute({&view->Commands()});
        view->resize(400, 300);
        view->show();
        view->OnInitialUpdate();
    }
    void TearDown() override { view.reset(); }

    QWidget* vp() { return view->viewport(); }
    void Send(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(pos), vp()->mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
        QApplication::sendEvent(vp(), &e);
    }
    void Press(QPoint p) { Send(QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton); }
    void Release(QPoint p) { Send(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
    void Click(QPoint p) {
        Press(p);
        Release(p);
    }
    void DoubleClick(QPoint p) {
        Click(p);
        Send(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
        Release(p);
    }
    void Move(QPoint p, Qt::MouseButtons held = Qt::NoButton) {
        Send(QEvent::MouseMove, p, Qt::NoButton, held);
    }

    PromptsFixtureGuard guard;
    CTarnlightDoc doc;
    FakeFrame frame;
    CommandTable table;
    std::unique_ptr<CTarnlightView> view;
};
