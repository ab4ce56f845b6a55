#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks `fnm almanac` against PyEphem, an independent ephemeris.

For every day of a year at several latitudes, each rising, setting and
meridian passage of the sun and the moon that PyEphem finds must have one
of ours within the tolerance and the other way round, the moon's lit
fraction at noon must agree, and days of polar light and dark must be
reported as such. Prints the worst differences found.

usage: almanac_reference.py FNM [--year 2026] [--tolerance 120]
"""

import argparse
import datetime as dt
import json
import math
import subprocess
import sys

import ephem

LATITUDES = [0, 15, 30, 45, 60]
LONGITUDE_WEST = 93.6  # the program's convention: west positive
POLAR_LATITUDE = 70


def run_fnm(fnm, lat, lon_west, first, days):
    out = subprocess.run(
        [fnm, "almanac", "--lat", str(lat), "--lon", str(lon_west), "--from", first,
         "--days", str(days), "--zone", "UTC", "--json"],
        check=True, capture_output=True, text=True).stdout
    return json.loads(out)


def parse(text):
    if text is None:
        return None
    return dt.datetime.fromisoformat(text.replace("Z", "+00:00")).timestamp()


def to_unix(d):
    return (ephem.Date(d).datetime().replace(tzinfo=dt.timezone.utc)).timestamp()


def observer(lat, lon_west, horizon):
    o = ephem.Observer()
    o.lat = str(lat)
    o.lon = str(-lon_west)
    o.elevation = 0
    o.pressure = 0  # refraction is in the horizon, as ours
    o.horizon = horizon
    return o


def ephem_events(lat, lon_west, start, end, body, kind, horizon="-0:34", use_center=False):
    """Every event of one kind between two unix times."""
    o = observer(lat, lon_west, horizon)
    o.date = ephem.Date(dt.datetime.fromtimestamp(start, dt.timezone.utc).replace(tzinfo=None))
    events = []
    while True:
        try:
            if kind == "rise":
                t = o.next_rising(body, use_center=use_center)
            elif kind == "set":
                t = o.next_setting(body, use_center=use_center)
            elif kind == "transit":
                t = o.next_transit(body)
            else:
                t = o.next_antitransit(body)
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            o.date = ephem.Date(o.date + 1)
            if to_unix(o.date) >= end:
                break
            continue
        u = to_unix(t)
        if u >= end:
            break
        events.append(u)
        o.date = ephem.Date(t + ephem.minute)
    return events


def match(name, ours, theirs, start, end, tolerance, worst, failures):
    """Each event of either list inside [start, end) needs a partner."""
    def nearest(x, others):
        return min((abs(x - y) for y in others), default=math.inf)

    for label, a, b in (("ours", ours, theirs), ("PyEphem's", theirs, ours)):
        for x in a:
            if not start + tolerance <= x < end - tolerance:
                continue  # its partner may lie outside the year
            d = nearest(x, b)
            if d > worst[name][0]:
                worst[name] = (d, x)
            if d > tolerance:
                failures.append("%s: %s event at %s has no partner within %.0f s (nearest %.0f s)"
                                % (name, label, dt.datetime.fromtimestamp(x, dt.timezone.utc), tolerance, d))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("fnm")
    ap.add_argument("--year", type=int, default=2026)
    ap.add_argument("--tolerance", type=float, default=120.0)
    args = ap.parse_args()

    first = "%d-01-01" % args.year
    days = (dt.date(args.year + 1, 1, 1) - dt.date(args.year, 1, 1)).days
    start = dt.datetime(args.year, 1, 1, tzinfo=dt.timezone.utc).timestamp()
    end = start + days * 86400
    failures = []
    report = []
    fields = [
        ("sun rise", ephem.Sun(), "rise", lambda d: d["sun"]["rises"], {}),
        ("sun set", ephem.Sun(), "set", lambda d: d["sun"]["sets"], {}),
        ("sun transit", ephem.Sun(), "transit", lambda d: d["sun"]["noons"], {}),
        ("civil dawn", ephem.Sun(), "rise", lambda d: d["civil"]["dawns"],
         {"horizon": "-6", "use_center": True}),
        ("civil dusk", ephem.Sun(), "set", lambda d: d["civil"]["dusks"],
         {"horizon": "-6", "use_center": True}),
        ("moon rise", ephem.Moon(), "rise", lambda d: d["moon"]["rises"], {}),
        ("moon set", ephem.Moon(), "set", lambda d: d["moon"]["sets"], {}),
        ("moon transit", ephem.Moon(), "transit", lambda d: d["moon"]["transits"], {}),
        ("moon underfoot", ephem.Moon(), "antitransit", lambda d: d["moon"]["underfoots"], {}),
    ]
    for lat in LATITUDES:
        result = run_fnm(args.fnm, lat, LONGITUDE_WEST, first, days)
        worst = {f[0]: (0.0, None) for f in fields}
        worst["moon lit fraction"] = (0.0, None)
        count = 0
        for name, body, kind, get, extra in fields:
            ours = [parse(t) for d in result["days"] for t in get(d)]
            theirs = ephem_events(lat, LONGITUDE_WEST, start, end, body, kind, **extra)
            count += len(theirs)
            match(name, ours, theirs, start, end, args.tolerance, worst, failures)
        for d in result["days"]:
            noon = dt.datetime.fromisoformat(d["date"] + "T12:00:00")
            fraction = ephem.Moon(ephem.Date(noon)).moon_phase
            diff = abs(fraction - d["moon"]["illuminated"])
            if diff > worst["moon lit fraction"][0]:
                worst["moon lit fraction"] = (diff, d["date"])
            if diff > 0.01:
                failures.append("lat %d %s: lit fraction %.4f, PyEphem %.4f"
                                % (lat, d["date"], d["moon"]["illuminated"], fraction))
        report.append("latitude %2d N, %d PyEphem events:" % (lat, count))
        for name, (d, at) in worst.items():
            unit = "" if name == "moon lit fraction" else " s"
            report.append("    %-18s worst %8.3f%s" % (name, d, unit))

    # Polar light and dark: a month each side of the solstices at 70 N.
    result = run_fnm(args.fnm, POLAR_LATITUDE, LONGITUDE_WEST, first, days)
    polar = {"up all day": 0, "down all day": 0}
    for d in result["days"]:
        date = dt.date.fromisoformat(d["date"])
        expect = None
        if dt.date(args.year, 6, 1) <= date <= dt.date(args.year, 7, 10):
            expect = "up all day"
        if date >= dt.date(args.year, 12, 5) or date <= dt.date(args.year, 1, 5):
            expect = "down all day"
        if expect is None:
            continue
        if d["sun"]["state"] != expect or d["sun"]["rise"] or d["sun"]["set"]:
            failures.append("lat 70 %s: sun %s, expected %s" % (d["date"], d["sun"]["state"], expect))
        polar[expect] += 1
        # PyEphem agrees that the sun neither rises nor sets.
        o = observer(POLAR_LATITUDE, LONGITUDE_WEST, "-0:34")
        o.date = ephem.Date(dt.datetime.fromisoformat(d["date"] + "T00:00:00"))
        try:
            t = o.next_rising(ephem.Sun())
            if to_unix(t) < to_unix(o.date) + 86400:
                failures.append("lat 70 %s: PyEphem has a sunrise" % d["date"])
        except (ephem.AlwaysUpError, ephem.NeverUpError):
            pass
    report.append("latitude 70 N: %d days reported sun up all day, %d sun down all day"
                  % (polar["up all day"], polar["down all day"]))

    print("\n".join(report))
    for f in failures[:40]:
        print("FAIL", f)
    total_checks = len(LATITUDES) + 1
    print("%d passed, %d failed" % (total_checks - (1 if failures else 0), 1 if failures else 0))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
