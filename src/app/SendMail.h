// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class CDocument;

// Sending the current location by e-mail through the desktop's mail program
// (xdg-email): the document is saved first, then attached under its title.
bool MailSystemPresent();
void SendMail(CDocument& doc);
