// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>

#include "framework/CommandTable.h"
#include "resources/CommandIds.h"

namespace {

TEST(CommandTable, RoutingAndRules) {
    int viewRuns = 0, docRuns = 0, appRuns = 0;
    bool viewEnabled = true;
    CommandMap view, doc, app;
    view.on(
        1, [&] { ++viewRuns; }, [&](CommandState& s) { s.enabled = viewEnabled; });
    doc.on(1, [&] { ++docRuns; });
    doc.on(2, [&] { ++docRuns; });
    app.on(2, [&] { ++appRuns; });
    app.rule(3, [](CommandState& s) { s.enabled = true; });  // a rule but no handler
    CommandTable table;
    table.setRoute({&view, &doc, &app});

    struct Case {
        int id;
        bool runs;
        int view, doc, app;
    };
    // The first target with a handler runs it.
    EXPECT_TRUE(table.execute(1));
    EXPECT_EQ(viewRuns, 1);
    EXPECT_EQ(docRuns, 0);
    EXPECT_TRUE(table.execute(2));
    EXPECT_EQ(docRuns, 1);
    EXPECT_EQ(appRuns, 0);
    // A command nobody handles is disabled.
    EXPECT_FALSE(table.state(99).enabled);
    EXPECT_FALSE(table.execute(99));
    EXPECT_FALSE(table.execute(3));
    // The first rule decides, even when a later target would run it.
    viewEnabled = false;
    EXPECT_FALSE(table.state(1).enabled);
    EXPECT_FALSE(table.execute(1));
    EXPECT_EQ(viewRuns, 1);
    EXPECT_EQ(docRuns, 1);
}

TEST(CommandTable, DisabledCommandNeverRunsWhateverTriggersIt) {
    int runs = 0;
    bool enabled = false;
    CommandMap m;
    m.on(
        cmd::DrawLine, [&] { ++runs; },
        [&](CommandState& s) {
            s.enabled = enabled;
            s.checked = true;
        });
    CommandTable table;
    table.setRoute({&m});
    QAction* a = table.action(cmd::DrawLine);
    EXPECT_FALSE(a->isEnabled());
    EXPECT_TRUE(a->isChecked());
    a->trigger();         // a disabled QAction ignores this
    a->setEnabled(true);  // even if something enabled the action behind our back
    a->trigger();
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(table.execute(cmd::DrawLine));
    enabled = true;
    table.refresh();
    EXPECT_TRUE(a->isEnabled());
    a->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(a->isChecked());  // the rule, not the click, sets the check mark
}

TEST(CommandTable, ActionsCarryCatalogueTexts) {
    CommandTable table;
    QAction* a = table.action(cmd::EraseLastDrawing);
    EXPECT_EQ(a->toolTip(), " Undo Last Drawing");
    EXPECT_EQ(a->statusTip(), "Erase Last Drawing");
    EXPECT_EQ(table.action(cmd::FilePrint)->shortcut(), QKeySequence(QKeySequence::Print));
    EXPECT_EQ(table.action(cmd::FilePrint), table.action(cmd::FilePrint));
}

}  // namespace
