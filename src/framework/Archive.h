// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/RectL.h"

class QIODevice;
class CArchive;
class CObject;

// What the archive needs to know of a persistent class: its stored name,
// its schema number and how to make an empty one while reading.
struct ClassInfo {
    const char* name;
    uint16_t schema;
    CObject* (*create)();
};

class CObject {
public:
    virtual ~CObject() = default;
    virtual const ClassInfo& GetRuntimeClass() const = 0;
    virtual void Serialize(CArchive& ar) = 0;
};

// The binary object archive of location files: little-endian primitives,
// length-prefixed strings (8-bit Windows-1252 when that can hold them,
// 16-bit characters otherwise), counts and tagged objects with the file's
// index table, through a 4096-byte buffer. A failure is sticky: once set,
// reads return zeros and writes do nothing, so callers check Failed() at
// their loop boundaries instead of catching exceptions.
class CArchive {
public:
    enum class Mode { Load, Store };
    enum class Error {
        None,
        EndOfFile,   // the stream ended inside a value
        BadFormat,   // a structural fault (bad tag, index, length or count)
        BadClass,    // a class name that is not expected at this place
        BadSchema,   // a known class with another schema number
        ReadFault,   // the device reported an error while reading
        WriteFault,  // the device refused bytes while writing
        DiskFull,    // writing failed for lack of space
    };

    static constexpr int kBufferSize = 4096;
    static constexpr int kMaxClassNameLength = 63;

    CArchive(QIODevice& device, Mode mode);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsLoading() const { return mode == Mode::Load; }
    bool IsStoring() const { return mode == Mode::Store; }
    bool Failed() const { return error != Error::None; }
    Error GetError() const { return error; }
    void SetError(Error e);
    // A read that fails on format grounds; convenience for record readers.
    void Fail() { SetError(Error::BadFormat); }

    uint8_t ReadU8();
    uint16_t ReadU16();
    uint32_t ReadU32();
    int32_t ReadI32() { return static_cast<int32_t>(ReadU32()); }
    double ReadF64();
    RectL ReadRect();
    QPoint ReadPoint();
    bool ReadBytes(void* dst, int64_t n);
    QString ReadString();
    uint32_t ReadCount();

    void WriteU8(uint8_t v);
    void WriteU16(uint16_t v);
    void WriteU32(uint32_t v);
    void WriteI32(int32_t v) { WriteU32(static_cast<uint32_t>(v)); }
    void WriteF64(double v);
    void WriteRect(const RectL& r);
    void WritePoint(const QPoint& p);
    void WriteBytes(const void* src, int64_t n);
    void WriteString(const QString& s);
    void WriteCount(uint32_t n);

    // Point arrays: a count, then x,y pairs.
    std::vector<QPoint> ReadPointArray();
    void WritePointArray(const std::vector<QPoint>& points);

    // Reads one tagged object that must be of class `expected`. Returns null
    // (and fails the archive) for anything else, including a null tag and a
    // back reference to an object already read, which an owning list could
    // not hold twice.
    std::unique_ptr<CObject> ReadObject(const ClassInfo& expected);
    void WriteObject(const CObject& object);

    // Bytes not yet consumed, for checking counts before allocating.
    int64_t BytesLeft() const;
    // Fails the archive unless `count` items of at least `minBytes` each
    // could still follow. Returns whether they could.
    bool CheckCount(uint64_t count, uint64_t minBytes);

    // Writes out the buffer; false when the device refused it.
    bool Flush();

private:
    bool Fill(int64_t need);
    uint16_t ReadLengthPrefix(bool& wide, uint32_t& length);
    void WriteLengthPrefix(uint32_t n);

    QIODevice& device;
    Mode mode;
    Error error = Error::None;
    QByteArray buffer;
    int64_t bufPos = 0;  // next byte to read / write
    int64_t bufEnd = 0;  // valid bytes while loading
    int64_t deviceSize = -1;

    // Index table: while loading, what each index stands for; while storing,
    // the indexes handed out so far.
    struct LoadEntry {
        const ClassInfo* cls = nullptr;  // set for class entries
        bool isObject = false;
    };
    std::vector<LoadEntry> loadTable{LoadEntry{}};  // index 0: no object
    QHash<const ClassInfo*, uint32_t> storedClasses;
    QHash<const CObject*, uint32_t> storedObjects;
    uint32_t nextIndex = 1;
};
