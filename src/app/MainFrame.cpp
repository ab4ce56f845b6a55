// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "app/AdPanel.h"
#include "app/FishingCalendar.h"
#include "app/SendMail.h"
#include "app/TarnlightApp.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "framework/FirstWindowSize.h"
#include "framework/Settings.h"
#include "framework/customize/Customizer.h"
#include "imaging/TileCache.h"
#include "points/PointDisplay.h"
#include "resources/Art.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"
#include "tools/SunDisplay.h"
#include "view/OverviewPanel.h"
#include "view/TarnlightView.h"

namespace {
constexpr int kLayoutVersion = 1;
const char* kGeometryKey = "Frame/Geometry";
const char* kStateKey = "Frame/State";

QDockWidget* MakeDock(QMainWindow* frame, const char* title, int id, QWidget* content, QSize size) {
    auto* dock = new QDockWidget(title, frame);
    dock->setObjectName(QString::number(id));
    dock->setAllowedAreas(Qt::AllDockWidgetAreas);
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                      QDockWidget::DockWidgetClosable);
    content->setParent(dock);
    content->resize(size);
    dock->setWidget(content);
    return dock;
}
}  // namespace

CMainFrame::CMainFrame(CTarnlightApp& a) : app(a) {
    setObjectName("CMainFrame");
    setWindowIcon(art::AppIcon());
    doc = new CTarnlightDoc(this);
    doc->SetRecentFileList(&app.Recent());

    // Menu bar and toolbar come first: the view's status readout needs them.
    userImages = QImage("UserImages.bmp");  // optional; missing is no error
    CreateStatusBar();
    CreateDocks();
    view = new CTarnlightView(*doc, this, this);
    setCentralWidget(view);
    Overview()->SetView(view);
    connect(doc, &CTarnlightDoc::resetAfterLoad, Overview(), [this] {
        Overview()->Reset();
        Overview()->update();
    });
    WatchDecoding();
    BuildCommandMaps();
    CreateMenus();
    CreateToolBar();
    customizer = new Customizer(*this, table, frameMap, toolBar, userImages);
    customizer->bindDoubleClick = [this](std::function<void()> run) {
        view->onUnhandledDoubleClick = std::move(run);
    };
    // Registered before the customization restores its state, as it expects.
    customizer->RegisterMenu(str::ViewMenuName, res::ViewContextMenu,
                             {cmd::ZoomIn, cmd::ZoomOut, cmd::Pan});
    view->SetCommandTable(&table);

    connect(doc, &CDocument::titleChanged, this, &CMainFrame::UpdateTitle);
    connect(doc, &CDocument::modifiedChanged, this, [this](bool m) { setWindowModified(m); });
    connect(doc, &CDocument::titleChanged, this, &CMainFrame::RebuildRecentMenu);
    // The rules read the document's name, its flag and the recent list.
    connect(doc, &CDocument::titleChanged, &table, &CommandTable::refresh);
    connect(doc, &CDocument::modifiedChanged, &table, &CommandTable::refresh);
    connect(doc, &CDocument::titleChanged, this, &CMainFrame::UpdateCalendarPlace);
    connect(doc, &CDocument::modifiedChanged, this, &CMainFrame::UpdateCalendarPlace);
    UpdateTitle();
    resize(FirstWindowSize(*this, QSize(1100, 760)));
    view->OnInitialUpdate();
}

CMainFrame::~CMainFrame() {
    if (!tornDown && view) view->Teardown(app.loadLastFile);
    // The view (and the location it owns) goes before the document it serves.
    delete view;
    view = nullptr;
}

void CMainFrame::BuildCommandMaps() {
    auto togglePanelRule = [](QDockWidget* d) {
        return [d](CommandState& s) { s.checked = !d->isHidden(); };
    };
    frameMap.on(
        cmd::ShowPointDisplay, [this] { TogglePanel(pointDock); }, togglePanelRule(pointDock));
    frameMap.on(
        cmd::ShowSunDisplay, [this] { TogglePanel(sunDock); }, togglePanelRule(sunDock));
    frameMap.on(
        cmd::ShowAdPanel, [this] { TogglePanel(adDock); }, togglePanelRule(adDock));
    frameMap.on(
        cmd::ShowOverview, [this] { TogglePanel(overviewDock); }, togglePanelRule(overviewDock));
    frameMap.on(
        cmd::ShowFishingCalendar, [this] { TogglePanel(calendarDock); },
        togglePanelRule(calendarDock));
    frameMap.on(
        cmd::ViewToolbar, [this] { toolBar->setVisible(toolBar->isHidden()); },
        [this](CommandState& s) { s.checked = toolBar && !toolBar->isHidden(); });
    frameMap.on(
        cmd::ViewStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); },
        [this](CommandState& s) { s.checked = !statusBar()->isHidden(); });
    // Present for the GPS link and the query bar, which do nothing yet by design.
    frameMap.on(cmd::ViewGps, [] {});
    frameMap.on(cmd::ToggleQuery, [] {});
    frameMap.on(cmd::AppExit, [this] { close(); });
    frameMap.on(cmd::FileNew, [this] { doc->NewDocument(); });
    frameMap.on(cmd::FileSave, [this] { doc->DoFileSave(); });
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        frameMap.on(
            cmd::FileMru1 + i,
            [this, i] {
                const QStringList& files = app.Recent().Files();
                if (i >= files.size()) return;
                // A copy: the open reorders the list the entry lives in.
                const QString path = files[i];
                doc->OpenDocumentFile(path);
            },
            [this, i](CommandState& s) { s.enabled = i < app.Recent().Files().size(); });
    }
    docMap.on(cmd::FileOpen, [this] { doc->OnFileOpen(); });
    docMap.on(cmd::FileSaveAs, [this] { doc->OnFileSaveAs(); });
    docMap.on(
        cmd::FileSendMail, [this] { SendMail(*doc); },
        [](CommandState& s) { s.enabled = MailSystemPresent(); });
    table.setRoute({&view->Commands(), &docMap, &frameMap, &app.Commands()});
    connect(&table, &CommandTable::executed, this, [this](int) { table.refresh(); });
}

void CMainFrame::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QString::number(res::MenuBarWindow));
    auto addMenu = [&](const char* title, std::initializer_list<int> ids) {
        QMenu* m = bar->addMenu(title);
        for (int id : ids) {
            if (id == 0)
                m->addSeparator();
            else
                m->addAction(Act(id));
        }
        connect(m, &QMenu::aboutToShow, &table, &CommandTable::refresh);
        return m;
    };
    fileMenu = addMenu(
        "&File", {cmd::FileNew, cmd::FileOpen, cmd::FileSave, cmd::FileSaveAs, 0, cmd::ImportGpx,
                  cmd::ExportGpx, 0, cmd::FilePrint, cmd::FilePrintPreview, cmd::FilePrintSetup,
                  cmd::ExportPdf, cmd::ExportImage, 0, cmd::FileSendMail});
    recentSeparator = fileMenu->addSeparator();
    for (int i = 0; i < RecentFileList::kSize; ++i) {
        QAction* a = Act(cmd::FileMru1 + i);
        recentActions.append(a);
        fileMenu->addAction(a);
    }
    fileMenu->addSeparator();
    fileMenu->addAction(Act(cmd::AppExit));
    RebuildRecentMenu();

    QMenu* viewMenu = bar->addMenu("&View");
    QMenu* toolbars = viewMenu->addMenu("&Toolbars");
    connect(toolbars, &QMenu::aboutToShow, this, [this, toolbars] {
        table.refresh();
        toolbars->clear();
        FillToolbarMenu(*toolbars);
    });
    viewMenu->addAction(Act(cmd::ViewStatusBar));
    viewMenu->addAction(Act(cmd::ShowFishingCalendar));
    viewMenu->addSeparator();
    for (int id : {cmd::StandardMode, cmd::DrawingMode, cmd::Pan, cmd::MeasureDistance,
                   cmd::Magnifier, cmd::CalibrateMode})
        viewMenu->addAction(Act(id));
    viewMenu->addSeparator();
    viewMenu->addAction(Act(cmd::ZoomIn));
    viewMenu->addAction(Act(cmd::ZoomOut));
    viewMenu->addAction(Act(cmd::ShowOverview));
    connect(viewMenu, &QMenu::aboutToShow, &table, &CommandTable::refresh);

    addMenu("&Drawing", {cmd::DrawFreeHand, cmd::DrawLine, cmd::DrawSquare, cmd::DrawEllipse, 0,
                         cmd::EraseLastDrawing, cmd::EraseAllDrawing});
    addMenu("&Points", {cmd::AddUserPoint, cmd::SetupUserPoint, cmd::RemoveUserPoints, 0,
                        cmd::SetupMapPoints});
    addMenu("&Setup", {cmd::CoordSetup, cmd::SetupMapPoints, cmd::SetupUserPoint,
                       cmd::RemoveUserPoints, 0, cmd::SetupRedlinePen, cmd::MagnifySetup,
                       cmd::SystemConfiguration, cmd::Layers, 0, cmd::SetupGps, cmd::ConnectGps,
                       cmd::MarkSpot, cmd::KeepBoatInView, cmd::SaveTrack, cmd::TrackToStroke});
    addMenu("&Tools",
            {cmd::BassWeight, cmd::MapLocationEditor, 0, cmd::UserToolsEntry, 0, cmd::Customize});
    addMenu("&Help", {cmd::HelpContents, cmd::WebSite, 0, cmd::AppAbout});
}

void CMainFrame::CreateToolBar() {
    toolBar = new QToolBar(str::StandardToolbarTitle, this);
    toolBar->setObjectName(QString::number(cmd::ViewToolbar));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setMovable(true);
    const int buttons[] = {cmd::FileOpen,
                           cmd::FileSave,
                           cmd::FilePrint,
                           0,
                           cmd::AddUserPoint,
                           0,
                           cmd::StandardMode,
                           cmd::Magnifier,
                           cmd::Pan,
                           cmd::MeasureDistance,
                           cmd::CalibrateMode,
                           cmd::DrawingMode,
                           0,
                           cmd::DrawSquare,
                           cmd::DrawEllipse,
                           cmd::DrawFreeHand,
                           cmd::DrawLine,
                           cmd::EraseAllDrawing,
                           cmd::EraseLastDrawing};
    for (int id : buttons) {
        if (id == 0)
            toolBar->addSeparator();
        else
            toolBar->addAction(Act(id));
    }
    addToolBar(Qt::TopToolBarArea, toolBar);
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName("59393");
    const std::pair<int, const char*> indicators[] = {
        {res::IndicatorXY, str::IndicatorXY},
        {res::IndicatorLatitude, str::IndicatorLatitude},
        {res::IndicatorLongitude, str::IndicatorLongitude}};
    panes[0] = nullptr;  // the message pane is the status bar's own message area
    int i = 1;
    for (auto [id, text] : indicators) {
        auto* label = new QLabel(text, bar);
        label->setObjectName(QString::number(id));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(text) + 8);
        bar->addPermanentWidget(label);
        panes[i++] = label;
    }
    // The GPS link's state; shown once the link was used.
    auto* gpsPane = new QLabel(bar);
    gpsPane->setObjectName("GpsStatus");
    gpsPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    gpsPane->hide();
    bar->addPermanentWidget(gpsPane);
    panes[4] = gpsPane;
    bar->showMessage(str::Ready);
}

void CMainFrame::CreateDocks() {
    pointDock = MakeDock(this, str::PointDisplayTitle, cmd::ShowPointDisplay, new CPointDisplay,
                         QSize(150, 50));
    sunDock =
        MakeDock(this, str::SunDisplayTitle, cmd::ShowSunDisplay, new CSunDisplay, QSize(150, 100));
    adDock = MakeDock(this, str::AdPanelTitle, cmd::ShowAdPanel, new CAdPanel, QSize(150, 120));
    adDock->widget()->setMinimumSize(150, 130);
    sunDock->widget()->setMinimumSize(150, 100);
    // One column at the right edge: the ad panel, then Sun Display, then Point Display.
    addDockWidget(Qt::RightDockWidgetArea, adDock);
    splitDockWidget(adDock, sunDock, Qt::Vertical);
    splitDockWidget(sunDock, pointDock, Qt::Vertical);
    resizeDocks({adDock, sunDock, pointDock}, {130, 100, 220}, Qt::Vertical);
    resizeDocks({adDock}, {160}, Qt::Horizontal);
    // The overview is there for large atlases; it starts hidden.
    overviewDock =
        MakeDock(this, str::OverviewTitle, cmd::ShowOverview, new COverviewPanel, QSize(180, 140));
    addDockWidget(Qt::RightDockWidgetArea, overviewDock);
    overviewDock->hide();
    for (QDockWidget* d : {pointDock, sunDock, adDock, overviewDock})
        connect(d, &QDockWidget::visibilityChanged, &table, &CommandTable::refresh);
    // The fishing calendar waits hidden at the left until asked for.
    calendarDock = MakeDock(this, str::FishingCalendarTitle, cmd::ShowFishingCalendar,
                            new CFishingCalendar, QSize(320, 480));
    addDockWidget(Qt::LeftDockWidgetArea, calendarDock);
    calendarDock->hide();
    connect(calendarDock, &QDockWidget::visibilityChanged, &table, &CommandTable::refresh);
}

COverviewPanel* CMainFrame::Overview() const {
    return static_cast<COverviewPanel*>(overviewDock->widget());
}

void CMainFrame::WatchDecoding() {
    // Map pictures decode in the background; a wait of more than half a
    // second is shown in the status bar, with the bands done out of those
    // asked for and a button that stops the decoding, until the last band
    // is in.
    decodeProgress = new QProgressBar;
    decodeProgress->setObjectName("decodeProgress");
    decodeProgress->setTextVisible(false);
    decodeProgress->setFixedWidth(120);
    decodeProgress->setMaximumHeight(statusBar()->fontMetrics().height());
    decodeCancel = new QToolButton;
    decodeCancel->setObjectName("decodeCancel");
    decodeCancel->setText(str::DecodingCancel);
    decodeCancel->setToolTip(str::DecodingCancelTip);
    decodeCancel->setAutoRaise(true);
    statusBar()->insertPermanentWidget(0, decodeCancel);
    statusBar()->insertPermanentWidget(0, decodeProgress);
    decodeProgress->hide();
    decodeCancel->hide();

    decodingShown = new QTimer(this);
    decodingShown->setInterval(250);
    auto stopShowing = [this] {
        decodeProgress->hide();
        decodeCancel->hide();
        if (statusBar()->currentMessage() == str::DecodingMaps)
            statusBar()->showMessage(str::Ready);
    };
    connect(decodeCancel, &QToolButton::clicked, this, [stopShowing] {
        TileCache::Instance().CancelAll();
        stopShowing();
    });
    connect(decodingShown, &QTimer::timeout, this,
            [this, stopShowing, busyRounds = 0, endedBefore = uint64_t(0)]() mutable {
                const TileCache& cache = TileCache::Instance();
                const int pending = cache.PendingCount();
                const uint64_t made = cache.RequestsMade();
                if (pending == 0) {
                    busyRounds = 0;
                    stopShowing();
                    return;
                }
                // Counted from the moment the wait began.
                if (busyRounds++ == 0) endedBefore = made - uint64_t(pending);
                if (busyRounds < 2) return;
                const uint64_t asked = made - endedBefore;
                const uint64_t done = asked - uint64_t(pending);
                decodeProgress->setRange(0, int(std::min<uint64_t>(asked, 1 << 30)));
                decodeProgress->setValue(int(std::min<uint64_t>(done, 1 << 30)));
                decodeProgress->show();
                decodeCancel->show();
                // In place of the idle text only: a command's own message stays.
                const QString shown = statusBar()->currentMessage();
                if (shown.isEmpty() || shown == str::Ready)
                    statusBar()->showMessage(str::DecodingMaps);
            });
    decodingShown->start();
}

void CMainFrame::TogglePanel(QDockWidget* dock) {
    // Hiding keeps the panel and its place; showing it again puts it back there.
    dock->setVisible(dock->isHidden());
}

void CMainFrame::FillToolbarMenu(QMenu& menu) {
    for (int id : {cmd::ViewToolbar, cmd::ShowPointDisplay, cmd::ShowSunDisplay, cmd::ShowAdPanel})
        menu.addAction(Act(id));
    // User-defined toolbars are listed by title, and only those that exist.
    for (QToolBar* tb : findChildren<QToolBar*>()) {
        bool ok = false;
        int windowId = tb->objectName().toInt(&ok);
        if (!ok || windowId < res::UserToolbarWindowFirst ||
            windowId >= res::UserToolbarWindowFirst + cmd::UserToolbarCount)
            continue;
        QAction* a = Act(cmd::userToolbarCommand(windowId - res::UserToolbarWindowFirst));
        a->setText(tb->windowTitle());
        menu.addAction(a);
    }
    menu.addSeparator();
    menu.addAction(Act(cmd::Customize));
}

QMenu* CMainFrame::createPopupMenu() {
    table.refresh();
    auto* menu = new QMenu(this);
    FillToolbarMenu(*menu);
    return menu;
}

void CMainFrame::RebuildRecentMenu() {
    const QStringList& files = app.Recent().Files();
    for (int i = 0; i < recentActions.size(); ++i) {
        QAction* a = recentActions[i];
        bool used = i < files.size();
        a->setVisible(used);
        if (used) a->setText(QString("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
        if (used) a->setStatusTip(files[i]);
    }
    if (recentSeparator) recentSeparator->setVisible(!files.isEmpty());
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(QString("%1[*] - %2").arg(doc->GetTitle(), str::FrameTitle));
    setWindowModified(doc->IsModified());
}

void CMainFrame::AbandonWithoutSettings() {
    tornDown = true;
}

void CMainFrame::ShowPopupMenu(int menuId, QPoint globalPos, QWidget* owner) {
    customizer->ShowPopupMenu(menuId, globalPos, owner);
}

void CMainFrame::SetPaneText(int pane, const QString& text) {
    if (pane == 0) {
        statusBar()->showMessage(text);
        return;
    }
    if (pane > 0 && pane < 4) panes[pane]->setText(text);
    if (pane == 4) {
        panes[4]->setText(text);
        panes[4]->show();
    }
}

void CMainFrame::SetPaneInfo(int pane, int id, bool disabled, int width) {
    if (pane <= 0 || pane >= 4) return;
    QLabel* l = panes[pane];
    // Called on every mouse move: only a real change touches the layout.
    if (l->isEnabled() == !disabled && l->minimumWidth() == width && l->maximumWidth() == width &&
        l->objectName().toInt() == id)
        return;
    l->setObjectName(QString::number(id));
    l->setEnabled(!disabled);
    l->setFrameStyle(disabled ? QFrame::NoFrame : QFrame::Panel | QFrame::Sunken);
    if (width > 0) width = std::max(width, FittingWidth(pane));
    l->setMinimumWidth(width);
    l->setMaximumWidth(width);
    l->setVisible(width > 0);
}

int CMainFrame::FittingWidth(int pane) const {
    // The asked-for width was chosen for another font: the pane must hold the
    // widest text it can show in the font it really uses.
    QLabel* l = panes[pane];
    const QFontMetrics fm = l->fontMetrics();
    QChar digit('0');
    for (char c = '0'; c <= '9'; ++c)
        if (fm.horizontalAdvance(QChar(c)) > fm.horizontalAdvance(digit)) digit = QChar(c);
    const QString n4 = QString(4, digit), n3 = QString(3, digit), n2 = QString(2, digit);
    QString widest;
    switch (pane) {
        case 1:
            widest = QString(str::StatusXY).arg("-" + n4, "-" + n4);
            break;
        case 2:
            widest = QString(str::StatusLat).arg(QString("N%1-%2-%3").arg(n3, n2, n2));
            break;
        default:
            widest = QString(str::StatusLon).arg(QString("W%1-%2-%3").arg(n3, n2, n2));
            break;
    }
    const QMargins m = l->contentsMargins();
    return fm.boundingRect(widest).width() + m.left() + m.right() + 2 * l->margin() +
           fm.averageCharWidth();
}

QString CMainFrame::PaneText(int pane) const {
    if (pane == 0) return statusBar()->currentMessage();
    return pane >= 0 && pane < 5 ? panes[pane]->text() : QString();
}

CPointDisplay* CMainFrame::PointDisplay() {
    return static_cast<CPointDisplay*>(pointDock->widget());
}

CSunDisplay* CMainFrame::SunDisplay() {
    return static_cast<CSunDisplay*>(sunDock->widget());
}

void CMainFrame::ShowSunTimes(const QString& sunrise, const QString& sunset) {
    SunDisplay()->SetTimes(sunrise, sunset);
    UpdateCalendarPlace();
}

CFishingCalendar* CMainFrame::FishingCalendar() const {
    return static_cast<CFishingCalendar*>(calendarDock->widget());
}

void CMainFrame::UpdateCalendarPlace() {
    if (!view || !calendarDock) return;
    const CTarnLocation& l = view->Location();
    // As the Sun Display: a reference point at 0 means none has been set.
    const bool known = l.lat1 != 0.0 && l.lon1 != 0.0;
    FishingCalendar()->SetPlace(known, l.lat1, l.lon1, doc->GetPathName());
}

int& CMainFrame::LoadLastFile() {
    return app.loadLastFile;
}

void CMainFrame::RestoreLayout() {
    SettingsStore& s = SettingsStore::instance();
    QByteArray geometry = s.Value(kGeometryKey).toByteArray();
    QByteArray state = s.Value(kStateKey).toByteArray();
    // User toolbars first, so the layout finds them.
    customizer->Load();
    // A damaged saved layout is simply not applied.
    if (!geometry.isEmpty()) restoreGeometry(geometry);
    if (!state.isEmpty()) restoreState(state, kLayoutVersion);
    table.refresh();
}

void CMainFrame::SaveLayout() {
    SettingsStore& s = SettingsStore::instance();
    s.SetValue(kGeometryKey, saveGeometry());
    s.SetValue(kStateKey, saveState(kLayoutVersion));
    customizer->Save();
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    if (tornDown) {
        e->accept();
        return;
    }
    SaveLayout();
    if (!doc->SaveModified()) {
        e->ignore();
        return;
    }
    // The view goes first: its settings, then the last file and reopen flag.
    view->Teardown(app.loadLastFile);
    tornDown = true;
    e->accept();
}
