// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <QBuffer>

#include "TestUtil.h"
#include "gps/GpsInterface.h"

namespace {

bool IsOpen(int fd) {
    return fcntl(fd, F_GETFD) != -1;
}

std::vector<uint32_t> Fields(const CGpsInterface& g) {
    return {g.comPort, g.baudRate,    g.dataBits, g.stopBits,
            g.parity,  g.handshaking, g.extra1,   g.extra2};
}

TEST(GpsInterface, DefaultsAndClass) {
    CGpsInterface gps;
    EXPECT_EQ(gps.portOpen, 0);
    EXPECT_EQ(Fields(gps), (std::vector<uint32_t>{1, 4, 3, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(gps.portName.isEmpty());
    EXPECT_STREQ(gps.GetRuntimeClass().name, "CGpsInterface");
    EXPECT_EQ(gps.GetRuntimeClass().schema, 1);
    std::unique_ptr<CObject> made(gps.GetRuntimeClass().create());
    EXPECT_NE(dynamic_cast<CGpsInterface*>(made.get()), nullptr);
}

TEST(GpsInterface, StoresSixShortsThenTwoLongs) {
    struct Case {
        std::vector<uint32_t> fields;
        const char* hex;
    } cases[] = {
        {{1, 4, 3, 0, 0, 0, 0, 0}, "01 00 04 00 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {{7, 11, 0, 2, 4, 3, 0x01020304, 0xFFFFFFFF},
         "07 00 0B 00 00 00 02 00 04 00 03 00 04 03 02 01 FF FF FF FF"},
    };
    for (const Case& c : cases) {
        CGpsInterface gps;
        uint16_t* shorts[6] = {&gps.comPort,  &gps.baudRate, &gps.dataBits,
                               &gps.stopBits, &gps.parity,   &gps.handshaking};
        for (int i = 0; i < 6; ++i) *shorts[i] = uint16_t(c.fields[i]);
        gps.extra1 = c.fields[6];
        gps.extra2 = c.fields[7];
        gps.portName = "COM8";  // not stored
        QByteArray bytes;
        {
            QBuffer buf(&bytes);
            buf.open(QIODevice::WriteOnly);
            CArchive ar(buf, CArchive::Mode::Store);
            gps.Serialize(ar);
        }
        EXPECT_EQ(testutil::Hex(bytes), c.hex);

        CGpsInterface back;
        QBuffer in(&bytes);
        in.open(QIODevice::ReadOnly);
        CArchive ar(in, CArchive::Mode::Load);
        back.Serialize(ar);
        EXPECT_FALSE(ar.Failed());
        EXPECT_EQ(Fields(back), c.fields);
        EXPECT_TRUE(back.portName.isEmpty());
    }
}

TEST(GpsInterface, ResetAndDestructionCloseAnOpenPort) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    {
        CGpsInterface gps;
        gps.portHandle = fds[0];
        gps.ClosePort();  // not marked open: left alone
        EXPECT_TRUE(IsOpen(fds[0]));
        gps.portOpen = 1;
        gps.comPort = 5;
        gps.extra2 = 9;
        gps.Reset();
        EXPECT_EQ(gps.portOpen, 0);
        EXPECT_FALSE(IsOpen(fds[0]));
        EXPECT_EQ(Fields(gps), (std::vector<uint32_t>{1, 4, 3, 0, 0, 0, 0, 0}));
    }
    {
        CGpsInterface gps;
        gps.portOpen = 1;
        gps.portHandle = fds[1];
    }
    EXPECT_FALSE(IsOpen(fds[1]));
}

}  // namespace
