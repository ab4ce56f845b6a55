// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/customize/CustomizationState.h"

#include <QRegularExpression>
#include <QSettings>
#include <QStringList>
#include <set>

#include "framework/Settings.h"
#include "resources/CommandCatalog.h"

namespace customize {

bool IsCommand(int id) {
    return id != kSeparator && catalog::Find(id) != nullptr;
}

QString CommandName(int id) {
    const CommandInfo* info = catalog::Find(id);
    if (!info) return QString::number(id);
    QString text = QString::fromUtf8(info->menuText);
    text.replace("&&", "\x01").remove('&').replace("\x01", "&");
    if (text.endsWith("...")) text.chop(3);
    // The recent-file entries are bare numbers in the menu.
    bool number = false;
    text.toInt(&number);
    if (number) text = QString::fromUtf8(info->toolTip) + ' ' + text;
    return text;
}

QList<QKeySequence> DefaultKeys(int id) {
    const CommandInfo* info = catalog::Find(id);
    if (!info) return {};
    if (info->standardKey != QKeySequence::UnknownKey)
        return QKeySequence::keyBindings(info->standardKey);
    if (info->shortcut) return {QKeySequence(QString::fromLatin1(info->shortcut))};
    return {};
}

QList<QPixmap> ImageCells(const QImage& strip) {
    QList<QPixmap> cells;
    if (strip.isNull()) return cells;
    QImage image = strip.convertToFormat(QImage::Format_ARGB32);
    // Button bitmaps use light grey for the background.
    const QRgb background = qRgb(192, 192, 192);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (background & 0xFFFFFF)) line[x] = 0;
    }
    int height = std::min(image.height(), kCellSize);
    for (int x = 0; x + kCellSize <= image.width(); x += kCellSize)
        cells.append(QPixmap::fromImage(image.copy(x, 0, kCellSize, height)));
    return cells;
}

}  // namespace customize

using namespace customize;

namespace {
constexpr int kVersion = 1;
constexpr int kMaxCell = 1023;
constexpr int kMaxTitle = 255;
const char* kGroup = "Customization";

QString GroupPath() {
    return QString(SettingsStore::kSection) + '/' + kGroup;
}

// Stored values come back as text from the file, or typed while the store
// still holds what this run wrote: accept both, nothing else.
std::optional<int> ReadInt(const QVariant& v, int min, int max) {
    bool ok = false;
    qlonglong n = 0;
    switch (v.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Bool:
            n = v.toLongLong(&ok);
            break;
        case QMetaType::QString:
            n = v.toString().trimmed().toLongLong(&ok);
            break;
        default:
            return std::nullopt;
    }
    if (!ok || n < min || n > max) return std::nullopt;
    return static_cast<int>(n);
}

std::optional<QString> ReadText(const QVariant& v) {
    if (v.typeId() != QMetaType::QString) return std::nullopt;
    return v.toString();
}

std::optional<QString> ReadTitle(const QVariant& v) {
    std::optional<QString> t = ReadText(v);
    if (!t || t->trimmed().isEmpty() || t->size() > kMaxTitle) return std::nullopt;
    return t;
}

std::optional<QList<QKeySequence>> ReadKeys(const QVariant& v) {
    std::optional<QString> text = ReadText(v);
    if (!text) return std::nullopt;
    if (text->isEmpty()) return QList<QKeySequence>{};
    QList<QKeySequence> keys = QKeySequence::listFromString(*text, QKeySequence::PortableText);
    for (const QKeySequence& k : keys) {
        if (k.isEmpty()) return std::nullopt;
        for (int i = 0; i < k.count(); ++i)
            if (k[i].key() == Qt::Key_unknown) return std::nullopt;
    }
    // Anything the key parser had to guess at does not read back the same.
    if (QKeySequence::listToString(keys, QKeySequence::PortableText) != *text) return std::nullopt;
    return keys;
}

QString ButtonsText(const std::vector<int>& commands) {
    QStringList parts;
    for (int id : commands) parts << QString::number(id);
    return parts.join(' ');
}

std::optional<std::vector<int>> ReadButtons(const QVariant& v) {
    std::optional<QString> text = ReadText(v);
    if (!text) return std::nullopt;
    std::vector<int> out;
    for (const QString& part : text->split(' ', Qt::SkipEmptyParts)) {
        bool ok = false;
        int id = part.toInt(&ok);
        if (!ok || (id != kSeparator && !IsCommand(id))) return std::nullopt;
        out.push_back(id);
    }
    if (out.size() > static_cast<size_t>(kMaxButtons)) return std::nullopt;
    return out;
}

// Reads one group's values, refusing any name it does not know.
class GroupReader {
public:
    GroupReader(QSettings& s, const QString& group) : settings(s) { settings.beginGroup(group); }
    ~GroupReader() { settings.endGroup(); }
    QStringList Keys() const { return settings.childKeys(); }
    QStringList Groups() const { return settings.childGroups(); }
    bool OnlyKeys(const QStringList& allowed) const {
        if (!Groups().isEmpty()) return false;
        for (const QString& k : Keys())
            if (!allowed.contains(k)) return false;
        return true;
    }
    QVariant Value(const QString& key) const { return settings.value(key); }

private:
    QSettings& settings;
};

// "Toolbar3" -> 3 when name is prefix followed by a plain number in [0, count).
std::optional<int> IndexedName(const QString& name, const QString& prefix, int count) {
    static const QRegularExpression digits("^(0|[1-9][0-9]{0,3})$");
    if (!name.startsWith(prefix)) return std::nullopt;
    QString rest = name.mid(prefix.size());
    if (!digits.match(rest).hasMatch()) return std::nullopt;
    int n = rest.toInt();
    if (n >= count) return std::nullopt;
    return n;
}
}  // namespace

int CustomizationState::ToolbarCount() const {
    int n = 0;
    for (const auto& t : toolbars) n += t.has_value();
    return n;
}

int CustomizationState::AddToolbar(const QString& title) {
    for (int i = 0; i < kMaxToolbars; ++i) {
        if (toolbars[i]) continue;
        toolbars[i] = UserToolbar{title, {}, true};
        return i;
    }
    return -1;
}

QList<QKeySequence> CustomizationState::Keys(int id) const {
    auto it = keys.find(id);
    return it != keys.end() ? it->second : DefaultKeys(id);
}

void CustomizationState::SetKeys(int id, const QList<QKeySequence>& sequences) {
    if (sequences == DefaultKeys(id))
        keys.erase(id);
    else
        keys[id] = sequences;
}

int CustomizationState::CommandForKey(const QKeySequence& key, int except) const {
    if (key.isEmpty()) return 0;
    int count = 0;
    const CommandInfo* all = catalog::All(count);
    for (int i = 0; i < count; ++i) {
        if (all[i].id == except) continue;
        if (Keys(all[i].id).contains(key)) return all[i].id;
    }
    return 0;
}

void CustomizationState::Clear(SettingsStore& store) {
    store.Remove(kGroup);
}

void CustomizationState::Save(SettingsStore& store) const {
    Clear(store);
    const QString base = QString(kGroup) + '/';
    store.SetValue(base + "Version", kVersion);
    store.SetValue(base + "StandardToolbar", standardToolbarVisible ? 1 : 0);
    store.SetValue(base + "DoubleClick", doubleClickCommand);
    for (int i = 0; i < kMaxToolbars; ++i) {
        if (!toolbars[i]) continue;
        const QString p = base + QString("Toolbar%1/").arg(i);
        store.SetValue(p + "Title", toolbars[i]->title);
        store.SetValue(p + "Buttons", ButtonsText(toolbars[i]->commands));
        store.SetValue(p + "Visible", toolbars[i]->visible ? 1 : 0);
    }
    for (const auto& [id, sequences] : keys)
        store.SetValue(base + QString("Keys/%1").arg(id),
                       QKeySequence::listToString(sequences, QKeySequence::PortableText));
    for (const auto& [id, cell] : buttonImages)
        store.SetValue(base + QString("ButtonImages/%1").arg(id), cell);
    for (size_t i = 0; i < tools.size(); ++i) {
        const QString p = base + QString("Tool%1/").arg(i);
        store.SetValue(p + "Title", tools[i].title);
        store.SetValue(p + "Program", tools[i].program);
        store.SetValue(p + "Arguments", tools[i].arguments);
    }
}

bool CustomizationState::Load(SettingsStore& store) {
    *this = CustomizationState();
    if (Read(store)) return true;
    *this = CustomizationState();
    return false;
}

bool CustomizationState::Read(SettingsStore& store) {
    QSettings& settings = store.Raw();
    GroupReader top(settings, GroupPath());
    if (top.Keys().isEmpty() && top.Groups().isEmpty()) return true;  // nothing saved yet

    for (const QString& k : top.Keys())
        if (k != "Version" && k != "StandardToolbar" && k != "DoubleClick") return false;
    if (ReadInt(top.Value("Version"), kVersion, kVersion) != kVersion) return false;
    std::optional<int> standard = ReadInt(top.Value("StandardToolbar"), 0, 1);
    std::optional<int> dbl = ReadInt(top.Value("DoubleClick"), 0, 0x7FFFFFFF);
    if (!standard || !dbl || (*dbl != 0 && !IsCommand(*dbl))) return false;
    standardToolbarVisible = *standard == 1;
    doubleClickCommand = *dbl;

    std::set<int> toolIndexes;
    std::map<int, UserTool> readTools;
    for (const QString& g : top.Groups()) {
        if (std::optional<int> slot = IndexedName(g, "Toolbar", kMaxToolbars)) {
            GroupReader r(settings, g);
            if (!r.OnlyKeys({"Title", "Buttons", "Visible"})) return false;
            std::optional<QString> title = ReadTitle(r.Value("Title"));
            std::optional<std::vector<int>> buttons = ReadButtons(r.Value("Buttons"));
            std::optional<int> visible = ReadInt(r.Value("Visible"), 0, 1);
            if (!title || !buttons || !visible) return false;
            toolbars[*slot] = UserToolbar{*title, *buttons, *visible == 1};
        } else if (std::optional<int> index = IndexedName(g, "Tool", kMaxTools)) {
            GroupReader r(settings, g);
            if (!r.OnlyKeys({"Title", "Program", "Arguments"})) return false;
            std::optional<QString> title = ReadTitle(r.Value("Title"));
            std::optional<QString> program = ReadText(r.Value("Program"));
            std::optional<QString> arguments = ReadText(r.Value("Arguments"));
            if (!title || !program || program->trimmed().isEmpty() || !arguments) return false;
            readTools[*index] = UserTool{*title, *program, *arguments};
        } else if (g == "Keys" || g == "ButtonImages") {
            GroupReader r(settings, g);
            if (!r.Groups().isEmpty()) return false;
            for (const QString& k : r.Keys()) {
                bool ok = false;
                int id = k.toInt(&ok);
                if (!ok || !IsCommand(id) || k != QString::number(id)) return false;
                if (g == "Keys") {
                    std::optional<QList<QKeySequence>> sequences = ReadKeys(r.Value(k));
                    if (!sequences) return false;
                    keys[id] = *sequences;
                } else {
                    std::optional<int> cell = ReadInt(r.Value(k), 0, kMaxCell);
                    if (!cell) return false;
                    buttonImages[id] = *cell;
                }
            }
        } else {
            return false;
        }
    }
    // Tools are numbered from 0 without gaps.
    int expected = 0;
    for (auto& [index, tool] : readTools) {
        if (index != expected++) return false;
        tools.push_back(std::move(tool));
    }
    // One key, one command.
    for (const auto& [id, sequences] : keys)
        for (const QKeySequence& k : sequences)
            if (CommandForKey(k, id) != 0 || sequences.count(k) > 1) return false;
    return true;
}
