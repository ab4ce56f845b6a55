// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QKeySequence>
#include <QList>
#include <QPixmap>
#include <QString>
#include <array>
#include <map>
#include <optional>
#include <vector>

class SettingsStore;

namespace customize {
inline constexpr int kMaxToolbars = 10;
inline constexpr int kMaxTools = 16;
inline constexpr int kMaxButtons = 200;  // per user toolbar
inline constexpr int kSeparator = 0;     // a separator in a toolbar's command list
inline constexpr int kCellSize = 16;     // user images are cut in cells this wide

struct UserToolbar {
    QString title;
    std::vector<int> commands;  // catalogue commands, kSeparator between groups
    bool visible = true;
    bool operator==(const UserToolbar&) const = default;
};

struct UserTool {
    QString title;
    QString program;
    QString arguments;  // split like a shell command line when the tool runs
    bool operator==(const UserTool&) const = default;
};

// A command the user can put on a toolbar, bind to a key or to the double-click.
bool IsCommand(int id);
// The command as lists show it: its menu text without mnemonics.
QString CommandName(int id);
// The keys a command has before the user changes them.
QList<QKeySequence> DefaultKeys(int id);
// The user images strip cut into cells; empty when there is no strip.
QList<QPixmap> ImageCells(const QImage& strip);
}  // namespace customize

// What the user has customized: the user toolbars (slot i is window 59432 + i,
// toggled by command 32793 + 2i), the keys that differ from the catalogue's,
// the double-click binding and the user tools. Plain data; the frame applies it.
class CustomizationState {
public:
    std::array<std::optional<customize::UserToolbar>, customize::kMaxToolbars> toolbars;
    bool standardToolbarVisible = true;
    std::map<int, QList<QKeySequence>> keys;  // only commands whose keys were changed
    int doubleClickCommand = 0;               // 0: the double-click beeps
    std::vector<customize::UserTool> tools;
    std::map<int, int> buttonImages;  // command -> cell of the user images

    bool operator==(const CustomizationState&) const = default;

    int ToolbarCount() const;
    // The slot the new toolbar went into, or -1 when all are taken.
    int AddToolbar(const QString& title);

    QList<QKeySequence> Keys(int id) const;
    // Keys equal to the defaults drop the override.
    void SetKeys(int id, const QList<QKeySequence>& sequences);
    // The command that has this key now, other than except; 0 when none.
    int CommandForKey(const QKeySequence& key, int except = 0) const;

    // Below "Settings/Customization". Load gives false, and the defaults,
    // when anything stored there is damaged.
    void Save(SettingsStore& store) const;
    bool Load(SettingsStore& store);
    static void Clear(SettingsStore& store);

private:
    bool Read(SettingsStore& store);
};
