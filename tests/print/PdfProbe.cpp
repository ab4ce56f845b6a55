// SPDX-License-Identifier: GPL-3.0-or-later
#include "PdfProbe.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>

namespace probe {
namespace {
QString Output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}
}  // namespace

bool HaveTools() {
    return !QStandardPaths::findExecutable("pdftoppm").isEmpty() &&
           !QStandardPaths::findExecutable("pdftotext").isEmpty();
}

QImage Rasterise(const QString& pdf, int dpi, int page) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath("page");
    Output("pdftoppm", {"-r", QString::number(dpi), "-f", QString::number(page), "-l",
                        QString::number(page), "-singlefile", "-png", pdf, prefix});
    QImage img(prefix + ".png");
    return img.convertToFormat(QImage::Format_RGB32);
}

QString Text(const QString& pdf, int page) {
    QStringList args;
    if (page > 0) args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return Output("pdftotext", args << pdf << "-");
}

int PageCount(const QString& pdf) {
    const QRegularExpression pages(R"(Pages:\s+(\d+))");
    const auto m = pages.match(Output("pdfinfo", {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

std::vector<Word> Words(const QString& pdf) {
    const QString html = Output("pdftotext", {"-bbox", pdf, "-"});
    std::vector<Word> words;
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    int page = 0;
    for (const QString& line : html.split('\n')) {
        if (line.contains("<page ")) ++page;
        const auto m = word.match(line);
        if (!m.hasMatch()) continue;
        Word w;
        w.box = QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                       QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        w.text = m.captured(5).replace("&amp;", "&");
        w.page = page;
        words.push_back(w);
    }
    return words;
}

bool Dark(QRgb c) {
    return qGray(c) < 110;
}

Run LongestDarkRun(const QImage& img, int y) {
    probe::Run best, now;
    const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) {
        if (Dark(row[x])) {
            if (now.length == 0) now.start = x;
            ++now.length;
            if (now.length > best.length) best = now;
        } else {
            now.length = 0;
        }
    }
    return best;
}

QRect Frame(const QImage& img, int dpi) {
    for (int y = 0; y < img.height(); ++y) {
        const probe::Run r = LongestDarkRun(img, y);
        if (r.length < 1.5 * dpi) continue;
        // Down the left edge, a pixel or two wide.
        const int x = r.start;
        auto edge = [&](int row) { return Dark(img.pixel(x, row)) || Dark(img.pixel(x + 1, row)); };
        int bottom = y;
        while (bottom + 1 < img.height() && edge(bottom + 1)) ++bottom;
        return QRect(r.start, y, r.length, bottom - y + 1);
    }
    return {};
}

Run ScaleBar(const QImage& img, int dpi) {
    int y = img.height() - 1;
    // Up to the footer's rule, then past it.
    while (y > 0 && LongestDarkRun(img, y).length < 0.9 * img.width() * 0.8) --y;
    while (y > 0 && LongestDarkRun(img, y).length >= 0.9 * img.width() * 0.8) --y;
    for (; y > 0; --y) {
        const probe::Run r = LongestDarkRun(img, y);
        if (r.length > dpi / 2 && r.length < 0.6 * img.width()) return r;
    }
    return {};
}

double MeanDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull()) return 1e9;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

}  // namespace probe
