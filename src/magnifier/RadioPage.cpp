// SPDX-License-Identifier: GPL-3.0-or-later
#include "magnifier/RadioPage.h"

#include <QRadioButton>
#include <QVBoxLayout>

#include "framework/DataExchange.h"

CRadioPage::CRadioPage(int pageId, const std::vector<Choice>& choices, int index, QWidget* parent)
    : QWidget(parent), index(index) {
    setObjectName(QString::number(pageId));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(18, 14, 18, 14);
    column->setSpacing(6);
    for (const Choice& c : choices) {
        auto* b = new QRadioButton(c.text, this);
        b->setObjectName(QString::number(c.id));
        group.push_back(b);
        column->addWidget(b);
    }
    column->addStretch();
    Exchange(false);
}

bool CRadioPage::Exchange(bool save) {
    DataExchange dx(save);
    dx.Radio(group, index);
    return dx.Ok();
}
