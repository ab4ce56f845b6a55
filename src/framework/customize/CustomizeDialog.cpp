// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/customize/CustomizeDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

#include "framework/Prompts.h"
#include "resources/Art.h"
#include "resources/CommandCatalog.h"
#include "resources/Strings.h"

using namespace customize;

namespace {
// The toolbar list's entry for the Standard toolbar.
constexpr int kStandardEntry = -1;

QPushButton* Button(const char* text, const char* name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

template <typename T>
T* Named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QListWidget* CommandListWidget(const char* name, QWidget* parent) {
    auto* list = Named(new QListWidget(parent), name);
    list->setIconSize(QSize(16, 16));
    list->setMinimumWidth(230);
    return list;
}

// Refuses an empty name, so a toolbar always has a title to be listed by.
class ToolbarNameDialog : public QDialog {
public:
    ToolbarNameDialog(QWidget* parent, const QString& initial) : QDialog(parent) {
        setWindowTitle(str::CustToolbarNameTitle);
        edit = Named(new QLineEdit(initial, this), "toolbarName");
        edit->selectAll();
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
        buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
        connect(buttons, &QDialogButtonBox::accepted, this, &ToolbarNameDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &ToolbarNameDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(new QLabel(str::CustToolbarNameLabel, this));
        layout->addWidget(edit);
        layout->addWidget(buttons);
    }
    void accept() override {
        if (Name().isEmpty()) {
            Prompts::instance().message(str::CustToolbarNameEmpty);
            return;
        }
        QDialog::accept();
    }
    QString Name() const { return edit->text().trimmed(); }

private:
    QLineEdit* edit = nullptr;
};
}  // namespace

CustomizeDialog::CustomizeDialog(const CustomizationState& s, const QImage& userImages,
                                 QWidget* parent)
    : QDialog(parent), state(s), cells(ImageCells(userImages)) {
    setObjectName("customize");
    setWindowTitle(str::CustomizeTitle);

    tabs = Named(new QTabWidget(this), "pages");
    tabs->addTab(MakeToolbarsPage(), str::CustToolbarsPage);
    tabs->addTab(MakeCommandsPage(), str::CustCommandsPage);
    tabs->addTab(MakeKeyboardPage(), str::CustKeyboardPage);
    tabs->addTab(MakeMousePage(), str::CustMousePage);
    tabs->addTab(MakeToolsPage(), str::CustToolsPage);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CustomizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CustomizeDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);

    FillToolbars(kStandardEntry);
    FillTargets(-1);
    FillKeys();
    FillTools(0);
    UpdateButtons();
}

std::optional<QString> CustomizeDialog::AskToolbarName(QWidget* parent, const QString& initial) {
    ToolbarNameDialog dlg(parent, initial);
    if (Prompts::instance().runModal(dlg) != QDialog::Accepted) return std::nullopt;
    return dlg.Name();
}

QIcon CustomizeDialog::CommandIcon(int id) const {
    auto it = state.buttonImages.find(id);
    if (it != state.buttonImages.end() && it->second < cells.size())
        return QIcon(cells[it->second]);
    QIcon icon = art::CommandIcon(id);
    if (!icon.isNull()) return icon;
    // A blank one keeps the names of commands without a picture in line.
    static const QIcon blank = [] {
        QPixmap p(16, 16);
        p.fill(Qt::transparent);
        return QIcon(p);
    }();
    return blank;
}

// Toolbars page

QWidget* CustomizeDialog::MakeToolbarsPage() {
    auto* page = new QWidget;
    toolbarList = Named(new QListWidget(page), "toolbarList");
    newToolbar = Button(str::CustNewToolbar, "newToolbar", page);
    renameToolbar = Button(str::CustRenameToolbar, "renameToolbar", page);
    deleteToolbar = Button(str::CustDelete, "deleteToolbar", page);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {newToolbar, renameToolbar, deleteToolbar}) side->addWidget(b);
    side->addStretch();
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(str::CustToolbarsLabel, page), 0, 0);
    grid->addWidget(toolbarList, 1, 0);
    grid->addLayout(side, 1, 1);

    connect(toolbarList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (filling) return;
        bool on = item->checkState() == Qt::Checked;
        int slot = item->data(Qt::UserRole).toInt();
        if (slot == kStandardEntry)
            state.standardToolbarVisible = on;
        else if (state.toolbars[slot])
            state.toolbars[slot]->visible = on;
    });
    connect(toolbarList, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(newToolbar, &QPushButton::clicked, this, &CustomizeDialog::NewToolbar);
    connect(renameToolbar, &QPushButton::clicked, this, &CustomizeDialog::RenameToolbar);
    connect(deleteToolbar, &QPushButton::clicked, this, &CustomizeDialog::DeleteToolbar);
    return page;
}

void CustomizeDialog::FillToolbars(int selectSlot) {
    filling = true;
    toolbarList->clear();
    auto add = [&](const QString& title, int slot, bool visible) {
        auto* item = new QListWidgetItem(title, toolbarList);
        item->setData(Qt::UserRole, slot);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(visible ? Qt::Checked : Qt::Unchecked);
        if (slot == selectSlot) toolbarList->setCurrentItem(item);
    };
    add(str::StandardToolbarTitle, kStandardEntry, state.standardToolbarVisible);
    for (int i = 0; i < kMaxToolbars; ++i)
        if (state.toolbars[i]) add(state.toolbars[i]->title, i, state.toolbars[i]->visible);
    filling = false;
    UpdateButtons();
}

int CustomizeDialog::SelectedToolbarSlot() const {
    QListWidgetItem* item = toolbarList->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : kStandardEntry;
}

void CustomizeDialog::NewToolbar() {
    int free = 0;
    while (free < kMaxToolbars && state.toolbars[free]) ++free;
    if (free == kMaxToolbars) return;
    std::optional<QString> name =
        AskToolbarName(this, QString(str::CustDefaultToolbarName).arg(state.ToolbarCount() + 1));
    if (!name) return;
    int slot = state.AddToolbar(*name);
    FillToolbars(slot);
    FillTargets(slot);
}

void CustomizeDialog::RenameToolbar() {
    int slot = SelectedToolbarSlot();
    if (slot == kStandardEntry || !state.toolbars[slot]) return;
    std::optional<QString> name = AskToolbarName(this, state.toolbars[slot]->title);
    if (!name) return;
    state.toolbars[slot]->title = *name;
    FillToolbars(slot);
    FillTargets(TargetSlot());
}

void CustomizeDialog::DeleteToolbar() {
    int slot = SelectedToolbarSlot();
    if (slot == kStandardEntry || !state.toolbars[slot]) return;
    state.toolbars[slot].reset();
    FillToolbars(kStandardEntry);
    FillTargets(TargetSlot());
}

// Commands page

QWidget* CustomizeDialog::MakeCommandsPage() {
    auto* page = new QWidget;
    commandList = CommandListWidget("commandList", page);
    int count = 0;
    const CommandInfo* all = catalog::All(count);
    for (int i = 0; i < count; ++i) {
        auto* item = new QListWidgetItem(CommandName(all[i].id), commandList);
        item->setData(Qt::UserRole, all[i].id);
        item->setToolTip(QString::fromUtf8(all[i].statusText));
    }
    commandList->setCurrentRow(0);

    targetToolbar = Named(new QComboBox(page), "targetToolbar");
    buttonList = CommandListWidget("buttonList", page);
    addButton = Button(str::CustAddButton, "addButton", page);
    removeButton = Button(str::CustRemoveButton, "removeButton", page);
    separatorButton = Button(str::CustSeparator, "separatorButton", page);
    upButton = Button(str::CustMoveUp, "upButton", page);
    downButton = Button(str::CustMoveDown, "downButton", page);
    buttonImage = Named(new QComboBox(page), "buttonImage");
    buttonImage->setIconSize(QSize(16, 16));
    buttonImage->addItem(str::CustDefaultImage, -1);
    for (int i = 0; i < cells.size(); ++i)
        buttonImage->addItem(QIcon(cells[i]), QString::number(i + 1), i);

    auto* middle = new QVBoxLayout;
    middle->addStretch();
    for (QPushButton* b : {addButton, removeButton, separatorButton, upButton, downButton})
        middle->addWidget(b);
    middle->addStretch();
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(str::CustCommandsLabel, page), 0, 0);
    auto* target = new QHBoxLayout;
    target->addWidget(new QLabel(str::CustButtonsLabel, page));
    target->addWidget(targetToolbar, 1);
    grid->addLayout(target, 0, 2);
    grid->addWidget(commandList, 1, 0);
    grid->addLayout(middle, 1, 1);
    grid->addWidget(buttonList, 1, 2);
    auto* image = new QHBoxLayout;
    image->addStretch();
    image->addWidget(new QLabel(str::CustButtonImageLabel, page));
    image->addWidget(buttonImage);
    grid->addLayout(image, 2, 2);

    connect(targetToolbar, &QComboBox::currentIndexChanged, this, [this] { FillButtons(0); });
    connect(commandList, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(commandList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { AddButton(item->data(Qt::UserRole).toInt()); });
    connect(buttonList, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(addButton, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem* item = commandList->currentItem())
            AddButton(item->data(Qt::UserRole).toInt());
    });
    connect(separatorButton, &QPushButton::clicked, this, [this] { AddButton(kSeparator); });
    connect(removeButton, &QPushButton::clicked, this, &CustomizeDialog::RemoveButton);
    connect(upButton, &QPushButton::clicked, this, [this] { MoveButton(-1); });
    connect(downButton, &QPushButton::clicked, this, [this] { MoveButton(1); });
    connect(buttonImage, &QComboBox::currentIndexChanged, this, &CustomizeDialog::SetButtonImage);
    RefreshIcons();
    return page;
}

void CustomizeDialog::FillTargets(int selectSlot) {
    filling = true;
    targetToolbar->clear();
    for (int i = 0; i < kMaxToolbars; ++i) {
        if (!state.toolbars[i]) continue;
        targetToolbar->addItem(state.toolbars[i]->title, i);
        if (i == selectSlot) targetToolbar->setCurrentIndex(targetToolbar->count() - 1);
    }
    filling = false;
    FillButtons(0);
}

int CustomizeDialog::TargetSlot() const {
    return targetToolbar->count() ? targetToolbar->currentData().toInt() : -1;
}

void CustomizeDialog::FillButtons(int selectRow) {
    if (filling) return;
    buttonList->clear();
    int slot = TargetSlot();
    if (slot >= 0 && state.toolbars[slot]) {
        for (int id : state.toolbars[slot]->commands) {
            auto* item = new QListWidgetItem(
                id == kSeparator ? str::CustSeparatorItem : CommandName(id), buttonList);
            item->setData(Qt::UserRole, id);
            if (id != kSeparator) item->setIcon(CommandIcon(id));
        }
        buttonList->setCurrentRow(std::min(selectRow, buttonList->count() - 1));
    }
    UpdateButtons();
}

void CustomizeDialog::AddButton(int id) {
    int slot = TargetSlot();
    if (slot < 0 || !state.toolbars[slot]) return;
    std::vector<int>& commands = state.toolbars[slot]->commands;
    if (commands.size() >= static_cast<size_t>(kMaxButtons)) return;
    int row = buttonList->currentRow() < 0 ? static_cast<int>(commands.size())
                                           : buttonList->currentRow() + 1;
    commands.insert(commands.begin() + row, id);
    FillButtons(row);
}

void CustomizeDialog::RemoveButton() {
    int slot = TargetSlot();
    int row = buttonList->currentRow();
    if (slot < 0 || row < 0) return;
    std::vector<int>& commands = state.toolbars[slot]->commands;
    commands.erase(commands.begin() + row);
    FillButtons(row);
}

void CustomizeDialog::MoveButton(int step) {
    int slot = TargetSlot();
    int row = buttonList->currentRow();
    if (slot < 0 || row < 0) return;
    std::vector<int>& commands = state.toolbars[slot]->commands;
    int to = row + step;
    if (to < 0 || to >= static_cast<int>(commands.size())) return;
    std::swap(commands[row], commands[to]);
    FillButtons(to);
}

void CustomizeDialog::SetButtonImage(int index) {
    QListWidgetItem* item = buttonList->currentItem();
    if (!item || item->data(Qt::UserRole).toInt() == kSeparator) return;
    int id = item->data(Qt::UserRole).toInt();
    int cell = buttonImage->itemData(index).toInt();
    if (cell < 0)
        state.buttonImages.erase(id);
    else
        state.buttonImages[id] = cell;
    RefreshIcons();
}

void CustomizeDialog::RefreshIcons() {
    for (QListWidget* list : {commandList, buttonList})
        for (int i = 0; i < list->count(); ++i) {
            int id = list->item(i)->data(Qt::UserRole).toInt();
            if (id != kSeparator) list->item(i)->setIcon(CommandIcon(id));
        }
}

// Keyboard page

QWidget* CustomizeDialog::MakeKeyboardPage() {
    auto* page = new QWidget;
    keyCommandList = CommandListWidget("keyCommandList", page);
    int count = 0;
    const CommandInfo* all = catalog::All(count);
    for (int i = 0; i < count; ++i) {
        auto* item = new QListWidgetItem(CommandName(all[i].id), keyCommandList);
        item->setData(Qt::UserRole, all[i].id);
        item->setToolTip(QString::fromUtf8(all[i].statusText));
    }
    keyCommandList->setCurrentRow(0);
    currentKeys = Named(new QListWidget(page), "currentKeys");
    newKey = Named(new QKeySequenceEdit(page), "newKey");
    assignedTo = Named(new QLabel(page), "assignedTo");
    assignKey = Button(str::CustAssign, "assignKey", page);
    removeKey = Button(str::CustRemoveKey, "removeKey", page);
    QPushButton* reset = Button(str::CustResetKeys, "resetKeys", page);

    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(str::CustCurrentKeys, page));
    right->addWidget(currentKeys);
    right->addWidget(new QLabel(str::CustNewKey, page));
    right->addWidget(newKey);
    right->addWidget(assignedTo);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {assignKey, removeKey, reset}) buttons->addWidget(b);
    right->addLayout(buttons);
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(str::CustCommandsLabel, page), 0, 0);
    grid->addWidget(keyCommandList, 1, 0);
    grid->addLayout(right, 1, 1);

    connect(keyCommandList, &QListWidget::currentRowChanged, this, [this] { FillKeys(); });
    connect(currentKeys, &QListWidget::currentRowChanged, this, [this] { UpdateButtons(); });
    connect(newKey, &QKeySequenceEdit::keySequenceChanged, this, [this] { UpdateButtons(); });
    connect(assignKey, &QPushButton::clicked, this, &CustomizeDialog::AssignKey);
    connect(removeKey, &QPushButton::clicked, this, &CustomizeDialog::RemoveKey);
    connect(reset, &QPushButton::clicked, this, [this] {
        state.keys.clear();
        FillKeys();
    });
    return page;
}

int CustomizeDialog::SelectedKeyCommand() const {
    QListWidgetItem* item = keyCommandList->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void CustomizeDialog::FillKeys() {
    currentKeys->clear();
    for (const QKeySequence& k : state.Keys(SelectedKeyCommand()))
        currentKeys->addItem(k.toString(QKeySequence::NativeText));
    currentKeys->setCurrentRow(0);
    UpdateButtons();
}

void CustomizeDialog::AssignKey() {
    int id = SelectedKeyCommand();
    if (!id || newKey->keySequence().isEmpty()) return;
    // One chord: the first key pressed.
    QKeySequence key(newKey->keySequence()[0]);
    int other = state.CommandForKey(key, id);
    if (other) {
        QString question =
            QString(str::CustKeyConflict)
                .arg(key.toString(QKeySequence::NativeText), CommandName(other), CommandName(id));
        if (Prompts::instance().message(question, Prompts::Buttons::YesNo,
                                        Prompts::Icon::Question) != Prompts::Answer::Yes)
            return;
        QList<QKeySequence> keys = state.Keys(other);
        keys.removeAll(key);
        state.SetKeys(other, keys);
    }
    QList<QKeySequence> keys = state.Keys(id);
    if (!keys.contains(key)) keys.append(key);
    state.SetKeys(id, keys);
    newKey->clear();
    FillKeys();
}

void CustomizeDialog::RemoveKey() {
    int id = SelectedKeyCommand();
    int row = currentKeys->currentRow();
    QList<QKeySequence> keys = state.Keys(id);
    if (!id || row < 0 || row >= keys.size()) return;
    keys.removeAt(row);
    state.SetKeys(id, keys);
    FillKeys();
}

// Mouse page

QWidget* CustomizeDialog::MakeMousePage() {
    auto* page = new QWidget;
    auto* views = Named(new QListWidget(page), "viewList");
    views->addItem(str::CustMyView);
    views->setCurrentRow(0);
    doubleClick = Named(new QComboBox(page), "doubleClick");
    doubleClick->addItem(str::CustNone, 0);
    int count = 0;
    const CommandInfo* all = catalog::All(count);
    for (int i = 0; i < count; ++i) {
        doubleClick->addItem(art::CommandIcon(all[i].id), CommandName(all[i].id), all[i].id);
        if (all[i].id == state.doubleClickCommand)
            doubleClick->setCurrentIndex(doubleClick->count() - 1);
    }
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(str::CustViewsLabel, page));
    left->addWidget(views);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(str::CustDoubleClickLabel, page));
    right->addWidget(doubleClick);
    right->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left);
    layout->addLayout(right);
    connect(doubleClick, &QComboBox::currentIndexChanged, this,
            [this] { state.doubleClickCommand = doubleClick->currentData().toInt(); });
    return page;
}

// Tools page

QWidget* CustomizeDialog::MakeToolsPage() {
    auto* page = new QWidget;
    toolList = Named(new QListWidget(page), "toolList");
    newTool = Button(str::CustNewTool, "newTool", page);
    deleteTool = Button(str::CustDelete, "deleteTool", page);
    toolUp = Button(str::CustMoveUp, "toolUp", page);
    toolDown = Button(str::CustMoveDown, "toolDown", page);
    toolTitle = Named(new QLineEdit(page), "toolTitle");
    toolProgram = Named(new QLineEdit(page), "toolProgram");
    toolArguments = Named(new QLineEdit(page), "toolArguments");
    browseProgram = Button(str::CustBrowse, "browseProgram", page);
    browseProgram->setMaximumWidth(browseProgram->fontMetrics().horizontalAdvance("....") + 16);

    auto* side = new QVBoxLayout;
    for (QPushButton* b : {newTool, deleteTool, toolUp, toolDown}) side->addWidget(b);
    side->addStretch();
    auto* program = new QHBoxLayout;
    program->addWidget(toolProgram, 1);
    program->addWidget(browseProgram);
    auto* form = new QFormLayout;
    form->addRow(str::CustToolTitle, toolTitle);
    form->addRow(str::CustToolProgram, program);
    form->addRow(str::CustToolArguments, toolArguments);
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(str::CustToolsLabel, page), 0, 0);
    grid->addWidget(toolList, 1, 0);
    grid->addLayout(side, 1, 1);
    grid->addLayout(form, 2, 0, 1, 2);

    connect(toolList, &QListWidget::currentRowChanged, this, [this] { ShowTool(); });
    connect(newTool, &QPushButton::clicked, this, &CustomizeDialog::NewTool);
    connect(deleteTool, &QPushButton::clicked, this, &CustomizeDialog::DeleteTool);
    connect(toolUp, &QPushButton::clicked, this, [this] { MoveTool(-1); });
    connect(toolDown, &QPushButton::clicked, this, [this] { MoveTool(1); });
    for (QLineEdit* e : {toolTitle, toolProgram, toolArguments})
        connect(e, &QLineEdit::textChanged, this, &CustomizeDialog::EditTool);
    connect(browseProgram, &QPushButton::clicked, this, [this] {
        if (std::optional<QString> name =
                Prompts::instance().openFileName(str::CustProgramFilter, toolProgram->text()))
            toolProgram->setText(*name);
    });
    return page;
}

void CustomizeDialog::FillTools(int selectRow) {
    filling = true;
    toolList->clear();
    for (const UserTool& t : state.tools) toolList->addItem(t.title);
    filling = false;
    toolList->setCurrentRow(std::min(selectRow, toolList->count() - 1));
    ShowTool();
}

void CustomizeDialog::ShowTool() {
    if (filling) return;
    int row = toolList->currentRow();
    bool has = row >= 0 && row < static_cast<int>(state.tools.size());
    filling = true;
    toolTitle->setText(has ? state.tools[row].title : QString());
    toolProgram->setText(has ? state.tools[row].program : QString());
    toolArguments->setText(has ? state.tools[row].arguments : QString());
    filling = false;
    UpdateButtons();
}

void CustomizeDialog::EditTool() {
    int row = toolList->currentRow();
    if (filling || row < 0 || row >= static_cast<int>(state.tools.size())) return;
    UserTool& t = state.tools[row];
    t.title = toolTitle->text();
    t.program = toolProgram->text();
    t.arguments = toolArguments->text();
    toolList->item(row)->setText(t.title);
}

void CustomizeDialog::NewTool() {
    if (state.tools.size() >= static_cast<size_t>(kMaxTools)) return;
    state.tools.push_back(
        UserTool{QString(str::CustDefaultToolName).arg(state.tools.size() + 1), {}, {}});
    FillTools(static_cast<int>(state.tools.size()) - 1);
    toolTitle->setFocus();
    toolTitle->selectAll();
}

void CustomizeDialog::DeleteTool() {
    int row = toolList->currentRow();
    if (row < 0) return;
    state.tools.erase(state.tools.begin() + row);
    FillTools(row);
}

void CustomizeDialog::MoveTool(int step) {
    int row = toolList->currentRow();
    int to = row + step;
    if (row < 0 || to < 0 || to >= static_cast<int>(state.tools.size())) return;
    std::swap(state.tools[row], state.tools[to]);
    FillTools(to);
}

// Common

void CustomizeDialog::UpdateButtons() {
    int slot = SelectedToolbarSlot();
    newToolbar->setEnabled(state.ToolbarCount() < kMaxToolbars);
    renameToolbar->setEnabled(slot != kStandardEntry);
    deleteToolbar->setEnabled(slot != kStandardEntry);

    bool target = TargetSlot() >= 0;
    int row = buttonList->currentRow();
    int rows = buttonList->count();
    addButton->setEnabled(target && commandList->currentRow() >= 0);
    separatorButton->setEnabled(target);
    removeButton->setEnabled(target && row >= 0);
    upButton->setEnabled(target && row > 0);
    downButton->setEnabled(target && row >= 0 && row < rows - 1);
    QListWidgetItem* button = buttonList->currentItem();
    int id = button ? button->data(Qt::UserRole).toInt() : kSeparator;
    buttonImage->setEnabled(!cells.isEmpty() && id != kSeparator);
    auto image = state.buttonImages.find(id);
    QSignalBlocker quiet(buttonImage);  // showing the image is not choosing one
    buttonImage->setCurrentIndex(
        image == state.buttonImages.end() || image->second >= cells.size() ? 0 : image->second + 1);

    int other =
        newKey->keySequence().isEmpty()
            ? 0
            : state.CommandForKey(QKeySequence(newKey->keySequence()[0]), SelectedKeyCommand());
    assignedTo->setText(other ? QString(str::CustAssignedTo).arg(CommandName(other)) : QString());
    assignKey->setEnabled(SelectedKeyCommand() && !newKey->keySequence().isEmpty());
    removeKey->setEnabled(currentKeys->currentRow() >= 0);

    int tool = toolList->currentRow();
    int tools = static_cast<int>(state.tools.size());
    newTool->setEnabled(tools < kMaxTools);
    deleteTool->setEnabled(tool >= 0);
    toolUp->setEnabled(tool > 0);
    toolDown->setEnabled(tool >= 0 && tool < tools - 1);
    for (QWidget* w :
         std::initializer_list<QWidget*>{toolTitle, toolProgram, toolArguments, browseProgram})
        w->setEnabled(tool >= 0);
}

void CustomizeDialog::accept() {
    for (size_t i = 0; i < state.tools.size(); ++i) {
        UserTool& t = state.tools[i];
        t.title = t.title.trimmed();
        if (t.title.isEmpty()) t.title = QString(str::CustDefaultToolName).arg(i + 1);
        if (t.program.trimmed().isEmpty()) {
            tabs->setCurrentIndex(4);
            FillTools(static_cast<int>(i));
            Prompts::instance().message(QString(str::CustToolNeedsProgram).arg(t.title));
            toolProgram->setFocus();
            return;
        }
    }
    QDialog::accept();
}
