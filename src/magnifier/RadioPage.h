// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <vector>

class QAbstractButton;

// A property page holding one choice: the index of its checked radio
// button, 0 for the first, -1 when none is checked.
class CRadioPage : public QWidget {
    Q_OBJECT
public:
    bool Exchange(bool save);

    int index;

protected:
    struct Choice {
        int id;
        const char* text;
    };
    CRadioPage(int pageId, const std::vector<Choice>& choices, int index, QWidget* parent);

private:
    std::vector<QAbstractButton*> group;
};
