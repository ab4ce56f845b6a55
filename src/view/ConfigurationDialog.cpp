// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/ConfigurationDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "framework/DataExchange.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {
constexpr int kLoadLastFileId = 1025;
constexpr int kCrossHairId = 1028;
constexpr int kIconListId = 1036;
constexpr int kShowXYId = 1061;

QCheckBox* Box(int id, const char* text, QWidget* parent) {
    auto* b = new QCheckBox(text, parent);
    b->setObjectName(QString::number(id));
    return b;
}
}  // namespace

CConfigurationDialog::CConfigurationDialog(int loadLastFile, int useCrossHair, int showXY,
                                           int movingMapIcon, QWidget* parent)
    : QDialog(parent),
      loadLastFile(loadLastFile),
      useCrossHair(useCrossHair),
      showXY(showXY),
      movingMapIcon(movingMapIcon) {
    setObjectName(QString::number(res::ConfigurationDialog));
    setWindowTitle(str::ConfigurationTitle);

    loadLastBox = Box(kLoadLastFileId, str::ConfigLoadLastFile, this);
    crossHairBox = Box(kCrossHairId, str::ConfigCrossHair, this);
    showXYBox = Box(kShowXYId, str::ConfigShowXY, this);
    iconList = new QComboBox(this);
    iconList->setObjectName(QString::number(kIconListId));
    iconList->addItems({str::ConfigRedIcon, str::ConfigBlueIcon, str::ConfigGreenIcon});
    auto* iconLabel = new QLabel(str::ConfigMovingMapIcon, this);
    iconLabel->setBuddy(iconList);

    auto* iconRow = new QHBoxLayout;
    iconRow->addWidget(iconLabel);
    iconRow->addWidget(iconList, 1);

    auto* options = new QVBoxLayout;
    options->addWidget(loadLastBox);
    options->addWidget(crossHairBox);
    options->addWidget(showXYBox);
    options->addSpacing(6);
    options->addLayout(iconRow);
    options->addStretch();

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CConfigurationDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CConfigurationDialog::reject);

    auto* top = new QHBoxLayout(this);
    top->addLayout(options);
    top->addSpacing(12);
    top->addWidget(buttons, 0, Qt::AlignTop);
    top->setSizeConstraint(QLayout::SetFixedSize);

    Exchange(false);
}

bool CConfigurationDialog::Exchange(bool save) {
    DataExchange dx(save);
    dx.Check(loadLastBox, loadLastFile);
    dx.Check(crossHairBox, useCrossHair);
    dx.ComboIndex(iconList, movingMapIcon);
    dx.Check(showXYBox, showXY);
    return dx.Ok();
}

void CConfigurationDialog::accept() {
    if (Exchange(true)) QDialog::accept();
}
