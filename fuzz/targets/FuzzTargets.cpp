// SPDX-License-Identifier: GPL-3.0-or-later
#include "FuzzTargets.h"
#include "georef/Georeference.h"
#include "georef/OziMap.h"
#include "georef/WorldFile.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QMainWindow>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolBar>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "document/MapLocation.h"
#include "document/TarnLocTemplate.h"
#include "document/TarnLocation.h"
#include "document/TarnlightDoc.h"
#include "framework/Archive.h"
#include "framework/ArchiveBytes.h"
#include "framework/Prompts.h"
#include "framework/RecentFileList.h"
#include "framework/Settings.h"
#include "framework/customize/CustomizationState.h"
#include "imaging/DecodedImage.h"
#include "imaging/JpegFile.h"
#include "interchange/Gpx.h"

namespace fuzzing {
namespace {

// Large enough for every decoder path (progressive, subsampled, palette,
// run-length), small enough that one input never costs more than a few
// milliseconds or a few megabytes.
constexpr uint64_t kFuzzPixelLimit = 1 << 20;

std::function<void(const std::string&)> failureHandler;

void Check(bool holds, const char* what) {
    if (holds) return;
    if (failureHandler) {
        failureHandler(what);
        return;
    }
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

struct Environment {
    std::unique_ptr<QTemporaryDir> home;
    std::unique_ptr<QTemporaryDir> work;
    QString settingsFile;
    QString Work(const char* name) const { return QDir(work->path()).filePath(name); }
};

Environment& env() {
    static Environment e;
    return e;
}

// The command-line tool's prompts for the length of one input, without the
// echo: every question is cancelled, every message only recorded.
class SilentScope {
public:
    SilentScope() : old(Prompts::install(&silent)) { silent.echo = false; }
    ~SilentScope() { Prompts::install(old); }
    SilentPrompts silent;

private:
    Prompts* old;
};

bool WriteFile(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(reinterpret_cast<const char*>(data), qint64(size)) == qint64(size);
}

QByteArray StoreLocation(CTarnLocation& location) {
    return archivebytes::Store([&](CArchive& ar) { location.SerializeLocation(ar); });
}

CArchive::Error LoadLocation(const QByteArray& bytes, CTarnLocation& location) {
    location.Reset();
    location.maps.SetSearchFolder(env().work->path());
    return archivebytes::Load(bytes, [&](CArchive& ar) { location.SerializeLocation(ar); });
}

size_t ElementCount(const CTarnLocation& l) {
    return l.maps.entries.size() + l.userInfoPoints.points.size() + l.freeHands.items.size() +
           l.lineDraws.items.size() + l.rectElipDraws.items.size() + l.mapPoints.items.size();
}

void DrawCorner(CTarnLocation& location) {
    QImage canvas(64, 48, QImage::Format_RGB32);
    QPainter p(&canvas);
    location.Draw(p, QRect(0, 0, 64, 48));
    location.Draw(p, QRect(16, 8, 20, 20));
    location.userInfoPoints.DrawAll(p);
}

// A location or "qlt" file opened through the document, as File Open does.
int ReadDocument(const uint8_t* data, size_t size, const char* name) {
    SilentScope silent;
    const QString path = env().Work(name);
    if (!WriteFile(path, data, size)) return 0;

    CTarnLocation location;
    location.mapPoints.AddPoint(3, 4, 0, 0, "before", "");
    CTarnlightDoc doc;
    doc.SetLocation(&location);
    doc.SetPathName(env().Work("before.fnm"), false);
    doc.SetModifiedFlag(true);

    if (!doc.OnOpenDocument(path)) {
        Check(location.mapPoints.items.size() == 1 && location.mapPoints.items[0]->name == "before",
              "a failed read leaves the previous location");
        Check(ElementCount(location) == 1, "a failed read adds nothing");
        Check(doc.IsModified() && doc.GetPathName() == env().Work("before.fnm"),
              "a failed read leaves the name and the modified flag");
        Check(silent.silent.shown.size() == 1, "a failed read says so once and asks nothing");
        return 0;
    }
    Check(!doc.IsModified(), "a complete read clears the modified flag");
    // Every stored element takes at least 20 bytes of the file.
    if (size > 0) Check(ElementCount(location) <= size / 20, "elements within the file's size");
    DrawCorner(location);

    // What was read writes, and reads back to the same bytes.
    const QByteArray once = StoreLocation(location);
    CTarnLocation back;
    Check(LoadLocation(once, back) == CArchive::Error::None, "a written location reads back");
    Check(StoreLocation(back) == once, "a location written twice gives the same bytes");
    return 0;
}

int Location(const uint8_t* data, size_t size) {
    return ReadDocument(data, size, "input.fnm");
}

int Qlt(const uint8_t* data, size_t size) {
    return ReadDocument(data, size, "input.qlt");
}

// An image file as a map entry loads it, then drawn at a few zooms.
void LoadAndDrawEntry(const QString& path) {
    CMapLocation entry;
    entry.SetImage(RectL{0, 0, 48, 36}, path);
    if (entry.HasImage()) {
        Check(entry.image.width > 0 && entry.image.height > 0, "a loaded image has a size");
        const uint64_t pixels = uint64_t(entry.image.width) * uint64_t(entry.image.height);
        Check(pixels <= kFuzzPixelLimit, "a loaded image is within the pixel limit");
    }
    QImage canvas(64, 48, QImage::Format_RGB32);
    QPainter p(&canvas);
    for (double zoom : {1.0, 0.37, 2.5}) entry.Draw(p, zoom, QRect(0, 0, 64, 48));
}

int Jpeg(const uint8_t* data, size_t size) {
    SilentScope silent;
    const QString path = env().Work("input.jpg");
    if (!WriteFile(path, data, size)) return 0;
    uint32_t width = 0;
    uint32_t height = 0;
    std::unique_ptr<uint8_t[]> rgb = JpegFile::ReadRgb(path, width, height);
    if (rgb) {
        Check(width > 0 && height > 0, "decoded JPEG has a size");
        Check(uint64_t(width) * height <= kFuzzPixelLimit, "decoded JPEG within the limit");
        // Touch the last byte: the buffer must hold every row.
        volatile uint8_t last = rgb[size_t(width) * height * 3 - 1];
        (void)last;
    }
    Check(silent.silent.shown.isEmpty(), "a readable JPEG file raises no message");
    LoadAndDrawEntry(path);
    return 0;
}

// The decoder under the program's own limits rather than the small cap the
// other targets work under: whatever a file declares, what it may cost
// follows from its size (pixels per byte, scans times pixels).
int JpegBudget(const uint8_t* data, size_t size) {
    SilentScope silent;
    const QString path = env().Work("budget.jpg");
    if (!WriteFile(path, data, size)) return 0;
    const uint64_t cap = JpegFile::SetPixelLimit(JpegFile::kMaxPixels);
    const uint64_t budget = JpegFile::PixelBudget(size);
    uint32_t width = 0;
    uint32_t height = 0;
    std::unique_ptr<uint8_t[]> rgb = JpegFile::ReadRgb(path, width, height);
    JpegFile::SetPixelLimit(cap);
    if (rgb) {
        Check(uint64_t(width) * height <= budget, "a decoded JPEG within its file's budget");
        volatile uint8_t last = rgb[size_t(width) * height * 3 - 1];
        (void)last;
    }
    Check(silent.silent.shown.isEmpty(), "a JPEG within its budget raises no message");
    return 0;
}

int Bitmap(const uint8_t* data, size_t size) {
    SilentScope silent;
    const QString path = env().Work("input.bmp");
    if (!WriteFile(path, data, size)) return 0;
    LoadAndDrawEntry(path);
    Check(silent.silent.shown.isEmpty(), "a damaged bitmap raises no message");
    return 0;
}

int Settings(const uint8_t* data, size_t size) {
    SilentScope silent;
    if (!WriteFile(env().settingsFile, data, size)) return 0;
    SettingsStore& store = SettingsStore::instance();
    store.Reload();
    for (const char* key : {setting::LoadLastFile, setting::Splash, setting::ShowXY,
                            setting::PrintLS, setting::MMIcon, setting::UseXHair, setting::MagShape,
                            setting::MagZoom, setting::MagSize, setting::PreviewPages}) {
        const int value = store.Int(key);
        if (!store.Contains(key))
            Check(value == SettingsStore::DefaultInt(key), "a missing setting gives its default");
    }
    (void)store.String(setting::LastFile);

    RecentFileList recent;
    recent.Load();
    Check(recent.Files().size() <= RecentFileList::kSize, "at most three recent files");

    CustomizationState state;
    if (state.Load(store)) {
        // What was accepted saves and loads back unchanged.
        CustomizationState::Clear(store);
        state.Save(store);
        CustomizationState again;
        Check(again.Load(store), "a saved customization loads");
        Check(again == state, "a customization saved and loaded is unchanged");
    } else {
        Check(state == CustomizationState(), "a damaged customization gives the defaults");
    }

    // The window layout goes back through Qt's own restore.
    QMainWindow frame;
    auto* bar = frame.addToolBar("Standard");
    bar->setObjectName("toolbar128");
    for (const char* name : {"dock1", "dock2", "dock3"}) {
        auto* dock = new QDockWidget(name, &frame);
        dock->setObjectName(name);
        frame.addDockWidget(Qt::RightDockWidgetArea, dock);
    }
    const QByteArray geometry = store.Value("Frame/Geometry").toByteArray();
    const QByteArray layout = store.Value("Frame/State").toByteArray();
    if (!geometry.isEmpty()) frame.restoreGeometry(geometry);
    if (!layout.isEmpty()) frame.restoreState(layout, 1);
    return 0;
}

// A calibrated 400 x 300 location over a lake, nothing on it yet.
void Calibrate(CTarnLocation& l) {
    l.lon1 = 93.80;
    l.lon2 = 93.40;
    l.lat1 = 46.40;
    l.lat2 = 46.10;
    l.x2 = 400;
    l.y2 = 300;
    l.maps.extentWidth = 400;
    l.maps.extentHeight = 300;
}

size_t Drawings(const CTarnLocation& l) {
    return l.lineDraws.items.size() + l.rectElipDraws.items.size() + l.freeHands.items.size();
}

// A GPX file imported as the menu command and fnm import it, then exported
// and imported again: what came in goes out and comes back whole.
int GpxInput(const uint8_t* data, size_t size) {
    SilentScope silent;
    const QString path = env().Work("input.gpx");
    if (!WriteFile(path, data, size)) return 0;
    CTarnLocation location;
    Calibrate(location);
    const gpx::ImportReport report = gpx::ImportGpx(location, path);
    Check(report.waypoints.added ==
              int(location.userInfoPoints.points.size() + location.mapPoints.items.size()),
          "every waypoint counted as added is a point");
    Check(report.routes.added == int(location.lineDraws.items.size()),
          "every route counted as added is a line");
    Check(report.segments.added == int(location.freeHands.items.size()),
          "every track segment counted as added is a stroke");
    // Every point read took bytes of the file.
    if (report.Added() > 0)
        Check(size_t(report.Added()) <= size / 8, "items within the file's size");
    Check(silent.silent.shown.isEmpty(), "an import asks nothing");
    DrawCorner(location);

    const QByteArray exported = gpx::WriteGpx(location);
    CTarnLocation again;
    Calibrate(again);
    const gpx::ImportReport back = gpx::AddParsed(again, gpx::ParseGpx(exported));
    Check(back.problems.isEmpty(), "an export reads back without problems");
    Check(back.Skipped() == 0, "an export comes back whole");
    Check(back.waypoints.added == report.waypoints.added, "every point comes back");
    Check(Drawings(again) == Drawings(location), "every drawing comes back");
    return 0;
}

// The same bytes as a world file and as an OziExplorer map, parsed and then
// found beside a map image: whatever they hold, a georeference that is
// taken is a usable one.
int Georef(const uint8_t* data, size_t size) {
    SilentScope silent;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const georef::WorldFile world = georef::ParseWorldFile(bytes);
    Check(!world.ok || georef::IsUsable(world.transform),
          "a world file taken has a usable transform");
    Check(world.ok || !world.problem.isEmpty(), "a refused world file says why");
    const georef::OziMap map = georef::ParseOziMap(bytes);
    Check(!map.ok || map.points.size() >= 2, "a map taken has two points");
    for (const georef::OziPoint& p : map.points)
        Check(std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.lat) <= 90 &&
                  std::fabs(p.lon) <= 180,
              "map points are finite and on the globe");

    const QString image = env().Work("chart.png");
    if (!QFileInfo::exists(image)) {
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::white);
        picture.save(image, "PNG");
    }
    for (const char* sidecar : {"chart.wld", "chart.map"}) {
        const QString path = env().Work(sidecar);
        if (!WriteFile(path, data, size)) continue;
        const georef::Georeference g = georef::FindGeoreference(image, 40, 30);
        QFile::remove(path);
        if (!g.Found()) continue;
        const Calibration& c = g.fit.calibration;
        Check(std::isfinite(c.lat1 + c.lat2 + c.lon1 + c.lon2) && c.lat1 != c.lat2 &&
                  c.lon1 != c.lon2,
              "a calibration taken is finite and spans the map");
        Check(std::isfinite(g.fit.maxErrorMetres), "the error of a fit is finite");
    }
    Check(silent.silent.shown.isEmpty(), "looking for a georeference asks nothing");
    return 0;
}

const std::vector<NamedTarget> kTargets = {
    {"location", Location},     {"qlt", Qlt},           {"jpeg", Jpeg},
    {"bitmap", Bitmap},         {"settings", Settings}, {"gpx", GpxInput},
    {"jpegbudget", JpegBudget}, {"georef", Georef},
};

void WriteStandIns(const QString& folder) {
    auto save = [&](const char* name, QSize size, QColor colour, const char* format) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(QDir(folder).filePath(name), format);
    };
    save("west.bmp", {40, 30}, QColor(30, 90, 200), "BMP");
    save("east.jpg", {40, 30}, QColor(200, 190, 150), "JPG");
    save("millelacs-west.jpg", {32, 24}, QColor(90, 140, 200), "JPG");
    save("millelacs-east.jpg", {32, 24}, QColor(120, 160, 90), "JPG");
}

// Seeds: small files of every kind the program meets, made by its own
// writers (and Qt's, for images), so the fuzzer starts from valid structure.

void FillLocation(CTarnLocation& loc) {
    loc.lon1 = 93.86;
    loc.lat1 = 46.43;
    loc.lon2 = 93.38;
    loc.lat2 = 46.05;
    loc.x2 = 80;
    loc.y2 = 30;
    loc.showUserPoints = 0;
    auto entry = [&](const char* name, RectL placement) {
        auto e = std::make_unique<CMapLocation>();
        e->fileName = name;
        e->placement = placement;
        loc.maps.entries.push_back(std::move(e));
    };
    entry("west.bmp", RectL{0, 0, 40, 30});
    entry("east.jpg", RectL{40, 0, 80, 30});
    CUserInfoPoint& dock = loc.userInfoPoints.AddNew();
    dock.name = "Dock";
    dock.info = "Launch here\r\nfee 5 $";
    dock.position = QPoint(12, 8);
    CUserInfoPoint& hole = loc.userInfoPoints.AddNew();
    hole.SetIcon(5003);
    hole.name = QString::fromUtf8("Walleye hole \u00e9\u20ac \u4e2d");
    hole.position = QPoint(60, 20);
    for (int i = 0; i < 2; ++i) {
        CFreeHand& s = loc.freeHands.AddNew();
        for (int k = 0; k < 4 + i; ++k) s.AppendPoint({5 + 10 * i + k, 3 + 4 * k});
        s.ComputeBounds();
    }
    CLineDraw& line = loc.lineDraws.AddNew();
    line.points = {{2, 2}, {70, 25}, {75, 3}};
    loc.rectElipDraws.AddNew(false).rect = RectL{50, 20, 20, 5};
    loc.rectElipDraws.AddNew(true).rect = RectL{44, 2, 78, 28};
    loc.mapPoints.AddPoint(20, 15, CMapPoint::Water, 0, "Deep", "34 ft");
    loc.mapPoints.AddPoint(45, 10, CMapPoint::Rock, 12, "Reef", "");
}

void SaveSeed(const QString& folder, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(folder).filePath(name));
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QByteArray ImageBytes(const QImage& image, const char* format, int quality = -1,
                      bool progressive = false, bool optimized = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(progressive);
    writer.setOptimizedWrite(optimized);
    writer.write(image);
    return bytes;
}

QImage Gradient(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y,
                           qRgb(x * 255 / size.width(), y * 255 / size.height(), (x ^ y) & 255));
    return image;
}

void WriteLocationSeeds(const QString& folder, bool qlt) {
    CTarnLocation rich;
    FillLocation(rich);
    CTarnLocation empty;
    if (!qlt) {
        SaveSeed(folder, "rich.fnm", StoreLocation(rich));
        SaveSeed(folder, "empty.fnm", StoreLocation(empty));
        return;
    }
    CTarnLocTemplate full;
    static_cast<Calibration&>(full) = static_cast<const Calibration&>(rich);
    full.maps.SetSearchFolder(env().work->path());
    full.maps.CopyFrom(rich.maps);
    full.mapPoints.CopyFrom(rich.mapPoints);
    SaveSeed(folder, "rich.qlt", archivebytes::Store([&](CArchive& ar) { full.Serialize(ar); }));
    CTarnLocTemplate bare;
    SaveSeed(folder, "empty.qlt", archivebytes::Store([&](CArchive& ar) { bare.Serialize(ar); }));
}

void WriteJpegSeeds(const QString& folder, const QString& sample) {
    const QImage gradient = Gradient({37, 23});
    SaveSeed(folder, "baseline.jpg", ImageBytes(gradient, "JPG", 90));
    SaveSeed(folder, "low.jpg", ImageBytes(gradient, "JPG", 20));
    SaveSeed(folder, "progressive.jpg", ImageBytes(gradient, "JPG", 75, true));
    SaveSeed(folder, "optimized.jpg", ImageBytes(gradient, "JPG", 60, false, true));
    SaveSeed(folder, "grey.jpg",
             ImageBytes(gradient.convertToFormat(QImage::Format_Grayscale8), "JPG", 80));
    QImage chart(sample);
    if (!chart.isNull())
        SaveSeed(folder, "chart.jpg",
                 ImageBytes(chart.scaled(96, 72, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
                            "JPG", 85, true));
}

// Small files that declare large pictures, whole or cut short.
void WriteJpegBombSeeds(const QString& folder) {
    const QByteArray small = ImageBytes(Gradient({16, 16}), "JPG", 50);
    const QByteArray progressive = ImageBytes(Gradient({64, 64}), "JPG", 75, true);
    auto declared = [](QByteArray jpeg, int width, int height) {
        for (const char code : {char(0xC0), char(0xC2)}) {
            const qsizetype sof = jpeg.indexOf(QByteArray("\xFF", 1) + code);
            if (sof < 0) continue;
            jpeg[sof + 5] = char(height >> 8);
            jpeg[sof + 6] = char(height & 0xFF);
            jpeg[sof + 7] = char(width >> 8);
            jpeg[sof + 8] = char(width & 0xFF);
            break;
        }
        return jpeg;
    };
    SaveSeed(folder, "declares-gigapixel.jpg", declared(small, 65500, 15266));
    SaveSeed(folder, "declares-allowance.jpg", declared(small, 4096, 4096));
    SaveSeed(folder, "progressive-declares-400mp.jpg", declared(progressive, 20000, 20000));
}

void WriteBitmapSeeds(const QString& folder) {
    const QImage gradient = Gradient({13, 7});
    SaveSeed(folder, "rgb24.bmp",
             ImageBytes(gradient.convertToFormat(QImage::Format_RGB888), "BMP"));
    SaveSeed(folder, "argb32.bmp",
             ImageBytes(gradient.convertToFormat(QImage::Format_ARGB32), "BMP"));
    SaveSeed(folder, "indexed8.bmp",
             ImageBytes(gradient.convertToFormat(QImage::Format_Indexed8), "BMP"));
    SaveSeed(folder, "mono.bmp", ImageBytes(gradient.convertToFormat(QImage::Format_Mono), "BMP"));
    // A 4 x 2 eight-bit run-length bitmap, which Qt reads but never writes.
    QByteArray rle;
    auto u16 = [&](int v) { rle.append(char(v & 255)).append(char((v >> 8) & 255)); };
    auto u32 = [&](uint32_t v) {
        u16(int(v & 0xFFFF));
        u16(int(v >> 16));
    };
    const QByteArray pixels = QByteArray::fromHex("0401 0402 0000 0203 0000 0001");
    rle.append("BM");
    u32(14 + 40 + 8 + uint32_t(pixels.size()));
    u32(0);
    u32(14 + 40 + 8);
    u32(40);
    u32(4);
    u32(2);
    u16(1);
    u16(8);
    u32(1);  // BI_RLE8
    u32(uint32_t(pixels.size()));
    u32(2835);
    u32(2835);
    u32(2);
    u32(2);
    u32(0x00FF0000);
    u32(0x000000FF);
    rle.append(pixels);
    SaveSeed(folder, "rle8.bmp", rle);
}

void WriteGpxSeeds(const QString& folder) {
    CTarnLocation l;
    Calibrate(l);
    CUserInfoPoint& dock = l.userInfoPoints.AddNew();
    dock.name = QString::fromUtf8("Dock \u00e9 <&>");
    dock.altitude = 1251;
    l.mapPoints.AddPoint(120, 80, CMapPoint::Rock, -12, "Reef", "8 ft");
    l.mapPoints.AddPoint(200, 90, -1, 0, "Other", "");
    l.lineDraws.AddNew().points = {{10, 10}, {100, 120}, {390, 20}};
    l.rectElipDraws.AddNew(false).rect = RectL{50, 60, 150, 160};
    l.rectElipDraws.AddNew(true).rect = RectL{200, 100, 300, 250};
    CFreeHand& stroke = l.freeHands.AddNew();
    stroke.points = {{30, 40}, {32, 44}, {35, 41}};
    stroke.ComputeBounds();
    SaveSeed(folder, "export.gpx", gpx::WriteGpx(l));
    SaveSeed(folder, "gpx10.gpx",
             "<?xml version=\"1.0\"?>\n<gpx version=\"1.0\" "
             "xmlns=\"http://www.topografix.com/GPX/1/0\">\n"
             "<wpt lat=\"46.3\" lon=\"-93.6\"><ele>381.3</ele><name><![CDATA[Hump <1>]]></name>"
             "<sym>Anchor</sym><type>Rock</type></wpt>\n"
             "<rte><rtept lat=\"46.3\" lon=\"-93.7\"/><rtept lat=\"46.2\" lon=\"-93.5\"/></rte>\n"
             "<trk><trkseg><trkpt lat=\"46.25\" lon=\"-93.65\"><ele>380</ele></trkpt>"
             "<trkpt lat=\"46.26\" lon=\"-93.64\"/></trkseg><trkseg/></trk>\n</gpx>\n");
    SaveSeed(folder, "extensions.gpx",
             "<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/1\" xmlns:x=\"urn:x\">"
             "<g:metadata><g:extensions><x:c>1</x:c></g:extensions></g:metadata>"
             "<g:wpt lat=\"-1\" lon=\"10\"><g:extensions><x:d/></g:extensions></g:wpt>"
             "<g:rte><g:rtept lat=\"47\" lon=\"-93.6\"/></g:rte></g:gpx>");
}

void WriteSettingsSeeds(const QString& folder) {
    SettingsStore& store = SettingsStore::instance();
    QSettings& raw = store.Raw();
    auto keep = [&](const char* name) {
        raw.sync();
        QFile file(raw.fileName());
        if (file.open(QIODevice::ReadOnly)) SaveSeed(folder, name, file.readAll());
    };
    raw.clear();
    store.SetInt(setting::LoadLastFile, 1);
    store.SetString(setting::LastFile, "/home/angler/lakes/mille lacs.fnm");
    store.SetInt(setting::MagSize, 130);
    store.SetInt(setting::MagZoom, 15);
    store.SetInt(setting::MMIcon, 2);
    RecentFileList recent;
    recent.Add("/home/angler/a.fnm");
    recent.Add("/home/angler/b.qlt");
    keep("plain.conf");

    CustomizationState state;
    const int slot = state.AddToolbar("Marks");
    if (slot >= 0) state.toolbars[size_t(slot)]->commands = {57601, 0, 32866};
    state.doubleClickCommand = 57601;
    state.tools.push_back({"Notes", "/usr/bin/gedit", "--new-window \"$(File)\""});
    state.buttonImages[57601] = 2;
    state.Save(store);
    QMainWindow frame;
    frame.addToolBar("Standard")->setObjectName("toolbar128");
    auto* dock = new QDockWidget("Sun", &frame);
    dock->setObjectName("dock1");
    frame.addDockWidget(Qt::RightDockWidgetArea, dock);
    store.SetValue("Frame/Geometry", frame.saveGeometry());
    store.SetValue("Frame/State", frame.saveState(1));
    keep("customized.conf");
    raw.clear();
    raw.sync();
}

}  // namespace

void WriteSeeds(const std::string& target, const std::string& folderName) {
    Init();
    const QString folder = QString::fromStdString(folderName);
    QDir().mkpath(folder);
    if (target == "location") WriteLocationSeeds(folder, false);
    if (target == "qlt") WriteLocationSeeds(folder, true);
    if (target == "jpeg" || target == "jpegbudget")
        WriteJpegSeeds(folder, QStringLiteral(FM_SAMPLES_DIR "/millelacs-west.jpg"));
    if (target == "jpegbudget") WriteJpegBombSeeds(folder);
    if (target == "bitmap") WriteBitmapSeeds(folder);
    if (target == "settings") WriteSettingsSeeds(folder);
    if (target == "gpx") WriteGpxSeeds(folder);
}

namespace {}  // namespace

const std::vector<NamedTarget>& Targets() {
    return kTargets;
}

Target Find(const std::string& name) {
    for (const NamedTarget& t : kTargets)
        if (name == t.name) return t.run;
    return nullptr;
}

void SetFailureHandler(std::function<void(const std::string&)> handler) {
    failureHandler = std::move(handler);
}

void Init() {
    Environment& e = env();
    if (e.work) return;
    if (!QCoreApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        e.home = std::make_unique<QTemporaryDir>();
        const QByteArray home = e.home->path().toLocal8Bit();
        setenv("HOME", home.constData(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/config").constData(), 1);
        setenv("XDG_DATA_HOME", (home + "/data").constData(), 1);
        setenv("XDG_CACHE_HOME", (home + "/cache").constData(), 1);
        static int argc = 1;
        static char name[] = "fuzz";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        QApplication::setOrganizationName(SettingsStore::kCompany);
        QApplication::setApplicationName(SettingsStore::kApplication);
    }
    // Qt's warnings about damaged input ("Broken filename", image reader
    // complaints) would drown libFuzzer's own output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    });
    e.work = std::make_unique<QTemporaryDir>();
    WriteStandIns(e.work->path());
    e.settingsFile = SettingsStore::instance().Raw().fileName();
    QDir().mkpath(QFileInfo(e.settingsFile).absolutePath());
    JpegFile::SetPixelLimit(kFuzzPixelLimit);
    DecodedImage::SetBitmapPixelLimit(int64_t(kFuzzPixelLimit));
}

}  // namespace fuzzing
