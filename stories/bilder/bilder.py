#!/usr/bin/env python3
"""Zeichnet die drei Bilder der Geschichte "Das Herz der Turmuhr" als
PPM-Dateien (haus.ppm, onkel.ppm, turmuhr.ppm). bilder.sh macht daraus
JPEGs und packt sie mit velmo-term --pictures in uhrmacher.fg."""

import math
import sys

W, H = 240, 180


class Bild:
    def __init__(self, farbe):
        self.p = [[farbe] * W for _ in range(H)]

    def punkt(self, x, y, farbe):
        if 0 <= x < W and 0 <= y < H:
            self.p[int(y)][int(x)] = farbe

    def rechteck(self, x0, y0, x1, y1, farbe):
        for y in range(max(0, y0), min(H, y1)):
            for x in range(max(0, x0), min(W, x1)):
                self.p[y][x] = farbe

    def kreis(self, cx, cy, r, farbe, innen=0):
        for y in range(cy - r, cy + r + 1):
            for x in range(cx - r, cx + r + 1):
                d = math.hypot(x - cx, y - cy)
                if innen <= d <= r:
                    self.punkt(x, y, farbe)

    def linie(self, x0, y0, x1, y1, farbe, dicke=1):
        schritte = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(schritte + 1):
            t = i / schritte
            x = x0 + (x1 - x0) * t
            y = y0 + (y1 - y0) * t
            for dx in range(-dicke // 2, dicke // 2 + 1):
                for dy in range(-dicke // 2, dicke // 2 + 1):
                    self.punkt(x + dx, y + dy, farbe)

    def dreieck(self, a, b, c, farbe):
        xs = [a[0], b[0], c[0]]
        ys = [a[1], b[1], c[1]]

        def seite(p, q, r):
            return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0])

        for y in range(min(ys), max(ys) + 1):
            for x in range(min(xs), max(xs) + 1):
                s1, s2, s3 = seite(a, b, (x, y)), seite(b, c, (x, y)), seite(c, a, (x, y))
                if (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0):
                    self.punkt(x, y, farbe)

    def zifferblatt(self, cx, cy, r, stunde, minute):
        self.kreis(cx, cy, r, (235, 225, 190))
        self.kreis(cx, cy, r, (60, 50, 40), r - 2)
        for k in range(12):
            w = math.radians(k * 30)
            self.linie(cx + (r - 6) * math.sin(w), cy - (r - 6) * math.cos(w),
                       cx + (r - 2) * math.sin(w), cy - (r - 2) * math.cos(w), (60, 50, 40))
        ws = math.radians((stunde % 12) * 30 + minute / 2)
        wm = math.radians(minute * 6)
        self.linie(cx, cy, cx + r * 0.5 * math.sin(ws), cy - r * 0.5 * math.cos(ws), (30, 30, 30), 3)
        self.linie(cx, cy, cx + r * 0.8 * math.sin(wm), cy - r * 0.8 * math.cos(wm), (30, 30, 30), 2)

    def speichern(self, name):
        with open(name, "wb") as f:
            f.write(b"P6\n%d %d\n255\n" % (W, H))
            for zeile in self.p:
                f.write(bytes(c for farbe in zeile for c in farbe))


def haus():
    b = Bild((20, 25, 60))
    for k in range(40):
        b.punkt((k * 97) % W, (k * 53) % 70, (230, 230, 200))
    b.kreis(200, 30, 14, (240, 235, 190))
    b.rechteck(0, 150, W, H, (30, 60, 30))
    b.rechteck(80, 70, 160, 160, (150, 55, 40))
    b.dreieck((70, 72), (170, 72), (120, 35), (70, 40, 35))
    b.rechteck(108, 10, 132, 45, (130, 50, 38))
    b.dreieck((104, 12), (136, 12), (120, 0), (70, 40, 35))
    b.zifferblatt(120, 27, 9, 9, 0)
    for x in (92, 134):
        b.rechteck(x, 85, x + 14, 105, (240, 200, 90))
    b.rechteck(112, 125, 128, 160, (60, 35, 25))
    b.rechteck(40, 140, 44, 162, (40, 40, 40))
    b.rechteck(34, 132, 50, 142, (40, 110, 60))
    return b


def onkel():
    b = Bild((90, 60, 40))
    b.rechteck(20, 10, 220, 170, (60, 40, 28))
    b.rechteck(28, 18, 212, 162, (120, 100, 70))
    b.rechteck(70, 120, 170, 162, (30, 30, 40))
    b.kreis(120, 80, 36, (230, 190, 160))
    b.dreieck((88, 92), (152, 92), (120, 140), (245, 245, 240))
    b.kreis(106, 74, 4, (40, 40, 40))
    b.kreis(134, 74, 9, (180, 150, 60))
    b.kreis(134, 74, 6, (90, 110, 140))
    b.rechteck(90, 44, 150, 52, (245, 245, 240))
    return b


def turmuhr():
    b = Bild((25, 30, 70))
    b.rechteck(0, 150, W, H, (30, 60, 30))
    b.rechteck(70, 20, 170, 170, (140, 52, 40))
    b.dreieck((60, 22), (180, 22), (120, 0), (70, 40, 35))
    b.zifferblatt(120, 80, 40, 10, 10)
    b.rechteck(108, 135, 132, 170, (60, 35, 25))
    for k, farbe in enumerate(((240, 220, 120), (220, 220, 220), (200, 160, 120))):
        b.kreis(30 + k * 14, 160, 5, farbe)
    return b


if __name__ == "__main__":
    ordner = sys.argv[1] if len(sys.argv) > 1 else "."
    haus().speichern(ordner + "/haus.ppm")
    onkel().speichern(ordner + "/onkel.ppm")
    turmuhr().speichern(ordner + "/turmuhr.ppm")
