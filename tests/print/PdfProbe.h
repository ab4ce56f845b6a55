// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// Reading printed pages back: the poppler tools rasterise and extract text,
// and the frame, the scale bar and the words are found in what they give.
namespace probe {

// Whether pdftoppm and pdftotext are installed.
bool HaveTools();
// Page page (from 1) of pdf at dpi; null when pdftoppm failed.
QImage Rasterise(const QString& pdf, int dpi, int page);
QString Text(const QString& pdf, int page = 0);  // all pages when 0
int PageCount(const QString& pdf);

struct Word {
    QString text;
    QRectF box;  // points, from the page's top-left corner
    int page = 0;
};
std::vector<Word> Words(const QString& pdf);

bool Dark(QRgb c);
struct Run {
    int start = 0;
    int length = 0;
};
Run LongestDarkRun(const QImage& img, int y);
// The map's frame: the first long horizontal line from the top and the
// vertical line going down from its left end.
QRect Frame(const QImage& img, int dpi);
// The scale bar's bottom edge: going up from the footer's rule, the first
// row with a dark run longer than an inch but well short of the page.
Run ScaleBar(const QImage& img, int dpi);
// Mean absolute difference of two pictures of one size, over the channels.
double MeanDifference(const QImage& a, const QImage& b);

}  // namespace probe
