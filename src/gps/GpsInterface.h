// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>

#include "framework/Archive.h"

// Serial-port settings for a GPS receiver. The six choices are indexes into
// the lists of the GPS Setup dialog; the defaults are 4800 baud, 8 data
// bits, no parity, 1 stop bit and no handshaking on COM2.
class CGpsInterface : public CObject {
public:
    static const ClassInfo classInfo;
    static CObject* Create() { return new CGpsInterface; }
    const ClassInfo& GetRuntimeClass() const override { return classInfo; }

    CGpsInterface();
    ~CGpsInterface() override;
    CGpsInterface(const CGpsInterface&) = delete;
    CGpsInterface& operator=(const CGpsInterface&) = delete;

    // Closes the port if it is open and goes back to the defaults.
    void Reset();
    void ClosePort();

    // The six 16-bit choices in field order, then extra1 and extra2 as
    // 32-bit values. The port itself and its name are not stored.
    void Serialize(CArchive& ar) override;

    int32_t portOpen = 0;
    int portHandle = -1;  // file descriptor while portOpen
    uint16_t comPort = 1;
    uint16_t baudRate = 4;
    uint16_t dataBits = 3;
    uint16_t stopBits = 0;
    uint16_t parity = 0;
    uint16_t handshaking = 0;
    uint32_t extra1 = 0;
    uint32_t extra2 = 0;
    QString portName;
};
