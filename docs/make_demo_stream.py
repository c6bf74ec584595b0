#!/usr/bin/env python3
"""Writes docs/demo-stream.txt: a made-up APRS-IS stream around Milan in which the weather
station DEMO-13 reports every few lines through an afternoon that turns calm, then stormy
(wind, gust, rain and humidity alarms), then clears. Every call sign is fictional: the Q
prefixes belong to no country. Run it again after changing it; the output is deterministic.

    python3 docs/make_demo_stream.py > docs/demo-stream.txt
"""

import random

rng = random.Random(13)
HOME = "4530.25N/00912.60E"  # DEMO-13
INET = ">APRS,TCPIP*,qAC,T2DEMO:"
GATED = ">APZ001,WIDE1-1,qAR,Q3DEF-10:"

# (direction deg, speed mph, gust mph, temp F, rain/h, rain 24h, since midnight (1/100 in),
#  humidity %, pressure tenths of mb) per report, in the order sent.
def weather_plan():
    plan = []
    # A mild afternoon, slowly cooling and getting damper.
    for i in range(9):
        plan.append((220 + 3 * i, 6 + i % 3, 11 + i % 4, 61 - i // 2, 0, 4, 0,
                     58 + i, 10132 - 3 * i))
    # Calm: the wind drops to nothing.
    for i in range(9):
        speed = [2, 1, 0, 0, 0, 0, 0, 1, 2][i]
        plan.append((200 if speed else 0, speed, speed + (1 if speed else 0), 56 - i // 3, 0, 4,
                     0, 68 + i, 10105 - 4 * i))
    # A storm front: wind veers and rises, gusts past 80 km/h (50 mph), rain past 40 mm/h
    # (r158 = 40.1 mm), humidity past 96 %, pressure falling.
    storm = [
        (240, 14, 24, 54, 5, 9, 5, 80, 10060),
        (250, 22, 38, 53, 22, 26, 22, 86, 10040),
        (260, 29, 47, 51, 61, 65, 61, 91, 10021),
        (270, 33, 55, 50, 118, 122, 118, 95, 10002),
        (275, 35, 58, 49, 171, 175, 171, 97, 9988),
        (280, 34, 56, 48, 190, 201, 197, 98, 9981),
        (280, 32, 53, 48, 176, 224, 220, 98, 9979),
        (285, 30, 51, 48, 163, 241, 237, 97, 9983),
        (290, 27, 46, 48, 120, 252, 248, 96, 9988),
        (295, 24, 41, 47, 77, 260, 256, 94, 9995),
        (300, 21, 36, 47, 40, 264, 260, 92, 10001),
        (305, 18, 30, 47, 14, 266, 262, 90, 10007),
        (305, 16, 27, 47, 3, 266, 262, 88, 10012),
        (310, 14, 24, 47, 0, 266, 262, 86, 10016),
    ]
    plan.extend(storm)
    # Clearing from the north-west, drying and rising pressure.
    for i in range(13):
        plan.append((315 + (i % 3) * 5, 12 - i // 2, 20 - i, 47 - i // 4, 0, 266, 262,
                     84 - 2 * i, 10020 + 5 * i))
    return plan


def weather_part(w):
    d, s, g, t, r, p, P, h, b = w
    return (f"{d:03d}/{s:03d}g{g:03d}t{t:03d}r{r:03d}p{p:03d}P{P:03d}h{h % 100:02d}b{b:05d}")


def report(i, w, minute):
    hh, mm = 15 + minute // 60, minute % 60
    wx = weather_part(w)
    kind = i % 4
    if kind == 0:
        info = f"!{HOME}_{wx}eDEMO Pluvetta"
    elif kind == 1:
        info = f"_1206{hh:02d}{mm:02d}c{wx.replace('/', 's', 1)}"
    elif kind == 2:
        info = f"@06{hh:02d}{mm:02d}z{HOME}_{wx}eDEMO"
    else:
        info = f"_1206{hh:02d}{mm:02d}c{wx.replace('/', 's', 1)}eDEMO"
    return "DEMO-13" + INET + info


def other_lines(minute):
    hh, mm = 15 + minute // 60, minute % 60
    # Q1ABC-9 and Q2XYZ-9 drive across town, a little further at every report.
    lat = 4522.40 + minute * 0.11
    lon = 906.80 + minute * 0.09
    lat2 = 4535.90 - minute * 0.08
    lon2 = 915.30 - minute * 0.06
    course, speed = rng.randint(1, 360), rng.randint(5, 70)
    seq = rng.randint(1, 999)
    wx_other = (f"_1206{hh:02d}{mm:02d}c{rng.randint(0, 359):03d}s{rng.randint(0, 9):03d}"
                f"g{rng.randint(5, 15):03d}t{rng.randint(50, 60):03d}r000p000P000"
                f"h{rng.randint(55, 75):02d}b{rng.randint(10080, 10120):05d}")
    return [
        f"Q1ABC-9{GATED}!{lat:07.2f}N/{lon:08.2f}E>{course:03d}/{speed:03d}/A=000390 In giro",
        f"Q2XYZ-9{INET}/06{hh:02d}{mm:02d}z{lat2:07.2f}N/{lon2:08.2f}E>{course:03d}/{speed:03d}",
        f"Q3DEF-10{INET}>Igate dimostrativo, solo ricezione",
        f"Q3DEF-10{INET}=4532.00N/00910.00EI PHG2360 Igate demo",
        f"Q4WX-2{INET}{wx_other}",
        f"Q4WX-2{INET}!4541.10N/00941.90E_{rng.randint(0, 359):03d}/{rng.randint(0, 9):03d}"
        f"g{rng.randint(5, 15):03d}t{rng.randint(50, 60):03d}r000p000P000h{rng.randint(55, 75):02d}"
        f"b{rng.randint(10080, 10120):05d}",
        f"Q5JKL{INET}:Q1ABC-9  :Ci vediamo alle {rng.randint(7, 9)}{{{seq}",
        f"Q1ABC-9{GATED}:Q5JKL    :ack{seq}",
        f"Q6MNO-11{INET}T#{seq:03d},{rng.randint(100, 140)},{rng.randint(0, 255):03d},"
        f"{rng.randint(0, 255):03d},000,255,01100000",
        f"Q7PQR{INET};RITROVO  *06{hh:02d}{mm:02d}z4529.00N/00913.00E;Ritrovo domenica",
        f"DEMO-1{INET}!{HOME}-Casa di DEMO, stessa stazione base",
        f"DEMO-13{INET}>Stazione meteo dimostrativa Pluvetta",
    ]


def main():
    out = ["Q3DEF-10" + INET + ">Igate dimostrativo, solo ricezione"]
    plan = weather_plan()
    minute = 0
    for i, w in enumerate(plan):
        out.append(report(i, w, minute))
        if i % 9 == 4:
            out.append(f"# T2DEMO demo server 6 Dec 2026 {15 + minute // 60:02d}:"
                       f"{minute % 60:02d}:00 GMT T2DEMO 127.0.0.1:14580")
        for line in rng.sample(other_lines(minute), rng.randint(5, 7)):
            out.append(line)
        minute += 2
    for line in out:
        print(line)


main()
