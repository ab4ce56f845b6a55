// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "framework/Prompts.h"
#include "framework/Shell.h"
#include "resources/Art.h"
#include "resources/CommandIds.h"
#include "resources/Strings.h"

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QString::number(res::AboutDialog));
    setWindowTitle(str::AboutTitle);
    auto* layout = new QVBoxLayout(this);
    auto* logo = new QLabel(this);
    logo->setPixmap(art::Bitmap(res::LogoBitmap));
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);
    auto* edition = new QLabel(QString::fromUtf8(str::AboutEdition), this);
    edition->setAlignment(Qt::AlignCenter);
    layout->addWidget(edition);
    layout->addWidget(new QLabel(str::LicenceNotice, this), 0, Qt::AlignHCenter);
    for (const char* line : {"", " ", ""}) layout->addWidget(new QLabel(line, this));

    auto* mail = new QPushButton(str::AboutMailButton, this);
    mail->setObjectName("1059");
    mail->setFlat(true);
    mail->setCursor(Qt::PointingHandCursor);
    mail->setStyleSheet("color: blue; text-decoration: underline;");
    mail->setToolTip(str::AboutMailTip);
    mail->setAutoDefault(false);
    mail->adjustSize();
    connect(mail, &QPushButton::clicked, this,
            [] { shell::Get().openUrl(QUrl(QString("mailto:") + str::MakerEmail)); });
    layout->addWidget(mail, 0, Qt::AlignHCenter);

    check = new QCheckBox(str::AboutDontShow, this);
    check->setObjectName("1057");
    layout->addWidget(check);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

void CAboutDialog::accept() {
    dontShow = check->isChecked() ? 1 : 0;
    QDialog::accept();
}

void CAboutDialog::Run(int& showSplash, QWidget* parent) {
    CAboutDialog dlg(parent);
    dlg.dontShow = showSplash == 0 ? 1 : 0;
    dlg.check->setChecked(dlg.dontShow != 0);
    if (Prompts::instance().runModal(dlg) == QDialog::Accepted) showSplash = dlg.dontShow ? 0 : 1;
}
