// SPDX-License-Identifier: GPL-3.0-or-later
#include "imaging/JpegFile.h"

#include <QFile>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <type_traits>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// jpeglib.h needs FILE and size_t declared first.
#include <jpeglib.h>

#include "framework/FileNames.h"
#include "framework/Prompts.h"
#include "resources/Strings.h"

namespace JpegFile {
namespace {

std::atomic<uint64_t> pixelLimit{kMaxPixels};
std::atomic<long> libraryMemory{kDefaultLibraryMemory};

struct ErrorManager {
    jpeg_error_mgr pub;
    jmp_buf recovery;
    // The formatted text of the fatal error, kept for the debugger only:
    // a damaged chart is not worth a message box.
    char message[JMSG_LENGTH_MAX];
};

// Everything the decoding touches after setjmp lives here, outside the frame
// that calls setjmp, so it is still valid after a longjmp.
struct Decoder {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    FILE* file = nullptr;
    uint64_t fileBytes = 0;
    uint8_t* out = nullptr;
    bool created = false;
    StopCheck stop = nullptr;
    void* stopContext = nullptr;
    bool stopped = false;
    long reserved = 0;  // coefficient memory taken from the shared allowance
    ~Decoder();
};

// The coefficient buffers of the progressive pictures decoded at once
// share one allowance, LibraryMemoryLimit(): several workers (and a print)
// decoding such pictures together take their turns rather than each taking
// the whole of it.
class CoefficientAllowance {
public:
    // Takes bytes, waiting for other decoders to give theirs back; false at
    // once when bytes can never fit, or when the decoder's caller stopped
    // it while it waited.
    bool Take(long bytes, Decoder& d) {
        if (bytes > LibraryMemoryLimit()) return false;
        std::unique_lock lock(mutex);
        while (inUse > 0 && inUse + bytes > LibraryMemoryLimit()) {
            freed.wait_for(lock, std::chrono::milliseconds(50));
            if (d.stop && d.stop(d.stopContext)) {
                d.stopped = true;
                return false;
            }
        }
        inUse += bytes;
        d.reserved = bytes;
        return true;
    }
    void Give(long bytes) {
        {
            std::lock_guard lock(mutex);
            inUse -= bytes;
        }
        freed.notify_all();
    }

private:
    std::mutex mutex;
    std::condition_variable freed;
    long inUse = 0;
};

CoefficientAllowance& allowance() {
    static auto* shared = new CoefficientAllowance;
    return *shared;
}

Decoder::~Decoder() {
    if (reserved) allowance().Give(reserved);
}

// What libjpeg keeps for a progressive picture while it decodes: every
// 8 x 8 block of every component, 64 two-byte coefficients each. Known
// once the header is read.
long coefficientBytes(const jpeg_decompress_struct& cinfo) {
    uint64_t blocks = 0;
    for (int ci = 0; ci < cinfo.num_components; ++ci) {
        const jpeg_component_info& comp = cinfo.comp_info[ci];
        const uint64_t w =
            (uint64_t(comp.width_in_blocks) + uint64_t(cinfo.max_h_samp_factor) - 1) /
            uint64_t(cinfo.max_h_samp_factor) * uint64_t(cinfo.max_h_samp_factor);
        const uint64_t h =
            (uint64_t(comp.height_in_blocks) + uint64_t(cinfo.max_v_samp_factor) - 1) /
            uint64_t(cinfo.max_v_samp_factor) * uint64_t(cinfo.max_v_samp_factor);
        blocks += w * h;
    }
    const uint64_t bytes = blocks * sizeof(JBLOCK);
    return bytes > uint64_t(kMaxLibraryMemory) ? kMaxLibraryMemory + 1 : long(bytes);
}

// A progressive picture waits for its share of the allowance before its
// buffers exist; false when it cannot have it (or was stopped waiting).
bool takeCoefficientMemory(Decoder& d) {
    if (!d.cinfo.progressive_mode) return true;
    return allowance().Take(coefficientBytes(d.cinfo), d);
}
// The progress monitor finds its decoder from the decompressor, its first member.
static_assert(std::is_standard_layout_v<Decoder>);

// libjpeg produces up to 16 rows per pass over its buffers; asking for a
// whole band at once saves a call per row.
constexpr JDIMENSION kRowsPerRead = 16;

enum class Outcome { Done, Failed, OutOfMemory, Stopped };

// TopDownRgb is what libjpeg gives; BottomUpBgr is the bitmap layout, written
// directly so a decoded chart is not swapped and flipped afterwards.
enum class Layout { TopDownRgb, BottomUpBgr };

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    longjmp(err->recovery, 1);
}

// Warnings (damaged data, premature end) are ignored: libjpeg fills in what
// it cannot decode and the rest of the image is still useful.
void emitMessage(j_common_ptr, int) {}

// Called by libjpeg between rows and scans: refuses files with more scans
// than their size can justify, and stops when the caller no longer wants
// the picture.
void watchProgress(j_common_ptr cinfo) {
    if (!cinfo->is_decompressor) return;
    const auto* dinfo = reinterpret_cast<j_decompress_ptr>(cinfo);
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    auto* d = reinterpret_cast<Decoder*>(cinfo);
    if (d->stop && d->stop(d->stopContext)) {
        d->stopped = true;
        std::snprintf(err->message, JMSG_LENGTH_MAX, "Stopped");
        longjmp(err->recovery, 1);
    }
    const uint64_t scans = uint64_t(std::max(dinfo->input_scan_number, 0));
    const uint64_t pixels = uint64_t(dinfo->image_width) * dinfo->image_height;
    if (scans <= uint64_t(kMaxScans) && scans * pixels <= kScanPixelBudget) return;
    std::snprintf(err->message, JMSG_LENGTH_MAX, "Too many scans (%llu) for %llu pixels",
                  static_cast<unsigned long long>(scans), static_cast<unsigned long long>(pixels));
    longjmp(err->recovery, 1);
}

// A 50-megapixel chart is 150 MB written once, front to back: with 4 kB
// pages the page faults cost more than decoding. Large pages where the
// system allows them on request; a hint only, nothing changes if refused.
void preferHugePages(uint8_t* p, size_t bytes) {
    constexpr uintptr_t kHuge = uintptr_t(2) << 20;
    const uintptr_t begin = (reinterpret_cast<uintptr_t>(p) + kHuge - 1) & ~(kHuge - 1);
    const uintptr_t end = (reinterpret_cast<uintptr_t>(p) + bytes) & ~(kHuge - 1);
    if (end > begin) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
}

// One channel of light left by a coloured ink over black ink, both 0..255.
inline uint8_t inkToLight(JSAMPLE ink, JSAMPLE black, bool inverted) {
    const unsigned c = inverted ? ink : 255u - ink;
    const unsigned k = inverted ? black : 255u - black;
    return uint8_t((c * k + 127) / 255);
}

// Reads a file front to back through a buffer of its own with pread, so the
// stdio stream libjpeg reads from keeps its place.
class ByteReader {
public:
    explicit ByteReader(int fd) : fd(fd) {}
    // The next byte, or -1 at the end or on a read error.
    int Next() {
        if (at == filled) {
            const ssize_t got = ::pread(fd, buffer, sizeof buffer, off_t(offset));
            if (got <= 0) return -1;
            offset += uint64_t(got);
            at = 0;
            filled = size_t(got);
        }
        return buffer[at++];
    }
    void Skip(uint64_t n) {
        const uint64_t inBuffer = std::min<uint64_t>(n, filled - at);
        at += size_t(inBuffer);
        offset += n - inBuffer;
    }

private:
    int fd;
    uint64_t offset = 0;
    size_t at = 0;
    size_t filled = 0;
    uint8_t buffer[1 << 16];
};

}  // namespace

uint64_t ScanBytes(int fd, uint64_t enough) {
    auto reader = std::make_unique<ByteReader>(fd);
    uint64_t count = 0;
    bool inScan = false;
    int b = reader->Next();
    while (b >= 0 && count <= enough) {
        if (inScan) {
            if (b != 0xFF) {
                ++count;
                b = reader->Next();
                continue;
            }
            const int m = reader->Next();
            if (m == 0x00 || (m >= 0xD0 && m <= 0xD7)) {  // a stuffed byte, a restart
                count += 2;
                b = reader->Next();
                continue;
            }
            inScan = false;
            b = m;  // the marker that ends the scan, read below without its FF
        } else {
            if (b != 0xFF) {
                b = reader->Next();
                continue;
            }
            b = reader->Next();
        }
        // b is a marker code.
        while (b == 0xFF) b = reader->Next();
        if (b < 0 || b == 0xD9) break;  // the end of the picture
        if (b == 0xD8 || b == 0x01 || (b >= 0xD0 && b <= 0xD7) || b == 0x00) {
            b = reader->Next();
            continue;
        }
        const int hi = reader->Next();
        const int lo = reader->Next();
        if (hi < 0 || lo < 0) break;
        const int length = (hi << 8) | lo;
        if (length >= 2) reader->Skip(uint64_t(length - 2));
        inScan = b == 0xDA;
        b = reader->Next();
    }
    return count;
}

namespace {

// Creates the decompressor, reads the header and applies the size limits.
// Called after setjmp by the frame that owns the recovery point; false when
// the picture is beyond the limits.
bool openDecoder(Decoder& d) {
    jpeg_decompress_struct& cinfo = d.cinfo;
    jpeg_create_decompress(&cinfo);
    d.created = true;
    cinfo.mem->max_memory_to_use = LibraryMemoryLimit();
    d.progress.progress_monitor = watchProgress;
    cinfo.progress = &d.progress;
    jpeg_stdio_src(&cinfo, d.file);
    jpeg_read_header(&cinfo, TRUE);

    const uint64_t pixels = uint64_t(cinfo.image_width) * cinfo.image_height;
    // The cheap test first (the file's size), then the bytes that really
    // hold picture data: padding in comments or after the end holds none.
    if (pixels > PixelBudget(d.fileBytes) ||
        (pixels > kFreePixels &&
         pixels > PixelBudget(ScanBytes(::fileno(d.file), pixels / kPixelsPerByte)))) {
        std::snprintf(d.err.message, JMSG_LENGTH_MAX, "%ux%u is too large", cinfo.image_width,
                      cinfo.image_height);
        return false;
    }
    return true;
}

void installErrorManager(Decoder& d) {
    d.cinfo.err = jpeg_std_error(&d.err.pub);
    d.err.pub.error_exit = errorExit;
    d.err.pub.emit_message = emitMessage;
    d.err.message[0] = '\0';
}

// How the decoder's rows become 3-byte pixels.
struct Conversion {
    bool bgr = false;
    bool inks = false;
    bool invertedInks = false;
    bool swapAfter = false;
};

// Picks the output colour space before decompression starts.
Conversion chooseConversion(jpeg_decompress_struct& cinfo, bool bgr) {
    Conversion c;
    c.bgr = bgr;
    // Four-channel files come out as CMYK (YCCK is undone by the library)
    // and are turned into RGB here; Adobe's files store the inks inverted.
    c.inks = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    if (c.inks) cinfo.out_color_space = JCS_CMYK;
    c.invertedInks = cinfo.saw_Adobe_marker;
#ifdef JCS_EXTENSIONS
    // Same conversion arithmetic, only the byte order differs.
    if (bgr && cinfo.out_color_space == JCS_RGB) cinfo.out_color_space = JCS_EXT_BGR;
#else
    c.swapAfter = bgr;
#endif
    return c;
}

// One row of a grey or four-channel picture as 3-byte pixels.
void convertRow(const Conversion& c, int components, const JSAMPLE* src, uint8_t* dst, uint32_t w) {
    if (components == 1) {
        for (uint32_t x = 0; x < w; ++x, dst += 3) dst[0] = dst[1] = dst[2] = src[x];
    } else if (components == 4 && c.inks) {
        const int r = c.bgr ? 2 : 0;
        const int b = c.bgr ? 0 : 2;
        for (uint32_t x = 0; x < w; ++x, dst += 3, src += 4) {
            dst[r] = inkToLight(src[0], src[3], c.invertedInks);
            dst[1] = inkToLight(src[1], src[3], c.invertedInks);
            dst[b] = inkToLight(src[2], src[3], c.invertedInks);
        }
    } else {
        // Anything else: no picture, but no stale memory either.
        std::memset(dst, 0, size_t(w) * 3);
    }
}

// Reads the next count rows into rows[0..count): RGB straight into place,
// anything else through the one-row scratch buffer.
void readRows(jpeg_decompress_struct& cinfo, const Conversion& c, JSAMPARRAY scratch,
              uint8_t* const* rows, JDIMENSION count) {
    const int components = cinfo.output_components;
    const uint32_t w = cinfo.output_width;
    if (components == 3) {
        JSAMPROW direct[kRowsPerRead];
        for (JDIMENSION done = 0; done < count;) {
            const JDIMENSION n = std::min<JDIMENSION>(kRowsPerRead, count - done);
            for (JDIMENSION i = 0; i < n; ++i) direct[i] = rows[done + i];
            const JDIMENSION got = jpeg_read_scanlines(&cinfo, direct, n);
            if (c.swapAfter)
                for (JDIMENSION i = 0; i < got; ++i) SwapRedBlue(direct[i], int(w), 1);
            if (got == 0) return;
            done += got;
        }
        return;
    }
    for (JDIMENSION i = 0; i < count; ++i) {
        if (jpeg_read_scanlines(&cinfo, scratch, 1) != 1) return;
        convertRow(c, components, scratch[0], rows[i], w);
    }
}

// Only plain C data is alive in this frame while libjpeg may longjmp into it.
Outcome decode(Decoder& d, Layout layout, uint32_t& width, uint32_t& height) {
    jpeg_decompress_struct& cinfo = d.cinfo;
    installErrorManager(d);
    if (setjmp(d.err.recovery)) return Outcome::Failed;
    if (!openDecoder(d) || !takeCoefficientMemory(d)) return Outcome::Failed;
    const bool bgr = layout == Layout::BottomUpBgr;
    const Conversion c = chooseConversion(cinfo, bgr);
    jpeg_start_decompress(&cinfo);

    const uint32_t w = cinfo.output_width;
    const uint32_t h = cinfo.output_height;
    const size_t rowBytes = size_t(w) * 3;
    d.out = new (std::nothrow) uint8_t[rowBytes * h];
    if (!d.out) return Outcome::OutOfMemory;
    preferHugePages(d.out, rowBytes * h);
    width = w;
    height = h;

    JSAMPARRAY scratch =
        cinfo.output_components == 3
            ? nullptr
            : (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                         w * cinfo.output_components, 1);
    // A band of rows per call: a second copy of 150 MB costs as much as the
    // colour conversion itself.
    uint8_t* rows[kRowsPerRead];
    while (cinfo.output_scanline < cinfo.output_height) {
        const JDIMENSION first = cinfo.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(kRowsPerRead, h - first);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = d.out + (bgr ? h - 1 - (first + i) : first + i) * rowBytes;
        readRows(cinfo, c, scratch, rows, count);
        if (cinfo.output_scanline == first) break;
    }
    jpeg_finish_decompress(&cinfo);
    return Outcome::Done;
}

// The band decoder's frame: plain data only, as in decode().
struct BandJob {
    int scaleDenom = 1;
    int firstBand = 0;
    int bandRows = 0;
    BandSink sink = nullptr;
    void* context = nullptr;
};

Outcome decodeBands(Decoder& d, const BandJob& job) {
    jpeg_decompress_struct& cinfo = d.cinfo;
    installErrorManager(d);
    if (setjmp(d.err.recovery)) return d.stopped ? Outcome::Stopped : Outcome::Failed;
    if (!openDecoder(d)) return Outcome::Failed;
    if (!takeCoefficientMemory(d)) return d.stopped ? Outcome::Stopped : Outcome::Failed;
    const Conversion c = chooseConversion(cinfo, true);
    cinfo.scale_num = 1;
    cinfo.scale_denom = unsigned(job.scaleDenom);
    jpeg_start_decompress(&cinfo);

    const uint32_t w = cinfo.output_width;
    const uint32_t h = cinfo.output_height;
    const size_t rowBytes = size_t(w) * 3;
    const uint64_t firstRow = uint64_t(job.firstBand) * uint64_t(job.bandRows);
    if (firstRow >= h) {
        jpeg_abort_decompress(&cinfo);
        return Outcome::Done;
    }
    if (firstRow > 0) jpeg_skip_scanlines(&cinfo, JDIMENSION(firstRow));
    JSAMPARRAY scratch =
        cinfo.output_components == 3
            ? nullptr
            : (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                         w * cinfo.output_components, 1);
    uint8_t* rows[kRowsPerRead];
    for (int band = job.firstBand; cinfo.output_scanline < h; ++band) {
        const JDIMENSION bandFirst = cinfo.output_scanline;
        const JDIMENSION count = std::min<JDIMENSION>(JDIMENSION(job.bandRows), h - bandFirst);
        d.out = AllocateBand(rowBytes * count);
        if (!d.out) return Outcome::OutOfMemory;
        for (JDIMENSION done = 0; done < count;) {
            const JDIMENSION n = std::min<JDIMENSION>(kRowsPerRead, count - done);
            for (JDIMENSION i = 0; i < n; ++i) rows[i] = d.out + (done + i) * rowBytes;
            const JDIMENSION before = cinfo.output_scanline;
            readRows(cinfo, c, scratch, rows, n);
            if (cinfo.output_scanline == before) {
                // The library produced nothing more: the rest stays black.
                std::memset(d.out + done * rowBytes, 0, (count - done) * rowBytes);
                break;
            }
            done += cinfo.output_scanline - before;
        }
        uint8_t* handed = d.out;
        d.out = nullptr;
        if (!job.sink(job.context, band, int(count), handed)) break;
    }
    // Past the last row, the rest of the file is read as a whole decode
    // reads it: a file damaged after its picture fails here as it always did.
    if (cinfo.output_scanline >= h)
        jpeg_finish_decompress(&cinfo);
    else
        jpeg_abort_decompress(&cinfo);
    return Outcome::Done;
}

// Opens without blocking (a named pipe would wait for a writer) and keeps
// the file only when it is a regular one.
FILE* openRegularFile(const QString& fileName) {
    const int fd =
        ::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    FILE* file = ::fdopen(fd, "rb");
    if (!file) ::close(fd);
    return file;
}

uint64_t regularFileBytes(FILE* file) {
    struct stat st {};
    if (::fstat(::fileno(file), &st) != 0) return 0;
    return uint64_t(std::max<off_t>(st.st_size, 0));
}

bool readHeaderOnly(Decoder& d) {
    installErrorManager(d);
    if (setjmp(d.err.recovery)) return false;
    return openDecoder(d);
}

std::unique_ptr<uint8_t[]> read(const QString& fileName, Layout layout, uint32_t& width,
                                uint32_t& height) {
    width = 0;
    height = 0;
    FILE* file = openRegularFile(fileName);
    if (!file) {
        Prompts::instance().message(
            QString::fromLatin1(str::JpegCantOpen).arg(filenames::Shown(fileName)),
            Prompts::Buttons::Ok, Prompts::Icon::None);
        return nullptr;
    }
    auto d = std::make_unique<Decoder>();
    d->file = file;
    d->fileBytes = regularFileBytes(file);
    const Outcome outcome = decode(*d, layout, width, height);
    if (d->created) jpeg_destroy_decompress(&d->cinfo);
    std::fclose(d->file);
    std::unique_ptr<uint8_t[]> out(d->out);
    if (outcome == Outcome::Done) return out;
    if (outcome == Outcome::OutOfMemory)
        Prompts::instance().message(QString::fromLatin1(str::JpegOutOfMemory), Prompts::Buttons::Ok,
                                    Prompts::Icon::Critical);
    return nullptr;
}

}  // namespace

HeaderResult ReadHeader(const QString& fileName, Header& header) {
    header = Header{};
    FILE* file = openRegularFile(fileName);
    if (!file) {
        Prompts::instance().message(
            QString::fromLatin1(str::JpegCantOpen).arg(filenames::Shown(fileName)),
            Prompts::Buttons::Ok, Prompts::Icon::None);
        return HeaderResult::CantOpen;
    }
    auto d = std::make_unique<Decoder>();
    d->file = file;
    d->fileBytes = regularFileBytes(file);
    const bool ok = readHeaderOnly(*d);
    if (ok) {
        header.width = d->cinfo.image_width;
        header.height = d->cinfo.image_height;
        header.progressive = d->cinfo.progressive_mode;
    }
    if (d->created) jpeg_destroy_decompress(&d->cinfo);
    std::fclose(d->file);
    return ok && header.width > 0 && header.height > 0 ? HeaderResult::Ok : HeaderResult::Refused;
}

BandsOutcome DecodeBands(const QString& fileName, int scaleDenom, int firstBand, int bandRows,
                         BandSink sink, void* context, StopCheck stop) {
    if (bandRows <= 0 || firstBand < 0 || !sink) return BandsOutcome::Failed;
    if (scaleDenom != 1 && scaleDenom != 2 && scaleDenom != 4 && scaleDenom != 8)
        return BandsOutcome::Failed;
    FILE* file = openRegularFile(fileName);
    if (!file) return BandsOutcome::Failed;
    auto d = std::make_unique<Decoder>();
    d->file = file;
    d->fileBytes = regularFileBytes(file);
    d->stop = stop;
    d->stopContext = context;
    const Outcome outcome =
        decodeBands(*d, BandJob{scaleDenom, firstBand, bandRows, sink, context});
    if (d->created) jpeg_destroy_decompress(&d->cinfo);
    std::fclose(d->file);
    FreeBand(d->out);
    if (outcome == Outcome::Done) return BandsOutcome::Done;
    return outcome == Outcome::Stopped ? BandsOutcome::Stopped : BandsOutcome::Failed;
}

uint8_t* AllocateBand(size_t bytes) {
    // Whole large pages where the system gives them: a band is written once,
    // front to back, and 4 kB page faults would cost more than decoding it.
    constexpr size_t kHuge = size_t(2) << 20;
    if (bytes < kHuge) return static_cast<uint8_t*>(std::malloc(std::max<size_t>(bytes, 1)));
    const size_t rounded = (bytes + kHuge - 1) / kHuge * kHuge;
    auto* p = static_cast<uint8_t*>(std::aligned_alloc(kHuge, rounded));
    if (p) madvise(p, rounded, MADV_HUGEPAGE);
    return p;
}

void FreeBand(uint8_t* band) {
    std::free(band);
}

uint64_t PixelLimit() {
    return pixelLimit.load(std::memory_order_relaxed);
}

uint64_t PixelBudget(uint64_t fileBytes) {
    const uint64_t byData =
        fileBytes > PixelLimit() / kPixelsPerByte ? PixelLimit() : fileBytes * kPixelsPerByte;
    return std::min(PixelLimit(), std::max(kFreePixels, byData));
}

uint64_t SetPixelLimit(uint64_t pixels) {
    return pixelLimit.exchange(pixels);
}

long LibraryMemoryLimit() {
    return libraryMemory.load(std::memory_order_relaxed);
}

long SetLibraryMemoryLimit(long bytes) {
    const long limit = std::clamp(bytes, kMinLibraryMemory, kMaxLibraryMemory);
    libraryMemory.store(limit, std::memory_order_relaxed);
    return limit;
}

std::unique_ptr<uint8_t[]> ReadRgb(const QString& fileName, uint32_t& width, uint32_t& height) {
    return read(fileName, Layout::TopDownRgb, width, height);
}

std::unique_ptr<uint8_t[]> ReadBgrBottomUp(const QString& fileName, uint32_t& width,
                                           uint32_t& height) {
    return read(fileName, Layout::BottomUpBgr, width, height);
}

bool SwapRedBlue(uint8_t* buf, int width, int height) {
    if (!buf) return false;
    const size_t count = size_t(std::max(width, 0)) * size_t(std::max(height, 0));
    for (size_t i = 0; i < count; ++i, buf += 3) std::swap(buf[0], buf[2]);
    return true;
}

bool FlipRows(uint8_t* buf, int rowBytes, int rows) {
    if (!buf) return false;
    if (rowBytes <= 0 || rows < 2) return true;
    std::unique_ptr<uint8_t[]> scratch(new (std::nothrow) uint8_t[rowBytes]);
    if (!scratch) return false;
    uint8_t* top = buf;
    uint8_t* bottom = buf + size_t(rows - 1) * rowBytes;
    for (; top < bottom; top += rowBytes, bottom -= rowBytes) {
        std::memcpy(scratch.get(), top, rowBytes);
        std::memcpy(top, bottom, rowBytes);
        std::memcpy(bottom, scratch.get(), rowBytes);
    }
    return true;
}

std::unique_ptr<uint8_t[]> PadRows(const uint8_t* buf, int width, int height, int& stride) {
    if (!buf) return nullptr;
    const int padded = PaddedStride(width);
    stride = padded;
    const size_t rowBytes = size_t(width) * 3;
    std::unique_ptr<uint8_t[]> out(new (std::nothrow) uint8_t[size_t(padded) * height]);
    if (!out) return nullptr;
    for (int y = 0; y < height; ++y) {
        uint8_t* dst = out.get() + size_t(y) * padded;
        std::memcpy(dst, buf + y * rowBytes, rowBytes);
        std::memset(dst + rowBytes, 0, padded - rowBytes);
    }
    return out;
}

}  // namespace JpegFile
