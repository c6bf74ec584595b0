#!/usr/bin/env python3
"""Writes APRS packet lines, as a monitor logs them, for timing the weather decoders:
    make_packets.py complete LINES > packets.txt
    make_packets.py mix LINES > packets.txt
complete: one station's complete reports (positionless, and positions with weather), every
value drawn at random over what stations send. mix: what a server passes on, every shape a
weather decoder meets: positionless reports, positions with weather with and without a time,
compressed positions, fields missing or filled with full stops, comments, and other stations'
traffic of no weather at all. The same LINES give the same file."""
import random
import sys

STATION = "Q1XYZ-13"
SOFTWARE = ["", "wRSW", "eMB51", "xDvs", "tU2k", "dUII", "L000AmbientCWOP.com", " Davis Vantage Pro2"]
PATHS = ["APRS,WIDE1-1,WIDE2-1", "APRS,TCPIP*,qAC,T2TEST", "APN391,WIDE2-2,qAR,Q3IGT",
         "APRS,qAS,Q4WXS"]
# The 91 printable characters of compressed positions.
BASE91 = "".join(chr(c) for c in range(33, 124))


def number(rnd, low, high, width):
    value = rnd.randint(low, high)
    return f"{value:0{width}d}" if value >= 0 else f"-{-value:0{width - 1}d}"


def position(rnd):
    lat = f"{rnd.randint(0, 89):02d}{rnd.randint(0, 59):02d}.{rnd.randint(0, 99):02d}{rnd.choice('NS')}"
    lon = f"{rnd.randint(0, 179):03d}{rnd.randint(0, 59):02d}.{rnd.randint(0, 99):02d}{rnd.choice('EW')}"
    return f"{lat}/{lon}"


def timestamp(rnd):
    return f"{rnd.randint(1, 28):02d}{rnd.randint(0, 23):02d}{rnd.randint(0, 59):02d}z"


def wind(rnd):
    return f"{rnd.randint(0, 360):03d}", f"{rnd.randint(0, 60):03d}"


def fields(rnd):
    """The tagged fields of a complete report after the wind, values drawn at random."""
    return [
        "g" + number(rnd, 0, 90, 3),
        "t" + number(rnd, -30, 115, 3),
        "r" + number(rnd, 0, 200, 3),
        "p" + number(rnd, 0, 400, 3),
        "P" + number(rnd, 0, 300, 3),
        "h" + f"{rnd.randint(0, 99):02d}",
        "b" + number(rnd, 9500, 10500, 5),
    ]


def complete(rnd):
    direction, speed = wind(rnd)
    tail = "".join(fields(rnd)) + rnd.choice(SOFTWARE)
    if rnd.random() < 0.5:
        return f"{STATION}>APRS,TCPIP*,qAC,T2TEST:_{rnd.randint(1, 12):02d}{rnd.randint(1, 28):02d}" \
               f"{rnd.randint(0, 23):02d}{rnd.randint(0, 59):02d}c{direction}s{speed}{tail}"
    return f"{STATION}>APRS,TCPIP*,qAC,T2TEST:@{timestamp(rnd)}{position(rnd)}_{direction}/{speed}{tail}"


def thinned(rnd, parts):
    """Some fields left out, some filled with full stops as stations do for a missing sensor."""
    kept = []
    for part in parts:
        roll = rnd.random()
        if roll < 0.15:
            continue
        kept.append(part[0] + "." * (len(part) - 1) if roll < 0.25 else part)
    return "".join(kept)


def weather_info(rnd):
    direction, speed = wind(rnd)
    if rnd.random() < 0.1:
        direction, speed = "...", "..."
    tail = thinned(rnd, fields(rnd)) + rnd.choice(SOFTWARE)
    shape = rnd.random()
    if shape < 0.3:
        return f"_{rnd.randint(1, 12):02d}{rnd.randint(1, 28):02d}{rnd.randint(0, 23):02d}" \
               f"{rnd.randint(0, 59):02d}c{direction}s{speed}{tail}"
    if shape < 0.55:
        return f"{rnd.choice('!=')}{position(rnd)}_{direction}/{speed}{tail}"
    if shape < 0.85:
        return f"{rnd.choice('@/')}{timestamp(rnd)}{position(rnd)}_{direction}/{speed}{tail}"
    # Compressed: the position in base 91, the symbol, then course, speed and type bytes.
    packed = "".join(rnd.choice(BASE91) for _ in range(8))
    return f"@{timestamp(rnd)}/{packed}_{''.join(rnd.choice(BASE91) for _ in range(2))}" \
           f"{rnd.choice('[CSG')}{tail}"


def other_info(rnd):
    """Traffic of no weather: status, messages, plain positions, objects, telemetry."""
    return rnd.choice([
        lambda: ">Net tonight at 2000 local on the club repeater",
        lambda: f":{rnd.choice(['Q9AAA-7 ', 'BLN1     ', 'Q2BB     '])}:See you there{{{rnd.randint(1, 99)}",
        lambda: f"!{position(rnd)}-PHG{rnd.randint(1000, 9999)}/Home station",
        lambda: f"={position(rnd)}>{rnd.randint(0, 360):03d}/{rnd.randint(0, 99):03d}/A={rnd.randint(0, 9999):06d}",
        lambda: f";LEADER   *{timestamp(rnd)}{position(rnd)}>Event on the green",
        lambda: f"T#{rnd.randint(0, 999):03d},{rnd.randint(0, 255)},{rnd.randint(0, 255)},0,0,0,00000000",
        lambda: "`(_fn\"Oj/]Mobile, with a _ in the comment",
    ])()


def mixed(rnd):
    call = f"Q{rnd.randint(1, 9)}{''.join(rnd.choice('ABCDEFGHIJKLMNOPQRSTUVWXYZ') for _ in range(3))}"
    call += rnd.choice(["", f"-{rnd.randint(1, 15)}"])
    info = weather_info(rnd) if rnd.random() < 0.6 else other_info(rnd)
    # A Mic-E position keeps its latitude in the destination.
    path = "T2SP0W,WIDE1-1" if info.startswith("`") else rnd.choice(PATHS)
    return f"{call}>{path}:{info}"


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("complete", "mix"):
        sys.exit(__doc__)
    rnd = random.Random(sys.argv[1])
    line = complete if sys.argv[1] == "complete" else mixed
    sys.stdout.writelines(line(rnd) + "\n" for _ in range(int(sys.argv[2])))


if __name__ == "__main__":
    main()
