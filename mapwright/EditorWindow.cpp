// SPDX-License-Identifier: GPL-3.0-or-later
#include "mapwright/EditorWindow.h"

#include "imaging/ImageKind.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>

#include "document/TarnLocation.h"
#include "framework/FirstWindowSize.h"
#include "framework/Prompts.h"
#include "framework/Shell.h"
#include "geo/Coordinate.h"
#include "mapwright/EditorSettings.h"
#include "mapwright/EditorStrings.h"
#include "mapwright/MapCanvas.h"
#include "resources/Art.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {

QIcon SvgIcon(const QString& path) {
    QSvgRenderer renderer(path);
    QIcon icon;
    if (!renderer.isValid()) return icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        renderer.render(&p);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QIcon OwnIcon(const char* name) {
    return SvgIcon(QString(":/mapwright/art/%1.svg").arg(name));
}

QIcon ProgramIcon(int commandId) {
    return SvgIcon(QString(":/art/cmd_%1.svg").arg(commandId));
}

bool IsImageName(const QString& path) {
    return imagekind::IsImageName(path);
}

}  // namespace

CEditorWindow::CEditorWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName("MapwrightWindow");
    setWindowIcon(ProgramIcon(32829));
    setAcceptDrops(true);
    doc.relativePaths = editorsettings::RelativePaths();
    doc.Editor().SetDialogParent(this);

    pickImages = [this] {
        return QFileDialog::getOpenFileNames(this, mwstr::AddImagesTitle, QString(),
                                             mwstr::AddImagesFilter);
    };

    canvas = new CMapCanvas(doc.Editor(), this);
    setCentralWidget(canvas);

    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateDock();
    CreateStatusBar();

    connect(&doc, &CEditorDoc::locationReplaced, canvas, &CMapCanvas::LocationReplaced);
    connect(&doc, &CTarnlightDoc::invalidateView, canvas->viewport(),
            qOverload<>(&QWidget::update));
    connect(&doc, &CDocument::titleChanged, this, &CEditorWindow::UpdateTitle);
    connect(&doc, &CDocument::modifiedChanged, this, &CEditorWindow::UpdateTitle);
    connect(&doc.Editor(), &CLocationEditor::changed, this, [this] {
        RebuildMapsList();
        UpdateActions();
    });
    connect(&doc, &CEditorDoc::locationReplaced, this, [this] {
        RebuildMapsList();
        UpdateActions();
    });
    connect(canvas, &CMapCanvas::selectionChanged, this, [this](int index) {
        if (!syncingSelection) {
            const QSignalBlocker block(mapsList);
            mapsList->setCurrentRow(index < 0 ? -1 : doc.Editor().Count() - 1 - index);
        }
        UpdateActions();
    });
    connect(canvas, &CMapCanvas::hoverChanged, this, &CEditorWindow::ShowHover);
    connect(canvas, &CMapCanvas::scaleChanged, this, [this](double s) {
        zoomLabel->setText(QString(mwstr::ZoomPercent).arg(qRound(s * 100)));
    });
    connect(canvas, &CMapCanvas::placementRequested, this,
            [this](int index) { doc.Editor().EditPlacement(index); });
    connect(canvas, &CMapCanvas::calibrateRequested, this,
            [this](QPoint pixel) { doc.Editor().CalibrateAt(pixel); });
    connect(canvas, &CMapCanvas::contextMenuRequested, this, &CEditorWindow::ShowContextMenu);

    doc.OnNewDocument();
    UpdateTitle();
    resize(FirstWindowSize(*this, QSize(1100, 780)));
    restoreGeometry(editorsettings::WindowGeometry());
    restoreState(editorsettings::WindowState());
}

CEditorWindow::~CEditorWindow() {
    // The canvas and the maps panel use the document, which as a member is
    // gone before the window's children would be.
    delete takeCentralWidget();
    delete dock;
}

QAction* CEditorWindow::Action(const QString& name) const {
    return findChild<QAction*>(name);
}

// ---- construction ----

void CEditorWindow::CreateActions() {
    auto make = [this](const char* name, const char* text, const QIcon& icon,
                       const QKeySequence& keys, auto slot) {
        auto* a = new QAction(icon, text, this);
        a->setObjectName(name);
        if (!keys.isEmpty()) a->setShortcut(keys);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    CLocationEditor& editor = doc.Editor();

    make("new", mwstr::ActNew, ProgramIcon(cmd::FileNew), QKeySequence::New, [this] { OnNew(); });
    make("open", mwstr::ActOpen, ProgramIcon(cmd::FileOpen), QKeySequence::Open,
         [this] { OnOpen(); });
    make("save", mwstr::ActSave, ProgramIcon(cmd::FileSave), QKeySequence::Save,
         [this] { OnSave(); });
    make("saveAs", mwstr::ActSaveAs, QIcon(), QKeySequence::SaveAs, [this] { OnSaveAs(); });
    QAction* relative =
        make("relativePaths", mwstr::ActRelativePaths, QIcon(), QKeySequence(), [this](bool on) {
            doc.relativePaths = on;
            editorsettings::SetRelativePaths(on);
        });
    relative->setCheckable(true);
    relative->setChecked(doc.relativePaths);
    make("exit", mwstr::ActExit, QIcon(), QKeySequence::Quit, [this] { close(); });

    QAction* undo = doc.Undo().createUndoAction(this, mwstr::ActUndo);
    undo->setObjectName("undo");
    undo->setIcon(OwnIcon("undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = doc.Undo().createRedoAction(this, mwstr::ActRedo);
    redo->setObjectName("redo");
    redo->setIcon(OwnIcon("redo"));
    redo->setShortcut(QKeySequence::Redo);

    make("addImages", mwstr::ActAddImages, OwnIcon("add"), QKeySequence(Qt::CTRL | Qt::Key_I),
         [this] { OnAddImages(); })
        ->setToolTip(mwstr::TipAddImages);
    make("remove", mwstr::ActRemove, OwnIcon("remove"), QKeySequence::Delete,
         [this, &editor] { editor.Remove(canvas->SelectedIndex()); });
    make("placement", mwstr::ActPlacement, OwnIcon("placement"), QKeySequence(Qt::CTRL | Qt::Key_P),
         [this, &editor] { editor.EditPlacement(canvas->SelectedIndex()); });
    make("bringForward", mwstr::ActBringForward, OwnIcon("forward"),
         QKeySequence(Qt::CTRL | Qt::Key_BracketRight), [this, &editor] {
             const int index = canvas->SelectedIndex();
             if (editor.BringForward(index)) canvas->Select(index + 1);
         });
    make("sendBackward", mwstr::ActSendBackward, OwnIcon("backward"),
         QKeySequence(Qt::CTRL | Qt::Key_BracketLeft), [this, &editor] {
             const int index = canvas->SelectedIndex();
             if (editor.SendBackward(index)) canvas->Select(index - 1);
         });
    make("arrangeRow", mwstr::ActArrangeRow, OwnIcon("row"), QKeySequence(Qt::CTRL | Qt::Key_R),
         [&editor] { editor.ArrangeInRow(); });
    make("arrangeGrid", mwstr::ActArrangeGrid, OwnIcon("grid"), QKeySequence(Qt::CTRL | Qt::Key_G),
         [&editor] { editor.ArrangeInGrid(); });

    QAction* calibrate =
        make("calibrate", mwstr::ActCalibrate, ProgramIcon(cmd::CalibrateMode),
             QKeySequence(Qt::CTRL | Qt::Key_K), [this](bool on) {
                 canvas->SetMode(on ? CMapCanvas::Mode::Calibrate : CMapCanvas::Mode::Arrange);
                 hintLabel->setText(on ? mwstr::HintCalibrate : mwstr::HintArrange);
                 UpdateActions();
             });
    calibrate->setCheckable(true);
    calibrate->setToolTip(mwstr::TipCalibrate);
    make("coordSetup", mwstr::ActCoordSetup, ProgramIcon(cmd::CoordSetup), QKeySequence(),
         [&editor] { editor.EditCalibration(); });

    make("zoomIn", mwstr::ActZoomIn, OwnIcon("zoomin"), QKeySequence::ZoomIn,
         [this] { canvas->ZoomIn(); });
    make("zoomOut", mwstr::ActZoomOut, OwnIcon("zoomout"), QKeySequence::ZoomOut,
         [this] { canvas->ZoomOut(); });
    make("fit", mwstr::ActFit, OwnIcon("fit"), QKeySequence(Qt::CTRL | Qt::Key_0),
         [this] { canvas->FitToWindow(); });
    make("actualSize", mwstr::ActActualSize, QIcon(), QKeySequence(Qt::CTRL | Qt::Key_1),
         [this] { canvas->ActualSize(); });
    make("help", mwstr::ActHelp, OwnIcon("help"), QKeySequence::HelpContents, [this] { OnHelp(); });
    make("about", mwstr::ActAbout, QIcon(), QKeySequence(), [this] { OnAbout(); });
}

void CEditorWindow::CreateMenus() {
    QMenu* file = menuBar()->addMenu(mwstr::MenuFile);
    file->addActions({Action("new"), Action("open")});
    recentMenu = file->addMenu(mwstr::MenuRecent);
    file->addSeparator();
    file->addActions({Action("save"), Action("saveAs")});
    file->addSeparator();
    file->addAction(Action("relativePaths"));
    file->addSeparator();
    file->addAction(Action("exit"));
    RebuildRecentMenu();

    QMenu* edit = menuBar()->addMenu(mwstr::MenuEdit);
    edit->addActions({Action("undo"), Action("redo")});
    edit->addSeparator();
    edit->addActions({Action("addImages"), Action("remove"), Action("placement")});

    QMenu* arrange = menuBar()->addMenu(mwstr::MenuArrange);
    arrange->addActions({Action("bringForward"), Action("sendBackward")});
    arrange->addSeparator();
    arrange->addActions({Action("arrangeRow"), Action("arrangeGrid")});

    QMenu* calibrate = menuBar()->addMenu(mwstr::MenuCalibrate);
    calibrate->addActions({Action("calibrate"), Action("coordSetup")});

    QMenu* view = menuBar()->addMenu(mwstr::MenuView);
    view->addActions({Action("zoomIn"), Action("zoomOut"), Action("fit"), Action("actualSize")});
    view->addSeparator();
    view->setObjectName("viewMenu");

    QMenu* help = menuBar()->addMenu(mwstr::MenuHelp);
    help->addActions({Action("help"), Action("about")});
}

void CEditorWindow::CreateToolBar() {
    QToolBar* bar = addToolBar(mwstr::AppName);
    bar->setObjectName("mainToolBar");
    bar->setIconSize(QSize(22, 22));
    bar->setMovable(false);
    bar->addActions({Action("new"), Action("open"), Action("save")});
    bar->addSeparator();
    bar->addActions({Action("undo"), Action("redo")});
    bar->addSeparator();
    bar->addActions({Action("addImages"), Action("remove"), Action("placement")});
    bar->addSeparator();
    bar->addActions({Action("bringForward"), Action("sendBackward"), Action("arrangeRow"),
                     Action("arrangeGrid")});
    bar->addSeparator();
    bar->addActions({Action("calibrate"), Action("coordSetup")});
    bar->addSeparator();
    bar->addActions({Action("zoomIn"), Action("zoomOut"), Action("fit")});
}

void CEditorWindow::CreateDock() {
    dock = new QDockWidget(mwstr::MapsPanelTitle, this);
    dock->setObjectName("mapsPanel");
    dock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetClosable);
    mapsList = new QListWidget(dock);
    mapsList->setObjectName("mapsList");
    mapsList->setIconSize(QSize(44, 44));
    mapsList->setSpacing(2);
    mapsList->setMinimumWidth(230);
    mapsList->setContextMenuPolicy(Qt::CustomContextMenu);
    dock->setWidget(mapsList);
    addDockWidget(Qt::RightDockWidgetArea, dock);
    QAction* toggle = dock->toggleViewAction();
    toggle->setText(mwstr::ActMapsPanel);
    findChild<QMenu*>("viewMenu")->addAction(toggle);

    connect(mapsList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        syncingSelection = true;
        canvas->Select(doc.Editor().Count() - 1 - row);
        syncingSelection = false;
    });
    connect(mapsList, &QListWidget::itemDoubleClicked, this,
            [this] { doc.Editor().EditPlacement(canvas->SelectedIndex()); });
    connect(mapsList, &QListWidget::customContextMenuRequested, this,
            [this](QPoint pos) { ShowContextMenu(mapsList->viewport()->mapToGlobal(pos)); });
}

void CEditorWindow::CreateStatusBar() {
    hintLabel = new QLabel(mwstr::HintArrange, this);
    hintLabel->setObjectName("hint");
    statusBar()->addWidget(hintLabel, 1);
    auto pane = [this](const char* name, int width) {
        auto* label = new QLabel(this);
        label->setObjectName(name);
        label->setMinimumWidth(width);
        label->setAlignment(Qt::AlignCenter);
        statusBar()->addPermanentWidget(label);
        return label;
    };
    positionLabel = pane("position", 130);
    latitudeLabel = pane("latitude", 130);
    longitudeLabel = pane("longitude", 130);
    zoomLabel = pane("zoom", 56);
}

// ---- state shown ----

void CEditorWindow::UpdateTitle() {
    const QString path = doc.GetPathName();
    const QString name = path.isEmpty() ? doc.GetTitle() : QFileInfo(path).fileName();
    setWindowTitle(QString(mwstr::WindowTitle).arg(name));
    setWindowModified(doc.IsModified());
}

void CEditorWindow::UpdateActions() {
    const CLocationEditor& editor = doc.Editor();
    const int index = canvas->SelectedIndex();
    const int count = editor.Count();
    const bool arranging = canvas->GetMode() == CMapCanvas::Mode::Arrange;
    Action("remove")->setEnabled(index >= 0);
    Action("placement")->setEnabled(index >= 0);
    Action("bringForward")->setEnabled(index >= 0 && index < count - 1);
    Action("sendBackward")->setEnabled(index > 0);
    Action("arrangeRow")->setEnabled(count > 0 && arranging);
    Action("arrangeGrid")->setEnabled(count > 0 && arranging);
    if (!editor.CanReadPositions()) {
        latitudeLabel->setText(QString());
        longitudeLabel->setText(QString());
    }
}

void CEditorWindow::RebuildMapsList() {
    const QSignalBlocker block(mapsList);
    mapsList->clear();
    CLocationEditor& editor = doc.Editor();
    for (int i = editor.Count() - 1; i >= 0; --i) {
        CMapLocation& entry = *editor.Entry(i);
        const RectL& r = entry.placement;
        QString name = QFileInfo(entry.fileName).fileName();
        if (!entry.HasImage()) name = QString(mwstr::MapsPanelMissing).arg(name);
        auto* item = new QListWidgetItem(QString(mwstr::MapsPanelEntry)
                                             .arg(name)
                                             .arg(r.left)
                                             .arg(r.top)
                                             .arg(r.Width())
                                             .arg(r.Height()));
        item->setToolTip(entry.fileName);
        const QImage thumb = canvas->Thumbnail(entry, mapsList->iconSize().width());
        if (!thumb.isNull()) item->setIcon(QIcon(QPixmap::fromImage(thumb)));
        mapsList->addItem(item);
    }
    const int index = canvas->SelectedIndex();
    mapsList->setCurrentRow(index < 0 ? -1 : editor.Count() - 1 - index);
}

void CEditorWindow::RebuildRecentMenu() {
    recentMenu->clear();
    const QStringList files = editorsettings::RecentFiles();
    if (files.isEmpty()) {
        recentMenu->addAction(mwstr::RecentNone)->setEnabled(false);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QAction* a = recentMenu->addAction(QString(mwstr::RecentEntry).arg(i + 1).arg(path));
        a->setObjectName(QString("recent%1").arg(i + 1));
        connect(a, &QAction::triggered, this, [this, path] { OpenFile(path); });
    }
}

void CEditorWindow::Remember(const QString& path) {
    if (path.isEmpty()) return;
    editorsettings::AddRecentFile(path);
    RebuildRecentMenu();
}

QString CEditorWindow::PositionText() const {
    return positionLabel->text();
}

QString CEditorWindow::LatitudeText() const {
    return latitudeLabel->text();
}

QString CEditorWindow::LongitudeText() const {
    return longitudeLabel->text();
}

void CEditorWindow::ShowHover(QPoint pixel, bool inside) {
    if (!inside) {
        positionLabel->setText(QString());
        latitudeLabel->setText(QString());
        longitudeLabel->setText(QString());
        return;
    }
    positionLabel->setText(QString(str::StatusXY).arg(pixel.x()).arg(pixel.y()));
    if (!doc.Editor().CanReadPositions()) {
        latitudeLabel->setText(QString());
        longitudeLabel->setText(QString());
        latitudeLabel->setToolTip(mwstr::HintNoPositions);
        return;
    }
    CCoordinate c;
    doc.Loc().PixelToCoordinate(pixel.x(), pixel.y(), c);
    latitudeLabel->setText(QString(str::StatusLat).arg(c.LatitudeText(true)));
    longitudeLabel->setText(QString(str::StatusLon).arg(c.LongitudeText(true)));
}

void CEditorWindow::ShowContextMenu(QPoint globalPos) {
    if (canvas->SelectedIndex() < 0) return;
    QMenu menu(this);
    menu.addActions({Action("placement"), Action("bringForward"), Action("sendBackward")});
    menu.addSeparator();
    menu.addAction(Action("remove"));
    menu.exec(globalPos);
}

// ---- commands ----

void CEditorWindow::OnNew() {
    if (Action("calibrate")->isChecked()) Action("calibrate")->trigger();
    doc.NewDocument();
}

void CEditorWindow::OnOpen() {
    if (doc.OpenWithDialog()) Remember(doc.GetPathName());
}

bool CEditorWindow::OpenFile(const QString& path) {
    if (!doc.SaveModified()) return false;
    const bool ok = doc.OnOpenDocument(path);
    if (ok) {
        Remember(doc.GetPathName());
    } else if (!QFileInfo::exists(path)) {
        editorsettings::RemoveRecentFile(path);
        RebuildRecentMenu();
    }
    return ok;
}

void CEditorWindow::OnSave() {
    doc.DoFileSave();
    if (!doc.IsModified()) Remember(doc.GetPathName());
}

void CEditorWindow::OnSaveAs() {
    doc.OnFileSaveAs();
    if (!doc.IsModified()) Remember(doc.GetPathName());
}

void CEditorWindow::OnAddImages() {
    const QStringList paths = pickImages ? pickImages() : QStringList();
    if (paths.isEmpty()) return;
    const int before = doc.Editor().Count();
    if (doc.Editor().AddImages(paths) > 0) canvas->Select(doc.Editor().Count() - 1);
    if (before == 0 && doc.Editor().Count() > 0) canvas->FitToWindow();
}

void CEditorWindow::OnHelp() {
    // The page ships inside the program; written out so the desktop's
    // browser can show it.
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/help";
    QDir().mkpath(dir);
    bool ok = true;
    for (const QString& name : QDir(":/mapwright/help").entryList(QDir::Files)) {
        const QString target = dir + "/" + name;
        QFile::remove(target);
        ok = QFile::copy(":/mapwright/help/" + name, target) && ok;
        QFile::setPermissions(
            target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    const QString page = dir + "/index.html";
    if (!ok || !QFileInfo::exists(page) || !shell::Get().openUrl(QUrl::fromLocalFile(page)))
        Prompts::instance().message(str::FailedToLaunchHelp);
}

void CEditorWindow::OnAbout() {
    Prompts::instance().message(QString(mwstr::AboutText).arg(QApplication::applicationVersion()) +
                                    "\n\n" + str::LicenceNotice,
                                Prompts::Buttons::Ok, Prompts::Icon::Information);
}

// ---- window ----

void CEditorWindow::closeEvent(QCloseEvent* e) {
    if (!doc.SaveModified()) {
        e->ignore();
        return;
    }
    editorsettings::SetWindowLayout(saveGeometry(), saveState());
    e->accept();
}

void CEditorWindow::dragEnterEvent(QDragEnterEvent* e) {
    if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void CEditorWindow::dropEvent(QDropEvent* e) {
    QStringList images;
    QString location;
    for (const QUrl& url : e->mimeData()->urls()) {
        if (!url.isLocalFile()) continue;
        if (IsImageName(url.toLocalFile()))
            images << url.toLocalFile();
        else if (location.isEmpty())
            location = url.toLocalFile();
    }
    if (!images.isEmpty()) {
        if (doc.Editor().AddImages(images) > 0) canvas->Select(doc.Editor().Count() - 1);
    } else if (!location.isEmpty()) {
        OpenFile(location);
    }
    e->acceptProposedAction();
}
