// SPDX-License-Identifier: GPL-3.0-or-later
#include "LocationReport.h"

#include <QPoint>
#include <QStringList>

#include "JsonWriter.h"
#include "document/TarnLocation.h"
#include "framework/RectL.h"

namespace {

void Rect(JsonWriter& w, const RectL& r) {
    w.BeginArray().Int(r.left).Int(r.top).Int(r.right).Int(r.bottom).EndArray();
}

void Point(JsonWriter& w, const QPoint& p) {
    w.BeginArray().Int(p.x()).Int(p.y()).EndArray();
}

void Points(JsonWriter& w, const std::vector<QPoint>& points) {
    w.BeginArray();
    for (const QPoint& p : points) Point(w, p);
    w.EndArray();
}

const char* TypeName(int32_t type) {
    static const char* const names[] = {"Water", "Land", "Rock", "City", "Landmark"};
    return type >= 0 && type < 5 ? names[type] : "other";
}

std::string Num(double v) {
    return JsonWriter::ShortestDouble(v);
}

std::string Utf8(const QString& s) {
    return s.toUtf8().toStdString();
}

std::string Quote(const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    return JsonWriter::Quoted(std::string_view(utf8.constData(), size_t(utf8.size())));
}

}  // namespace

std::string LocationJson(const CTarnLocation& l) {
    JsonWriter w;
    w.BeginObject();
    w.Key("zoom").Double(l.zoom);
    w.Key("calibration").BeginObject();
    w.Key("lon1").Double(l.lon1).Key("lon2").Double(l.lon2);
    w.Key("lat1").Double(l.lat1).Key("lat2").Double(l.lat2);
    w.Key("x1").Double(l.x1).Key("x2").Double(l.x2);
    w.Key("y1").Double(l.y1).Key("y2").Double(l.y2);
    w.EndObject();
    w.Key("layers").BeginObject();
    w.Key("showMaps").Int(l.showMaps).Key("showMapPoints").Int(l.showMapPoints);
    w.Key("showRedLines").Int(l.showRedLines).Key("showUserPoints").Int(l.showUserPoints);
    w.Key("reservedFlag").Int(l.reservedFlag);
    w.EndObject();
    w.Key("extent").BeginArray().Int(l.maps.extentWidth).Int(l.maps.extentHeight).EndArray();

    w.Key("maps").BeginArray();
    for (const auto& e : l.maps.entries) {
        w.BeginObject();
        w.Key("fileName").String(e->fileName);
        w.Key("placement");
        Rect(w, e->placement);
        w.Key("reserved1").Int(e->reserved1).Key("reserved2").Int(e->reserved2);
        w.Key("loaded").Bool(e->HasImage());
        w.Key("width").Int(e->image.width).Key("height").Int(e->image.height);
        w.EndObject();
    }
    w.EndArray();

    w.Key("userInfoPoints").BeginArray();
    for (const auto& p : l.userInfoPoints.points) {
        w.BeginObject();
        w.Key("iconId").Int(p->iconId);
        w.Key("name").String(p->name).Key("info").String(p->info);
        w.Key("position");
        Point(w, p->position);
        w.Key("altitude").Int(p->altitude);
        w.Key("dateStatus").Int(p->date.status).Key("date").Double(p->date.dayCount);
        w.EndObject();
    }
    w.EndArray();

    w.Key("freeHands").BeginObject();
    w.Key("penWidth").Int(l.freeHands.penWidth).Key("penColor").Int(l.freeHands.penColor);
    w.Key("items").BeginArray();
    for (const auto& s : l.freeHands.items) {
        w.BeginObject();
        w.Key("bounds");
        Rect(w, s->bounds);
        w.Key("penWidth").Int(s->penWidth).Key("penColor").Int(s->penColor);
        w.Key("points");
        Points(w, s->points);
        w.EndObject();
    }
    w.EndArray().EndObject();

    w.Key("lineDraws").BeginObject();
    w.Key("penWidth").Int(l.lineDraws.penWidth).Key("penColor").Int(l.lineDraws.penColor);
    w.Key("reserved").Int(l.lineDraws.reserved);
    w.Key("items").BeginArray();
    for (const auto& d : l.lineDraws.items) {
        w.BeginObject();
        w.Key("bounds");
        Rect(w, d->bounds);
        w.Key("penWidth").Int(d->penWidth).Key("penColor").Int(d->penColor);
        w.Key("reserved").Int(d->reserved);
        w.Key("points");
        Points(w, d->points);
        w.EndObject();
    }
    w.EndArray().EndObject();

    w.Key("rectElipDraws").BeginObject();
    w.Key("penWidth").Int(l.rectElipDraws.penWidth).Key("penColor").Int(l.rectElipDraws.penColor);
    w.Key("reserved").Int(l.rectElipDraws.reserved);
    w.Key("items").BeginArray();
    for (const auto& r : l.rectElipDraws.items) {
        w.BeginObject();
        w.Key("rect");
        Rect(w, r->rect);
        w.Key("penWidth").Int(r->penWidth).Key("penColor").Int(r->penColor);
        w.Key("reserved").Int(r->reserved).Key("isEllipse").Int(r->isEllipse);
        w.EndObject();
    }
    w.EndArray().EndObject();

    w.Key("mapPoints").BeginArray();
    for (const auto& p : l.mapPoints.items) {
        w.BeginObject();
        w.Key("position");
        Point(w, p->position);
        w.Key("type").Int(p->type).Key("elevation").Int(p->elevation);
        w.Key("name").String(p->name).Key("info").String(p->info);
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return w.Text() + "\n";
}

std::string LocationSummary(const CTarnLocation& l, const QString& fileName) {
    std::string s;
    auto line = [&](const std::string& text) { s += text + "\n"; };
    line("Location " + Utf8(fileName));
    line("  zoom " + Num(l.zoom) + ", extent " + std::to_string(l.maps.extentWidth) + " x " +
         std::to_string(l.maps.extentHeight));
    line("  calibration: pixel (" + Num(l.x1) + ", " + Num(l.y1) + ") = N " + Num(l.lat1) + " W " +
         Num(l.lon1) + "; pixel (" + Num(l.x2) + ", " + Num(l.y2) + ") = N " + Num(l.lat2) + " W " +
         Num(l.lon2));
    QStringList shown;
    if (l.showMaps) shown << "maps";
    if (l.showMapPoints) shown << "map points";
    if (l.showRedLines) shown << "red lines";
    if (l.showUserPoints) shown << "user points";
    line("  layers shown: " + (shown.isEmpty() ? std::string("none") : Utf8(shown.join(", "))));

    line("Maps: " + std::to_string(l.maps.entries.size()));
    for (const auto& e : l.maps.entries) {
        const RectL& r = e->placement;
        line("  " + Quote(e->fileName) + " at (" + std::to_string(r.left) + ", " +
             std::to_string(r.top) + ", " + std::to_string(r.right) + ", " +
             std::to_string(r.bottom) + ") " +
             (e->HasImage()
                  ? std::to_string(e->image.width) + " x " + std::to_string(e->image.height)
                  : std::string("image missing")));
    }
    line("User info points: " + std::to_string(l.userInfoPoints.points.size()));
    for (const auto& p : l.userInfoPoints.points)
        line("  " + Quote(p->name) + " at (" + std::to_string(p->position.x()) + ", " +
             std::to_string(p->position.y()) + "), altitude " + std::to_string(p->altitude));
    line("Free-hand strokes: " + std::to_string(l.freeHands.items.size()));
    line("Lines: " + std::to_string(l.lineDraws.items.size()));
    line("Rectangles and ellipses: " + std::to_string(l.rectElipDraws.items.size()));
    line("Map points: " + std::to_string(l.mapPoints.items.size()));
    for (const auto& p : l.mapPoints.items)
        line("  " + std::string(TypeName(p->type)) + " " + Quote(p->name) + " at (" +
             std::to_string(p->position.x()) + ", " + std::to_string(p->position.y()) +
             "), elevation " + std::to_string(p->elevation));
    return s;
}
