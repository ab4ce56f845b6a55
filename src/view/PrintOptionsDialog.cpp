// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/PrintOptionsDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "framework/Prompts.h"
#include "view/AreaPicker.h"
#include "view/PrintTexts.h"

namespace {
QSpinBox* Spin(QWidget* parent, const char* name, const char* prefix, int most) {
    auto* s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setPrefix(prefix);
    s->setRange(0, std::max(1, most));
    return s;
}
}  // namespace

CPrintOptionsDialog::CPrintOptionsDialog(const PrintOptions& o, const QSize& extent,
                                         QWidget* parent, CTarnLocation* location)
    : QDialog(parent) {
    setObjectName("PrintOptions");
    setWindowTitle(printstr::DialogTitle);
    auto* form = new QFormLayout(this);

    area = new QComboBox(this);
    area->setObjectName("area");
    area->addItem(printstr::AreaVisible, int(PrintOptions::Area::Visible));
    area->addItem(printstr::AreaWhole, int(PrintOptions::Area::Whole));
    area->addItem(printstr::AreaRectangle, int(PrintOptions::Area::Rectangle));
    area->setCurrentIndex(area->findData(int(o.area)));
    form->addRow(printstr::AreaLabel, area);

    auto* rectRow = new QHBoxLayout;
    rectX = Spin(this, "rectX", "x ", extent.width());
    rectY = Spin(this, "rectY", "y ", extent.height());
    rectW = Spin(this, "rectWidth", "w ", extent.width());
    rectH = Spin(this, "rectHeight", "h ", extent.height());
    rectW->setMinimum(1);
    rectH->setMinimum(1);
    rectX->setValue(o.rectangle.x());
    rectY->setValue(o.rectangle.y());
    rectW->setValue(o.rectangle.width());
    rectH->setValue(o.rectangle.height());
    for (QSpinBox* s : {rectX, rectY, rectW, rectH}) rectRow->addWidget(s);
    form->addRow(printstr::RectangleLabel, rectRow);
    if (location) {
        picker = new CAreaPicker(*location, this);
        picker->setToolTip(printstr::PickerTip);
        form->addRow(printstr::PickerLabel, picker);
        connect(picker, &CAreaPicker::rectangleDragged, this, [this](const QRect& r) {
            for (QSpinBox* s : {rectX, rectY, rectW, rectH}) s->blockSignals(true);
            rectX->setValue(r.x());
            rectY->setValue(r.y());
            rectW->setValue(r.width());
            rectH->setValue(r.height());
            for (QSpinBox* s : {rectX, rectY, rectW, rectH}) s->blockSignals(false);
            area->setCurrentIndex(area->findData(int(PrintOptions::Area::Rectangle)));
            ShowRectangle();
        });
        for (QSpinBox* s : {rectX, rectY, rectW, rectH})
            connect(s, &QSpinBox::valueChanged, this, &CPrintOptionsDialog::ShowRectangle);
    }

    scale = new QComboBox(this);
    scale->setObjectName("scale");
    scale->setEditable(true);
    scale->addItems(ScaleChoices());
    if (o.scale > 0)
        scale->setEditText(QString("1:%1").arg(qRound64(o.scale)));
    else
        scale->setCurrentIndex(0);
    form->addRow(printstr::ScaleLabel, scale);

    pages = new QSpinBox(this);
    pages->setObjectName("pages");
    pages->setRange(1, CPrintJob::kMaxPages);
    pages->setValue(o.pages);
    form->addRow(printstr::PagesLabel, pages);

    overlap = new QDoubleSpinBox(this);
    overlap->setObjectName("overlap");
    overlap->setRange(0, 50);
    overlap->setDecimals(0);
    overlap->setSuffix(printstr::OverlapSuffix);
    overlap->setValue(o.overlapMm);
    form->addRow(printstr::OverlapLabel, overlap);

    auto* orientation = new QHBoxLayout;
    portrait = new QRadioButton(printstr::Portrait, this);
    portrait->setObjectName("portrait");
    landscape = new QRadioButton(printstr::Landscape, this);
    landscape->setObjectName("landscape");
    auto* group = new QButtonGroup(this);
    group->addButton(portrait);
    group->addButton(landscape);
    (o.landscape ? landscape : portrait)->setChecked(true);
    orientation->addWidget(portrait);
    orientation->addWidget(landscape);
    form->addRow(printstr::OrientationLabel, orientation);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    connect(area, &QComboBox::currentIndexChanged, this, &CPrintOptionsDialog::UpdateEnabled);
    connect(scale, &QComboBox::currentTextChanged, this, &CPrintOptionsDialog::UpdateEnabled);
    UpdateEnabled();
}

QStringList CPrintOptionsDialog::ScaleChoices() {
    return {printstr::ScaleFit, "1:10 000", "1:20 000",  "1:24 000",        "1:25 000",
            "1:50 000",         "1:63 360", "1:100 000", "1 inch = 1 mile", "1 inch = 2 miles"};
}

PrintOptions CPrintOptionsDialog::Options() const {
    PrintOptions o;
    o.area = PrintOptions::Area(area->currentData().toInt());
    o.rectangle = QRect(rectX->value(), rectY->value(), rectW->value(), rectH->value());
    const QString text = scale->currentText();
    o.scale = text == printstr::ScaleFit ? 0 : PrintOptions::ParseScale(text).value_or(0);
    o.pages = pages->value();
    o.overlapMm = overlap->value();
    o.landscape = landscape->isChecked();
    return o;
}

void CPrintOptionsDialog::accept() {
    const QString text = scale->currentText();
    if (text != printstr::ScaleFit && !PrintOptions::ParseScale(text)) {
        Prompts::instance().message(printstr::BadScale);
        return;
    }
    QDialog::accept();
}

void CPrintOptionsDialog::ShowRectangle() {
    if (!picker) return;
    const bool rect =
        PrintOptions::Area(area->currentData().toInt()) == PrintOptions::Area::Rectangle;
    picker->SetRectangle(
        rect ? QRect(rectX->value(), rectY->value(), rectW->value(), rectH->value()) : QRect());
}

void CPrintOptionsDialog::UpdateEnabled() {
    const bool rect =
        PrintOptions::Area(area->currentData().toInt()) == PrintOptions::Area::Rectangle;
    for (QSpinBox* s : {rectX, rectY, rectW, rectH}) s->setEnabled(rect);
    const bool fit = scale->currentText() == printstr::ScaleFit;
    pages->setEnabled(fit);
    ShowRectangle();
}
