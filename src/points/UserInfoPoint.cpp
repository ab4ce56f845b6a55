// SPDX-License-Identifier: GPL-3.0-or-later
#include "points/UserInfoPoint.h"

const ClassInfo CUserInfoPoint::classInfo{"CUserInfoPoint", 0, &CUserInfoPoint::Create};

CUserInfoPoint::~CUserInfoPoint() {
    delete window.data();
}

void CUserInfoPoint::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteI32(iconId);
        ar.WriteString(name);
        ar.WriteString(info);
        ar.WritePoint(position);
        ar.WriteI32(altitude);
        ar.WriteI32(date.status);
        ar.WriteF64(date.dayCount);
    } else {
        iconId = ar.ReadI32();
        name = ar.ReadString();
        info = ar.ReadString();
        position = ar.ReadPoint();
        altitude = ar.ReadI32();
        date.status = ar.ReadI32();
        date.dayCount = ar.ReadF64();
    }
}

void CUserInfoPoint::SetIcon(int id) {
    iconId = id;
    if (!window) return;
    window->update();
    // The icon may be painted by the parent rather than by the window.
    if (QWidget* parent = window->parentWidget()) parent->update(window->geometry());
}

void CUserInfoPoint::SetName(const QString& text) {
    name = text;
    if (window) {
        window->setWindowTitle(text);
        window->setToolTip(text);
    }
}

void CUserInfoPoint::SetWindow(QWidget* w) {
    if (window.data() == w) return;
    delete window.data();
    window = w;
}
