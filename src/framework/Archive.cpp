// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/Archive.h"

#include <QFileDevice>
#include <QIODevice>
#include <cerrno>
#include <cstring>

#include "framework/Cp1252.h"

namespace {
constexpr uint16_t kNullTag = 0x0000;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000u;
constexpr uint32_t kMaxSmallIndex = 0x7FFE;
}  // namespace

CArchive::CArchive(QIODevice& dev, Mode m) : device(dev), mode(m) {
    buffer.resize(kBufferSize);
    if (IsLoading()) deviceSize = dev.isSequential() ? -1 : dev.size() - dev.pos();
}

CArchive::~CArchive() {
    if (IsStoring()) Flush();
}

void CArchive::SetError(Error e) {
    if (error == Error::None) error = e;
}

int64_t CArchive::BytesLeft() const {
    if (!IsLoading()) return 0;
    int64_t inBuffer = bufEnd - bufPos;
    if (deviceSize < 0) return inBuffer + device.bytesAvailable();
    return inBuffer + (device.size() - device.pos());
}

bool CArchive::CheckCount(uint64_t count, uint64_t minBytes) {
    if (Failed()) return false;
    if (minBytes == 0) minBytes = 1;
    int64_t left = BytesLeft();
    if (left < 0 || count > static_cast<uint64_t>(left) / minBytes) {
        SetError(count * minBytes > static_cast<uint64_t>(left) && left >= 0 ? Error::EndOfFile
                                                                             : Error::BadFormat);
        return false;
    }
    return true;
}

// Makes at least `need` (<= buffer size) unread bytes available.
bool CArchive::Fill(int64_t need) {
    if (Failed()) return false;
    if (bufEnd - bufPos >= need) return true;
    int64_t have = bufEnd - bufPos;
    if (have > 0 && bufPos > 0) std::memmove(buffer.data(), buffer.data() + bufPos, have);
    bufPos = 0;
    bufEnd = have;
    while (bufEnd < need) {
        qint64 got = device.read(buffer.data() + bufEnd, kBufferSize - bufEnd);
        if (got < 0) {
            SetError(Error::ReadFault);
            return false;
        }
        if (got == 0) {
            SetError(Error::EndOfFile);
            return false;
        }
        bufEnd += got;
    }
    return true;
}

bool CArchive::ReadBytes(void* dst, int64_t n) {
    if (Failed()) {
        std::memset(dst, 0, n);
        return false;
    }
    auto* out = static_cast<char*>(dst);
    int64_t fromBuffer = std::min<int64_t>(n, bufEnd - bufPos);
    std::memcpy(out, buffer.constData() + bufPos, fromBuffer);
    bufPos += fromBuffer;
    out += fromBuffer;
    n -= fromBuffer;
    if (n == 0) return true;
    if (n >= kBufferSize) {
        // Large blocks go straight from the device.
        while (n > 0) {
            qint64 got = device.read(out, n);
            if (got <= 0) {
                SetError(got < 0 ? Error::ReadFault : Error::EndOfFile);
                std::memset(out, 0, n);
                return false;
            }
            out += got;
            n -= got;
        }
        return true;
    }
    if (!Fill(n)) {
        std::memset(out, 0, n);
        return false;
    }
    std::memcpy(out, buffer.constData() + bufPos, n);
    bufPos += n;
    return true;
}

uint8_t CArchive::ReadU8() {
    uint8_t b[1] = {0};
    ReadBytes(b, 1);
    return b[0];
}

uint16_t CArchive::ReadU16() {
    uint8_t b[2] = {0, 0};
    ReadBytes(b, 2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t CArchive::ReadU32() {
    uint8_t b[4] = {0, 0, 0, 0};
    ReadBytes(b, 4);
    return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) | (uint32_t(b[3]) << 24);
}

double CArchive::ReadF64() {
    uint8_t b[8] = {0};
    ReadBytes(b, 8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | b[i];
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

RectL CArchive::ReadRect() {
    RectL r;
    r.left = ReadI32();
    r.top = ReadI32();
    r.right = ReadI32();
    r.bottom = ReadI32();
    return r;
}

QPoint CArchive::ReadPoint() {
    int32_t x = ReadI32();
    int32_t y = ReadI32();
    return QPoint(x, y);
}

// The length prefix of a string: one byte, 0xFF + u16, or 0xFF 0xFFFF + u32.
// 0xFF 0xFFFE announces two-byte characters, followed by a prefix again.
uint16_t CArchive::ReadLengthPrefix(bool& wide, uint32_t& length) {
    wide = false;
    uint8_t b = ReadU8();
    if (b < 0xFF) {
        length = b;
        return 0;
    }
    uint16_t w = ReadU16();
    if (w == 0xFFFE) {
        wide = true;
        b = ReadU8();
        if (b < 0xFF) {
            length = b;
            return 0;
        }
        w = ReadU16();
    }
    if (w < 0xFFFF) {
        length = w;
        return 0;
    }
    length = ReadU32();
    return 0;
}

QString CArchive::ReadString() {
    bool wide = false;
    uint32_t length = 0;
    ReadLengthPrefix(wide, length);
    if (Failed()) return {};
    uint64_t bytes = uint64_t(length) * (wide ? 2 : 1);
    if (!CheckCount(bytes, 1)) return {};
    if (!wide) {
        QByteArray raw(static_cast<qsizetype>(length), Qt::Uninitialized);
        if (!ReadBytes(raw.data(), length)) return {};
        return cp1252::Decode(raw);
    }
    QByteArray raw(static_cast<qsizetype>(bytes), Qt::Uninitialized);
    if (!ReadBytes(raw.data(), static_cast<int64_t>(bytes))) return {};
    QString s(static_cast<qsizetype>(length), Qt::Uninitialized);
    for (uint32_t i = 0; i < length; ++i) {
        auto lo = static_cast<unsigned char>(raw[2 * i]);
        auto hi = static_cast<unsigned char>(raw[2 * i + 1]);
        s[i] = QChar(char16_t(lo | (hi << 8)));
    }
    return s;
}

uint32_t CArchive::ReadCount() {
    uint16_t w = ReadU16();
    if (w != 0xFFFF) return w;
    return ReadU32();
}

std::vector<QPoint> CArchive::ReadPointArray() {
    uint32_t n = ReadCount();
    std::vector<QPoint> pts;
    if (!CheckCount(n, 8)) return pts;
    pts.reserve(n);
    // Read in chunks so a large stroke costs one pass and no per-point calls.
    constexpr uint32_t kChunk = 4096;
    std::vector<uint8_t> raw(std::min(n, kChunk) * 8);
    for (uint32_t done = 0; done < n && !Failed();) {
        uint32_t take = std::min(kChunk, n - done);
        if (!ReadBytes(raw.data(), int64_t(take) * 8)) break;
        for (uint32_t i = 0; i < take; ++i) {
            const uint8_t* p = raw.data() + i * 8;
            auto x = static_cast<int32_t>(uint32_t(p[0]) | (uint32_t(p[1]) << 8) |
                                          (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24));
            auto y = static_cast<int32_t>(uint32_t(p[4]) | (uint32_t(p[5]) << 8) |
                                          (uint32_t(p[6]) << 16) | (uint32_t(p[7]) << 24));
            pts.emplace_back(x, y);
        }
        done += take;
    }
    return pts;
}

std::unique_ptr<CObject> CArchive::ReadObject(const ClassInfo& expected) {
    uint16_t tag = ReadU16();
    if (Failed()) return nullptr;
    uint32_t classIndex = 0;
    if (tag == kNewClassTag) {
        uint16_t schema = ReadU16();
        uint16_t nameLength = ReadU16();
        if (Failed()) return nullptr;
        if (nameLength > kMaxClassNameLength) {
            SetError(Error::BadFormat);
            return nullptr;
        }
        char name[kMaxClassNameLength + 1] = {0};
        if (!ReadBytes(name, nameLength)) return nullptr;
        if (std::strlen(expected.name) != nameLength ||
            std::memcmp(name, expected.name, nameLength) != 0) {
            SetError(Error::BadClass);
            return nullptr;
        }
        if (schema != expected.schema) {
            SetError(Error::BadSchema);
            return nullptr;
        }
        loadTable.push_back(LoadEntry{&expected, false});
    } else {
        bool isClass = false;
        if (tag == kBigObjectTag) {
            uint32_t v = ReadU32();
            if (Failed()) return nullptr;
            isClass = (v & kBigClassTag) != 0;
            classIndex = v & ~kBigClassTag;
        } else if (tag & kClassTag) {
            isClass = true;
            classIndex = tag & ~kClassTag;
        } else {
            classIndex = tag;
        }
        // Null objects and back references have no place in an owning list.
        if (!isClass || tag == kNullTag || classIndex == 0 || classIndex >= loadTable.size() ||
            loadTable[classIndex].isObject || loadTable[classIndex].cls == nullptr) {
            SetError(Error::BadFormat);
            return nullptr;
        }
        if (loadTable[classIndex].cls != &expected) {
            SetError(Error::BadClass);
            return nullptr;
        }
    }
    std::unique_ptr<CObject> obj(expected.create());
    loadTable.push_back(LoadEntry{nullptr, true});
    obj->Serialize(*this);
    if (Failed()) return nullptr;
    return obj;
}

bool CArchive::Flush() {
    if (!IsStoring() || bufPos == 0) return !Failed();
    if (!Failed()) {
        errno = 0;
        qint64 put = device.write(buffer.constData(), bufPos);
        if (put != bufPos) {
            const int err = errno;
            const auto* file = qobject_cast<const QFileDevice*>(&device);
            const bool full = err == ENOSPC || err == EDQUOT ||
                              (file && file->error() == QFileDevice::ResourceError);
            SetError(full ? Error::DiskFull : Error::WriteFault);
        }
    }
    bufPos = 0;
    return !Failed();
}

void CArchive::WriteBytes(const void* src, int64_t n) {
    if (Failed()) return;
    auto* in = static_cast<const char*>(src);
    while (n > 0) {
        if (bufPos == kBufferSize && !Flush()) return;
        int64_t take = std::min<int64_t>(n, kBufferSize - bufPos);
        std::memcpy(buffer.data() + bufPos, in, take);
        bufPos += take;
        in += take;
        n -= take;
    }
}

void CArchive::WriteU8(uint8_t v) {
    WriteBytes(&v, 1);
}

void CArchive::WriteU16(uint16_t v) {
    uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    WriteBytes(b, 2);
}

void CArchive::WriteU32(uint32_t v) {
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    WriteBytes(b, 4);
}

void CArchive::WriteF64(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    uint8_t b[8];
    for (int i = 0; i < 8; ++i) b[i] = uint8_t(bits >> (8 * i));
    WriteBytes(b, 8);
}

void CArchive::WriteRect(const RectL& r) {
    WriteI32(r.left);
    WriteI32(r.top);
    WriteI32(r.right);
    WriteI32(r.bottom);
}

void CArchive::WritePoint(const QPoint& p) {
    WriteI32(p.x());
    WriteI32(p.y());
}

// One byte, 0xFF + u16 or 0xFF 0xFFFF + u32. 0xFFFE never stands for a
// length: after 0xFF it announces two-byte characters.
void CArchive::WriteLengthPrefix(uint32_t n) {
    if (n < 0xFF) {
        WriteU8(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteU8(0xFF);
        WriteU16(static_cast<uint16_t>(n));
    } else {
        WriteU8(0xFF);
        WriteU16(0xFFFF);
        WriteU32(n);
    }
}

void CArchive::WriteString(const QString& s) {
    QByteArray bytes;
    if (cp1252::Encode(s, bytes)) {
        WriteLengthPrefix(static_cast<uint32_t>(bytes.size()));
        WriteBytes(bytes.constData(), bytes.size());
        return;
    }
    // Text the 8-bit form would mangle keeps every UTF-16 unit instead.
    WriteU8(0xFF);
    WriteU16(0xFFFE);
    const auto n = static_cast<uint32_t>(s.size());
    WriteLengthPrefix(n);
    QByteArray wide(qsizetype(n) * 2, Qt::Uninitialized);
    for (uint32_t i = 0; i < n; ++i) {
        const char16_t c = s[i].unicode();
        wide[2 * i] = static_cast<char>(c & 0xFF);
        wide[2 * i + 1] = static_cast<char>(c >> 8);
    }
    WriteBytes(wide.constData(), wide.size());
}

void CArchive::WriteCount(uint32_t n) {
    if (n < 0xFFFF) {
        WriteU16(static_cast<uint16_t>(n));
    } else {
        WriteU16(0xFFFF);
        WriteU32(n);
    }
}

void CArchive::WritePointArray(const std::vector<QPoint>& points) {
    WriteCount(static_cast<uint32_t>(points.size()));
    for (const QPoint& p : points) {
        WriteI32(p.x());
        WriteI32(p.y());
    }
}

void CArchive::WriteObject(const CObject& object) {
    if (Failed()) return;
    if (auto it = storedObjects.find(&object); it != storedObjects.end()) {
        if (*it <= kMaxSmallIndex) {
            WriteU16(static_cast<uint16_t>(*it));
        } else {
            WriteU16(kBigObjectTag);
            WriteU32(*it);
        }
        return;
    }
    const ClassInfo* cls = &object.GetRuntimeClass();
    if (auto it = storedClasses.find(cls); it != storedClasses.end()) {
        if (*it <= kMaxSmallIndex) {
            WriteU16(static_cast<uint16_t>(kClassTag | *it));
        } else {
            WriteU16(kBigObjectTag);
            WriteU32(kBigClassTag | *it);
        }
    } else {
        WriteU16(kNewClassTag);
        WriteU16(cls->schema);
        auto len = static_cast<uint16_t>(std::strlen(cls->name));
        WriteU16(len);
        WriteBytes(cls->name, len);
        storedClasses.insert(cls, nextIndex++);
    }
    storedObjects.insert(&object, nextIndex++);
    const_cast<CObject&>(object).Serialize(*this);
}
