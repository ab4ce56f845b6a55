#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <QBuffer>

#include "TestUtil.h"
#include "gps/GpsInterface.h"

namespace {

QByteArray Store(CGpsInterface& gps) {
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    {
        CArchive ar(buf, CArchive::Mode::Store);
        gps.Serialize(ar);
    }
    return bytes;
}

CArchive::Error Load(const QByteArray& bytes, CGpsInterface& gps) {
    QByteArray copy = bytes;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    CArchive ar(buf, CArchive::Mode::Load);
    gps.Serialize(ar);
    return ar.GetError();
}

bool IsOpenDescriptor(int fd) {
    return fcntl(fd, F_GETFD) != -1;
}

TEST(GpsInterface, Defaults) {
    CGpsInterface gps;
    EXPECT_EQ(gps.portOpen, 0);
    EXPECT_EQ(gps.comPort, 1);
    EXPECT_EQ(gps.baudRate, 4);
    EXPECT_EQ(gps.dataBits, 3);
    EXPECT_EQ(gps.stopBits, 0);
    EXPECT_EQ(gps.parity, 0);
    EXPECT_EQ(gps.handshaking, 0);
    EXPECT_EQ(gps.extra1, 0u);
    EXPECT_EQ(gps.extra2, 0u);
    EXPECT_TRUE(gps.portName.isEmpty());
}

TEST(GpsInterface, ClassInfo) {
    CGpsInterface gps;
    const ClassInfo& info = gps.GetRuntimeClass();
    EXPECT_STREQ(info.name, "CGpsInterface");
    EXPECT_EQ(info.schema, 1);
    std::unique_ptr<CObject> made(info.create());
    EXPECT_NE(dynamic_cast<CGpsInterface*>(made.get()), nullptr);
}

TEST(GpsInterface, StoresSixShortsThenTwoLongs) {
    struct Case {
        uint16_t values[6];
        uint32_t extra1, extra2;
        const char* hex;
    } cases[] = {
        {{1, 4, 3, 0, 0, 0}, 0, 0, "01 00 04 00 03 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00"},
        {{7, 11, 0, 2, 4, 3},
         0x01020304,
         0xFFFFFFFF,
         "07 00 0B 00 00 00 02 00 04 00 03 00 04 03 02 01 FF FF FF FF"},
        {{0xFFFF, 0x1234, 1, 1, 1, 1},
         1,
         0x80000000,
         "FF FF 34 12 01 00 01 00 01 00 01 00 01 00 00 00 00 00 00 80"},
    };
    for (const Case& c : cases) {
        CGpsInterface gps;
        gps.comPort = c.values[0];
        gps.baudRate = c.values[1];
        gps.dataBits = c.values[2];
        gps.stopBits = c.values[3];
        gps.parity = c.values[4];
        gps.handshaking = c.values[5];
        gps.extra1 = c.extra1;
        gps.extra2 = c.extra2;
        gps.portName = "COM8";  // not stored
        QByteArray bytes = Store(gps);
        EXPECT_EQ(testutil::Hex(bytes), c.hex);

        CGpsInterface back;
        ASSERT_EQ(Load(bytes, back), CArchive::Error::None);
        EXPECT_EQ(back.comPort, c.values[0]);
        EXPECT_EQ(back.baudRate, c.values[1]);
        EXPECT_EQ(back.dataBits, c.values[2]);
        EXPECT_EQ(back.stopBits, c.values[3]);
        EXPECT_EQ(back.parity, c.values[4]);
        EXPECT_EQ(back.handshaking, c.values[5]);
        EXPECT_EQ(back.extra1, c.extra1);
        EXPECT_EQ(back.extra2, c.extra2);
        EXPECT_TRUE(back.portName.isEmpty());
        EXPECT_EQ(back.portOpen, 0);
    }
}

TEST(GpsInterface, ShortRecordFailsTheArchive) {
    CGpsInterface gps;
    EXPECT_EQ(Load(testutil::FromHex("01 00 04 00 03"), gps), CArchive::Error::EndOfFile);
}

TEST(GpsInterface, ResetRestoresTheDefaultsAndClosesThePort) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    CGpsInterface gps;
    gps.portOpen = 1;
    gps.portHandle = fds[0];
    gps.comPort = 5;
    gps.baudRate = 9;
    gps.dataBits = 0;
    gps.stopBits = 2;
    gps.parity = 3;
    gps.handshaking = 1;
    gps.extra1 = 8;
    gps.extra2 = 9;
    gps.Reset();
    EXPECT_EQ(gps.portOpen, 0);
    EXPECT_EQ(gps.portHandle, -1);
    EXPECT_FALSE(IsOpenDescriptor(fds[0]));
    EXPECT_EQ(gps.comPort, 1);
    EXPECT_EQ(gps.baudRate, 4);
    EXPECT_EQ(gps.dataBits, 3);
    EXPECT_EQ(gps.stopBits, 0);
    EXPECT_EQ(gps.parity, 0);
    EXPECT_EQ(gps.handshaking, 0);
    EXPECT_EQ(gps.extra1, 0u);
    EXPECT_EQ(gps.extra2, 0u);
    close(fds[1]);
}

TEST(GpsInterface, ClosePortOnlyClosesAnOpenPort) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    {
        CGpsInterface gps;
        gps.portHandle = fds[0];  // not marked open: left alone
        gps.ClosePort();
        EXPECT_TRUE(IsOpenDescriptor(fds[0]));
        gps.portOpen = 1;
        gps.ClosePort();
        EXPECT_EQ(gps.portOpen, 0);
        EXPECT_FALSE(IsOpenDescriptor(fds[0]));
    }
    {
        CGpsInterface gps;
        gps.portOpen = 1;
        gps.portHandle = fds[1];
    }  // destroying the settings closes the port
    EXPECT_FALSE(IsOpenDescriptor(fds[1]));
}

}  // namespace
