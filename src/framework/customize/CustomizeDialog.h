// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPixmap>
#include <optional>

#include "framework/customize/CustomizationState.h"

class QComboBox;
class QKeySequenceEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// The Customize dialog: toolbars, their buttons, keys, the view's
// double-click and the user tools. It edits a copy of the state; the caller
// applies State() when the dialog is accepted.
class CustomizeDialog : public QDialog {
    Q_OBJECT
public:
    CustomizeDialog(const CustomizationState& state, const QImage& userImages,
                    QWidget* parent = nullptr);

    const CustomizationState& State() const { return state; }
    void accept() override;

    // Asks for a toolbar's name; nothing when cancelled.
    static std::optional<QString> AskToolbarName(QWidget* parent, const QString& initial);

private:
    QWidget* MakeToolbarsPage();
    QWidget* MakeCommandsPage();
    QWidget* MakeKeyboardPage();
    QWidget* MakeMousePage();
    QWidget* MakeToolsPage();

    void FillToolbars(int selectSlot);
    void FillTargets(int selectSlot);
    void FillButtons(int selectRow);
    void FillKeys();
    void FillTools(int selectRow);
    void ShowTool();
    void UpdateButtons();
    void RefreshIcons();

    void NewToolbar();
    void RenameToolbar();
    void DeleteToolbar();
    void AddButton(int id);
    void RemoveButton();
    void MoveButton(int step);
    void SetButtonImage(int index);
    void AssignKey();
    void RemoveKey();
    void NewTool();
    void DeleteTool();
    void MoveTool(int step);
    void EditTool();

    int SelectedToolbarSlot() const;  // on the Toolbars page; -1 for Standard or none
    int TargetSlot() const;           // the toolbar the Commands page fills; -1 when none
    int SelectedKeyCommand() const;
    QIcon CommandIcon(int id) const;

    CustomizationState state;
    QList<QPixmap> cells;
    bool filling = false;

    QTabWidget* tabs = nullptr;
    QListWidget* toolbarList = nullptr;
    QPushButton* newToolbar = nullptr;
    QPushButton* renameToolbar = nullptr;
    QPushButton* deleteToolbar = nullptr;
    QListWidget* commandList = nullptr;
    QComboBox* targetToolbar = nullptr;
    QListWidget* buttonList = nullptr;
    QPushButton* addButton = nullptr;
    QPushButton* removeButton = nullptr;
    QPushButton* separatorButton = nullptr;
    QPushButton* upButton = nullptr;
    QPushButton* downButton = nullptr;
    QComboBox* buttonImage = nullptr;
    QListWidget* keyCommandList = nullptr;
    QListWidget* currentKeys = nullptr;
    QKeySequenceEdit* newKey = nullptr;
    QLabel* assignedTo = nullptr;
    QPushButton* assignKey = nullptr;
    QPushButton* removeKey = nullptr;
    QComboBox* doubleClick = nullptr;
    QListWidget* toolList = nullptr;
    QPushButton* newTool = nullptr;
    QPushButton* deleteTool = nullptr;
    QPushButton* toolUp = nullptr;
    QPushButton* toolDown = nullptr;
    QLineEdit* toolTitle = nullptr;
    QLineEdit* toolProgram = nullptr;
    QLineEdit* toolArguments = nullptr;
    QPushButton* browseProgram = nullptr;
};
