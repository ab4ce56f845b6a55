// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/UserPointDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QVBoxLayout>
#include <climits>

#include "framework/DataExchange.h"
#include "resources/Art.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {
constexpr int kIconListId = 1000;
constexpr int kNameId = 1002;
constexpr int kFromFileId = 1004;
constexpr int kInfoId = 1011;
constexpr int kAltitudeId = 1013;
// Latitude d/m/s, then longitude d/m/s.
constexpr int kNumberIds[6] = {1030, 1031, 1032, 1026, 1027, 1029};
constexpr int kIconSize = 16;
}  // namespace

CUserPointDialog::CUserPointDialog(UserPointValues& values, QWidget* parent)
    : QDialog(parent), values(values) {
    setObjectName(QString::number(res::UserPointDialog));
    setWindowTitle(str::UserPointTitle);

    iconList = new QListWidget(this);
    iconList->setObjectName(QString::number(kIconListId));
    iconList->setViewMode(QListView::IconMode);
    iconList->setMovement(QListView::Static);
    iconList->setResizeMode(QListView::Adjust);
    iconList->setWrapping(true);
    iconList->setIconSize(QSize(kIconSize, kIconSize));
    iconList->setGridSize(QSize(36, 40));
    iconList->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    iconList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // The chosen icon stays highlighted while the user types elsewhere.
    QPalette pal = iconList->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    iconList->setPalette(pal);
    const QPixmap strip = art::IconStrip141();
    for (int i = 0; i < kIconCount; ++i) {
        QPixmap piece = strip.copy(i * kIconSize, 0, kIconSize, kIconSize);
        new QListWidgetItem(QIcon(piece), QString::number(i), iconList);
    }
    // Room for all 32 icons, eight to a row.
    const int scrollBar = iconList->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    iconList->setFixedSize(8 * 36 + 2 * iconList->frameWidth() + scrollBar + 8,
                           4 * 40 + 2 * iconList->frameWidth() + 8);

    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(QString::number(kNameId));
    for (int i = 0; i < 6; ++i) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::number(kNumberIds[i]));
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
        e->setFixedWidth(48);
        e->setAlignment(Qt::AlignRight);
        numberEdits[i] = e;
    }
    altitudeEdit = new QLineEdit(this);
    altitudeEdit->setObjectName(QString::number(kAltitudeId));
    altitudeEdit->setFixedWidth(48);
    altitudeEdit->setAlignment(Qt::AlignRight);
    altitudeEdit->setToolTip(str::AltitudeToolTip);
    infoEdit = new QPlainTextEdit(this);
    infoEdit->setObjectName(QString::number(kInfoId));
    infoEdit->setTabChangesFocus(true);

    // Kept for reading points from a file one day; it does nothing yet.
    auto* fromFile = new QPushButton(str::UserPointFromFile, this);
    fromFile->setObjectName(QString::number(kFromFileId));
    fromFile->setAutoDefault(false);
    fromFile->hide();

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    auto addLabel = [&](const char* text, int row, QWidget* buddy) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        grid->addWidget(l, row, 0, Qt::AlignRight | Qt::AlignVCenter);
    };
    addLabel(str::DlgNameLabel, 0, nameEdit);
    grid->addWidget(nameEdit, 0, 1, 1, 4);
    addLabel(str::DlgLatLabel, 1, numberEdits[0]);
    addLabel(str::DlgLonLabel, 2, numberEdits[3]);
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(numberEdits[i], 1, 1 + i);
        grid->addWidget(numberEdits[3 + i], 2, 1 + i);
    }
    addLabel(str::UserPointAltLabel, 3, altitudeEdit);
    grid->addWidget(altitudeEdit, 3, 1);
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(4, 1);

    auto* infoLabel = new QLabel(str::UserPointInfoLabel, this);
    infoLabel->setBuddy(infoEdit);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CUserPointDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CUserPointDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(buttons);
    side->addWidget(fromFile);
    side->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(iconList, 0, Qt::AlignTop);
    body->addSpacing(8);
    body->addLayout(grid, 1);
    body->addSpacing(8);
    body->addLayout(side);

    infoEdit->setFixedHeight(80);
    auto* top = new QVBoxLayout(this);
    top->addLayout(body);
    top->addSpacing(4);
    top->addWidget(infoLabel);
    top->addWidget(infoEdit);
    top->setSizeConstraint(QLayout::SetFixedSize);

    Exchange(false);
}

int CUserPointDialog::LeadingInt(const QString& text) {
    // Like reading a number with the C library: blanks, a sign, then digits
    // up to the first other character.
    int i = 0;
    const int n = text.size();
    while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                     text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i].unicode() - '0');
        if (v > INT_MAX + 1LL) v = INT_MAX + 1LL;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    return static_cast<int>(v);
}

bool CUserPointDialog::Exchange(bool save) {
    int* numbers[6] = {&values.latDeg, &values.latMin, &values.latSec,
                       &values.lonDeg, &values.lonMin, &values.lonSec};
    if (!save) {
        iconList->clearSelection();
        int row = values.iconId - kFirstIconId;
        if (row >= 0 && row < iconList->count()) {
            iconList->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
            iconList->scrollToItem(iconList->item(row));
        }
        nameEdit->setText(values.name);
        infoEdit->setPlainText(values.info);
        altitudeEdit->setText(QString::number(values.altitude));
        DataExchange dx(false);
        for (int i = 0; i < 6; ++i) dx.Int(numberEdits[i], *numbers[i]);
        return true;
    }

    // Everything but the numbers is taken first and stays taken even when a
    // number is then refused.
    for (int row = 0; row < iconList->count(); ++row)
        if (iconList->item(row)->isSelected()) {
            values.iconId = kFirstIconId + row;
            break;
        }
    values.name = nameEdit->text();
    values.info = infoEdit->toPlainText();
    values.altitude = LeadingInt(altitudeEdit->text());
    DataExchange dx(true);
    for (int i = 0; i < 6; ++i) dx.Int(numberEdits[i], *numbers[i]);
    return dx.Ok();
}

void CUserPointDialog::accept() {
    if (Exchange(true)) QDialog::accept();
}
