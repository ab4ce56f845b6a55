// SPDX-License-Identifier: GPL-3.0-or-later
#include "drawings/PenPage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>

#include "drawings/ColorRef.h"
#include "framework/DataExchange.h"
#include "framework/Prompts.h"
#include "resources/Strings.h"

namespace {
constexpr int kWidthEditId = 1052;
constexpr int kWidthSpinId = 1055;
constexpr int kColorButtonId = 221;
constexpr int kSwatchId = 222;
constexpr int kMinWidth = 1;
constexpr int kMaxWidth = 5;
}  // namespace

CPenPage::CPenPage(int pageId, int32_t penWidth, uint32_t penColor, QWidget* parent)
    : QWidget(parent), penWidth(penWidth), penColor(penColor) {
    setObjectName(QString::number(pageId));

    auto* label = new QLabel(str::PenLineWidth, this);
    widthEdit = new QLineEdit(this);
    widthEdit->setObjectName(QString::number(kWidthEditId));
    widthEdit->setFixedWidth(48);
    widthEdit->setAlignment(Qt::AlignRight);
    label->setBuddy(widthEdit);

    // The up-down only steps the number in the edit; the edit itself takes
    // any text, and OK is what checks it.
    widthSpin = new QSpinBox(this);
    widthSpin->setObjectName(QString::number(kWidthSpinId));
    widthSpin->setRange(kMinWidth, kMaxWidth);
    widthSpin->setFocusPolicy(Qt::NoFocus);
    if (auto* inner = widthSpin->findChild<QLineEdit*>()) inner->hide();
    widthSpin->setFixedSize(widthSpin->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 6,
                            widthEdit->sizeHint().height());
    connect(widthSpin, &QSpinBox::valueChanged, this,
            [this](int v) { widthEdit->setText(QString::number(v)); });
    connect(widthEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        int v = 0;
        if (!DataExchange::ParseInt(text, v)) return;
        QSignalBlocker block(widthSpin);
        widthSpin->setValue(v);
    });

    swatch = new QLabel(str::PenSwatchText, this);
    swatch->setObjectName(QString::number(kSwatchId));
    swatch->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    swatch->setAlignment(Qt::AlignCenter);
    swatch->setAutoFillBackground(true);
    swatch->setFixedSize(24, 20);

    auto* colorButton = new QPushButton(str::PenColorButton, this);
    colorButton->setObjectName(QString::number(kColorButtonId));
    colorButton->setAutoDefault(false);
    connect(colorButton, &QPushButton::clicked, this, &CPenPage::OnPenColor);

    auto* widthRow = new QHBoxLayout;
    widthRow->setSpacing(0);
    widthRow->addWidget(widthEdit);
    widthRow->addWidget(widthSpin);
    widthRow->addStretch();

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(14);
    grid->addWidget(label, 0, 0, 1, 2);
    grid->addLayout(widthRow, 0, 2);
    grid->addWidget(swatch, 1, 0);
    grid->addWidget(colorButton, 1, 1, 1, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);

    Exchange(false);
}

bool CPenPage::Exchange(bool save) {
    DataExchange dx(save);
    dx.IntRange(widthEdit, penWidth, kMinWidth, kMaxWidth);
    if (!save) ShowColor();
    return dx.Ok();
}

void CPenPage::OnPenColor() {
    penColor = ToColorRef(Prompts::instance().chooseColor(QColor(Qt::black)));
    ShowColor();
}

void CPenPage::ShowColor() {
    // The swatch's text is drawn in its own colour, so only the block shows.
    QPalette pal = swatch->palette();
    QColor c = FromColorRef(penColor);
    pal.setColor(QPalette::Window, c);
    pal.setColor(QPalette::WindowText, c);
    swatch->setPalette(pal);
    swatch->update();
}
