#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes millelacs-loop.nmea: a boat's loop on Mille Lacs Lake, one GGA and
# one RMC sentence a second for five minutes, starting 2026-06-21 12:00:00 UTC.
# Positions are whole ten-thousandths of a minute so the text is exact.
import math

def checksum(body):
    c = 0
    for ch in body.encode("ascii"):
        c ^= ch
    return "%02X" % c

def angle(value, degree_digits):
    d = int(value)
    minutes = round((value - d) * 60.0, 4)
    if minutes >= 60.0:
        d, minutes = d + 1, minutes - 60.0
    return "%0*d%07.4f" % (degree_digits, d, minutes)

centre_lat, centre_lon = 46.25, 93.62  # north, west
lines = []
count = 300
prev = None
for i in range(count):
    a = 2.0 * math.pi * i / count
    lat = centre_lat + 0.008 * math.sin(a)
    lon = centre_lon + 0.0115 * math.cos(a)
    s = 12 * 3600 + i
    t = "%02d%02d%02d.00" % (s // 3600, s // 60 % 60, s % 60)
    ele = 381.0 + 0.1 * (i % 10)
    la, lo = angle(lat, 2), angle(lon, 3)
    # Course and speed of the loop, as a receiver would give them.
    nxt_a = 2.0 * math.pi * (i + 1) / count
    dn = (0.008 * math.sin(nxt_a) - 0.008 * math.sin(a)) * 111320.0
    de = -(0.0115 * math.cos(nxt_a) - 0.0115 * math.cos(a)) * 111320.0 * math.cos(math.radians(lat))
    knots = math.hypot(dn, de) / 0.514444
    course = (math.degrees(math.atan2(de, dn)) + 360.0) % 360.0
    gga = "GPGGA,%s,%s,N,%s,W,1,08,0.9,%.1f,M,-28.0,M,," % (t, la, lo, ele)
    rmc = "GPRMC,%s,A,%s,N,%s,W,%.1f,%.1f,210626,,,A" % (t, la, lo, knots, course)
    lines.append("$%s*%s" % (gga, checksum(gga)))
    lines.append("$%s*%s" % (rmc, checksum(rmc)))
with open("millelacs-loop.nmea", "w", newline="\r\n") as f:
    f.write("\n".join(lines) + "\n")
