// SPDX-License-Identifier: GPL-3.0-or-later
#include "gps/GpsInterface.h"

#include <unistd.h>

const ClassInfo CGpsInterface::classInfo{"CGpsInterface", 1, &CGpsInterface::Create};

CGpsInterface::CGpsInterface() {
    Reset();
}

CGpsInterface::~CGpsInterface() {
    ClosePort();
}

void CGpsInterface::Reset() {
    if (portOpen) ClosePort();
    portOpen = 0;
    portHandle = -1;
    comPort = 1;
    baudRate = 4;
    dataBits = 3;
    stopBits = 0;
    parity = 0;
    handshaking = 0;
    extra1 = 0;
    extra2 = 0;
}

void CGpsInterface::ClosePort() {
    if (!portOpen) return;
    portOpen = 0;
    if (portHandle >= 0) ::close(portHandle);
    portHandle = -1;
}

void CGpsInterface::Serialize(CArchive& ar) {
    uint16_t* choices[6] = {&comPort, &baudRate, &dataBits, &stopBits, &parity, &handshaking};
    if (ar.IsStoring()) {
        for (uint16_t* v : choices) ar.WriteU16(*v);
        ar.WriteU32(extra1);
        ar.WriteU32(extra2);
    } else {
        for (uint16_t* v : choices) *v = ar.ReadU16();
        extra1 = ar.ReadU32();
        extra2 = ar.ReadU32();
    }
}
