// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/GpsSetupDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <iterator>

#include "framework/DataExchange.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

namespace {
constexpr int kTrayIconId = 1050;
constexpr int kSourceId = 1070;
constexpr int kAddressId = 1071;

template <size_t N>
QStringList Entries(const char* const (&texts)[N]) {
    QStringList out;
    for (const char* t : texts) out << QString::fromLatin1(t);
    return out;
}
}  // namespace

CGpsSetupDialog::CGpsSetupDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(res::GpsSetupDialog));
    setWindowTitle(str::GpsSetupTitle);

    struct ListInfo {
        int id;
        const char* label;
        QStringList entries;
    } choices[6] = {
        {1019, str::GpsComPortLabel, Entries(str::GpsComPorts)},
        {1020, str::GpsBaudRateLabel, Entries(str::GpsBaudRates)},
        {1021, str::GpsDataBitsLabel, Entries(str::GpsDataBits)},
        {1022, str::GpsStopBitsLabel, Entries(str::GpsStopBits)},
        {1023, str::GpsParityLabel, Entries(str::GpsParities)},
        {1024, str::GpsHandShakingLabel, Entries(str::GpsHandShakes)},
    };

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    for (int i = 0; i < 6; ++i) {
        auto* list = new QComboBox(this);
        list->setObjectName(QString::number(choices[i].id));
        list->addItems(choices[i].entries);
        list->setMinimumWidth(110);
        auto* label = new QLabel(choices[i].label, this);
        label->setBuddy(list);
        grid->addWidget(label, i, 0, Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(list, i, 1);
        lists[i] = list;
    }
    trayIconBox = new QCheckBox(str::GpsTrayIcon, this);
    trayIconBox->setObjectName(QString::number(kTrayIconId));
    grid->addWidget(trayIconBox, 6, 1);
    lists[0]->setEditable(true);  // a pseudo-terminal's path can be typed in

    sourceList = new QComboBox(this);
    sourceList->setObjectName(QString::number(kSourceId));
    sourceList->addItems(Entries(str::GpsSources));
    auto* sourceLabel = new QLabel(str::GpsSourceLabel, this);
    sourceLabel->setBuddy(sourceList);
    grid->addWidget(sourceLabel, 7, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(sourceList, 7, 1);
    addressEdit = new QLineEdit(this);
    addressEdit->setObjectName(QString::number(kAddressId));
    auto* addressLabel = new QLabel(str::GpsAddressLabel, this);
    addressLabel->setBuddy(addressEdit);
    grid->addWidget(addressLabel, 8, 0, Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(addressEdit, 8, 1);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &CGpsSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGpsSetupDialog::reject);

    auto* top = new QHBoxLayout(this);
    top->addLayout(grid);
    top->addSpacing(12);
    top->addWidget(buttons, 0, Qt::AlignTop);
    top->setSizeConstraint(QLayout::SetFixedSize);

    Exchange(false);
}

bool CGpsSetupDialog::Exchange(bool save) {
    int* values[6] = {&comPort, &baudRate, &dataBits, &stopBits, &parity, &handshaking};
    DataExchange dx(save);
    // The port list holds names once SetPorts filled it; the index follows
    // from a "COMn" name below.
    if (!save && !portsListed) dx.ComboIndex(lists[0], comPort);
    for (int i = 1; i < 6; ++i) dx.ComboIndex(lists[i], *values[i]);
    dx.Check(trayIconBox, showTrayIcon);
    dx.ComboIndex(sourceList, source);
    if (save) {
        address = addressEdit->text().trimmed();
        portName = lists[0]->currentText().trimmed();
        // A "COMn" of the old list keeps its index, as the port settings store it.
        const QRegularExpressionMatch m = QRegularExpression("^COM([1-8])$").match(portName);
        if (m.hasMatch()) comPort = m.captured(1).toInt() - 1;
    } else {
        addressEdit->setText(address);
    }
    return dx.Ok();
}

void CGpsSetupDialog::SetPorts(const QStringList& realPorts, const QString& storedName) {
    QComboBox* list = lists[0];
    portsListed = true;
    list->clear();
    list->addItems(realPorts);
    const QString shown = storedName.isEmpty() ? QString("COM%1").arg(comPort + 1) : storedName;
    if (!realPorts.contains(shown)) list->addItem(shown);
    list->setCurrentText(shown);
    portName = shown;
}

void CGpsSetupDialog::accept() {
    if (Exchange(true)) QDialog::accept();
}
