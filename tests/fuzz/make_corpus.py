#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora into tests/fuzz/corpus/: real weather fields (one per
shape of /work/shared/data/aprs-weather-fields.txt or the file named as the first argument),
lines of the demo stream, AGWPE frames as an engine sends them, command lines, alarms files.
Run it again only to change the seeds; the corpora are checked in."""
import hashlib, os, re, struct, sys

here = os.path.dirname(os.path.abspath(__file__))
fields_file = sys.argv[1] if len(sys.argv) > 1 else "/work/shared/data/aprs-weather-fields.txt"


def write(target, data):
    folder = os.path.join(here, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, hashlib.sha1(data).hexdigest()[:16]), "wb") as f:
        f.write(data)


def lines_of(path):
    with open(path, "rb") as f:
        return [line.rstrip(b"\r\n") for line in f if line.strip()]


def agw_frame(kind, call=b"", data=b""):
    header = bytearray(36)
    header[4] = ord(kind)
    header[8:8 + len(call[:10])] = call[:10]
    header[28:32] = struct.pack("<I", len(data))
    return bytes(header) + data


def monitor_frame(line):
    header, _, info = line.partition(b":")
    source, _, route = header.partition(b">")
    dest, _, via = route.partition(b",")
    text = b" 1:Fm " + source + b" To " + dest + (b" Via " + via if via else b"")
    text += b" <UI pid=F0 Len=%d >[12:00:00]\r" % len(info) + info + b"\r"
    return agw_frame("U", source, text)


def chunks(data, link):
    # Monitor target: a control byte (length << 2 | link) before each piece of at most 63 bytes.
    return b"".join(bytes([len(data[i:i + 63]) << 2 | link]) + data[i:i + 63]
                    for i in range(0, len(data), 63))


shapes = {}
for field in lines_of(fields_file):
    shapes.setdefault(re.sub(rb"\.+", b".", re.sub(rb"[0-9]", b"9", field)), field)
for field in shapes.values():
    write("decoder", field)

demo = lines_of(os.path.join(here, "..", "..", "docs", "demo-stream.txt"))
for i in range(0, 40, 4):
    stream = b"".join(line + b"\r\n" for line in demo[i:i + 4])
    frames = b"".join(monitor_frame(line) for line in demo[i:i + 4])
    write("line_splitter", bytes([3, 0, 17, 1, 255, 7, 0, 2]) + stream)
    write("line_splitter", bytes([35, 0, 1, 36, 200, 3, 9, 0]) + frames)
    write("monitor", chunks(stream, 0))
    write("monitor", chunks(frames, 1) + bytes([2]))
version = struct.pack("<HHHH", 2005, 0, 127, 0)
write("monitor", chunks(agw_frame("R", b"", version) + agw_frame("G", b"", b"1;Port1 demo;"), 1))
write("monitor", chunks(b"# logresp DEMO unverified\r\n" + demo[1] + b"\r\n", 0))
write("line_splitter", bytes([0] * 8) + b"a\rb\r\n\r\n" + b"x" * 300 + b"\n\r\n")
write("line_splitter", bytes([0] * 8) + agw_frame("U", b"Q1XYZ", b"") + b"\xff" * 40)

for line in [b"Q1XYZ-13", b"q1xyz A:localhost:8000 SAVE", b"  Q1XYZ-13   S:rotate.aprs2.net:14580 ",
             b"Q1XYZ 127.0.0.1:8001", b"VERYLONGCALLSIGN", b"Q1XYZ S:host:70000 save", b""]:
    write("command_line", line)

write("alarms_file", b"#FALSE#,#TRUE#,#TRUE#,#TRUE#\r\n-5,40,20,96\r\n900,1040,40,250\r\n50,80\r\n")
write("alarms_file", b" #TRUE# ,#TRUE#,#TRUE#,#FALSE#\n-12.5,35.25,20.5,99\r980.4,1.0305e3,.5,120.75\r\n45.1, 88.8")
