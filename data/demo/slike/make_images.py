#!/usr/bin/python3
"""Draws the demo attachments (scanned-form-like pictures) as grey PNG files.

Only zlib and struct are used, so the script runs on a bare Python.
Run from anywhere: python3 data/demo/slike/make_images.py
"""
import os
import struct
import zlib

# 5x7 glyphs, one hex number of five bits per row.
FONT = {
    'A': '0E11111F111111', 'B': '1E11111E11111E', 'C': '0E11101010110E',
    'D': '1E11111111111E', 'E': '1F10101E10101F', 'F': '1F10101E101010',
    'G': '0E11101711110F', 'H': '1111111F111111', 'I': '0E04040404040E',
    'J': '0702020202120C', 'K': '11121418141211', 'L': '1010101010101F',
    'M': '111B1515111111', 'N': '11111915131111', 'O': '0E11111111110E',
    'P': '1E11111E101010', 'R': '1E11111E141211', 'S': '0F10100E01011E',
    'T': '1F040404040404', 'U': '1111111111110E', 'V': '11111111110A04',
    'Z': '1F01020408101F', '0': '0E11131519110E',
    '1': '040C040404040E', '2': '0E11010204081F',
    '3': '1F02040201110E', '4': '02060A121F0202',
    '5': '1F101E0101110E', '6': '0608101E11110E', '7': '1F010204080808',
    '8': '0E11110E11110E', '9': '0E11110F01020C', '.': '00000000000C0C',
    '-': '0000001F000000', ':': '000C0C000C0C00', '/': '01010204081010',
    '(': '02040808080402', ')': '08040202020408', ' ': '00000000000000',
}

WHITE, PAPER, GREY, INK = 255, 246, 170, 30


class Canvas:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [bytearray([PAPER]) * width for _ in range(height)]

    def dot(self, x, y, c=INK):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def fill(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[y][x] = c

    def hline(self, x0, x1, y, c=INK):
        self.fill(x0, y, x1 + 1, y + 1, c)

    def vline(self, x, y0, y1, c=INK):
        self.fill(x, y0, x + 1, y1 + 1, c)

    def rect(self, x0, y0, x1, y1, c=INK):
        self.hline(x0, x1, y0, c)
        self.hline(x0, x1, y1, c)
        self.vline(x0, y0, y1, c)
        self.vline(x1, y0, y1, c)

    def circle(self, cx, cy, r, c=INK):
        for y in range(cy - r - 1, cy + r + 2):
            for x in range(cx - r - 1, cx + r + 2):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if (r - 1) ** 2 <= d <= r * r:
                    self.dot(x, y, c)

    def text(self, x, y, s, scale=1, c=INK):
        for ch in s.upper():
            rows = FONT[ch]
            for r in range(7):
                bits = int(rows[2 * r:2 * r + 2], 16)
                for col in range(5):
                    if bits & (0x10 >> col):
                        self.fill(x + col * scale, y + r * scale,
                                  x + (col + 1) * scale, y + (r + 1) * scale, c)
            x += 6 * scale

    def text_width(self, s, scale=1):
        return len(s) * 6 * scale - scale

    def centred(self, y, s, scale=1, c=INK):
        self.text((self.w - self.text_width(s, scale)) // 2, y, s, scale, c)

    def png(self):
        raw = b''.join(b'\x00' + bytes(row) for row in self.px)

        def chunk(kind, data):
            body = kind + data
            return (struct.pack('>I', len(data)) + body
                    + struct.pack('>I', zlib.crc32(body) & 0xFFFFFFFF))

        header = struct.pack('>IIBBBBB', self.w, self.h, 8, 0, 0, 0, 0)
        return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header)
                + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def digit_boxes(c, x, y, n, size=12):
    for i in range(n):
        c.rect(x + i * size, y, x + (i + 1) * size, y + size)


def form_page(c, code, subtitle):
    c.rect(4, 4, c.w - 5, c.h - 5)
    c.rect(6, 6, c.w - 7, c.h - 7, GREY)
    c.fill(7, 7, c.w - 7, 34, 215)
    c.text(14, 14, 'OBRAZAC', 2)
    c.text(c.w - 14 - c.text_width(code, 2), 14, code, 2)
    c.centred(44, subtitle)
    c.hline(12, c.w - 13, 56)


def pp_pdv_1():
    c = Canvas(400, 300)
    form_page(c, 'PP PDV', 'PORESKA PRIJAVA POREZA NA DODATU VREDNOST')
    labels = ['1. PIB', '2. NAZIV OBVEZNIKA', '3. SEDISTE I ADRESA',
              '4. PORESKI PERIOD OD', '5. PORESKI PERIOD DO']
    y = 70
    for i, label in enumerate(labels):
        c.text(16, y + 3, label)
        if i == 0:
            digit_boxes(c, 170, y, 9, 14)
        elif i >= 3:
            digit_boxes(c, 170, y, 8, 14)
        else:
            c.rect(170, y, 384, y + 14)
        y += 26
    c.hline(12, c.w - 13, y)
    c.text(16, y + 10, 'POPUNJAVA PORESKI ORGAN')
    c.fill(16, y + 24, 384, y + 60, 232)
    c.rect(16, y + 24, 384, y + 60, GREY)
    return c


def pp_pdv_2():
    c = Canvas(400, 300)
    form_page(c, 'PP PDV', 'PROMET DOBARA I USLUGA')
    c.rect(12, 64, 387, 290)
    for x in (52, 280):
        c.vline(x, 64, 290)
    c.text(20, 72, 'RED')
    c.text(60, 72, 'OPIS')
    c.text(300, 72, 'IZNOS')
    c.hline(12, 387, 86)
    rows = ['PROMET OSLOBODJEN', 'PROMET PO STOPI 20', 'PROMET PO STOPI 10',
            'PRETHODNI POREZ', 'UVOZ DOBARA', 'POREZ ZA UPLATU',
            'POREZ ZA POVRACAJ']
    y = 92
    for i, label in enumerate(rows, 1):
        c.text(22, y + 4, '%03d' % i)
        c.text(60, y + 4, label)
        digit_boxes(c, 286, y + 1, 8, 12)
        c.hline(12, 387, y + 26, GREY)
        y += 28
    return c


def pp_pdv_3():
    c = Canvas(400, 300)
    form_page(c, 'PP PDV', 'IZJAVA OBVEZNIKA')
    for i, y in enumerate(range(72, 150, 16)):
        c.hline(16, 384 - (i % 3) * 40, y, GREY)
    c.text(16, 180, 'MESTO I DATUM')
    c.hline(16, 160, 206)
    c.text(250, 180, 'POTPIS')
    c.hline(250, 384, 206)
    c.circle(200, 250, 34)
    c.circle(200, 250, 28, GREY)
    c.text(186, 247, 'M.P.')
    return c


def ppp_pd_2():
    c = Canvas(400, 300)
    form_page(c, 'PPP-PD', 'POJEDINACNA PORESKA PRIJAVA')
    cols = [12, 40, 120, 190, 260, 330, 387]
    c.rect(12, 64, 387, 284)
    for x in cols[1:-1]:
        c.vline(x, 64, 284)
    for i, head in enumerate(['RB', 'PRIMALAC', 'OSNOV', 'BRUTO', 'POREZ', 'DOPR']):
        c.text(cols[i] + 4, 70, head)
    c.hline(12, 387, 84)
    for y in range(104, 284, 20):
        c.hline(12, 387, y, GREY)
    for i, y in enumerate(range(89, 270, 20)):
        c.text(18, y, str(i + 1))
    return c


def ppp_pd_5():
    # Tall and narrow, like a scanned half page.
    c = Canvas(240, 400)
    c.rect(4, 4, c.w - 5, c.h - 5)
    c.fill(5, 5, c.w - 5, 32, 215)
    c.centred(12, 'PRILOG 5', 2)
    c.centred(44, 'SPECIFIKACIJA')
    c.centred(56, 'OBRACUNA')
    y = 80
    for label in ['PIB', 'PERIOD', 'BROJ LICA', 'IZNOS', 'POREZ', 'DOPRINOSI']:
        c.text(14, y + 3, label)
        digit_boxes(c, 110, y, 9, 12)
        y += 30
    c.hline(14, 226, y + 10, GREY)
    c.text(14, y + 30, 'POTPIS')
    c.hline(14, 226, y + 60)
    return c


IMAGES = {
    'pp-pdv-1.png': pp_pdv_1,
    'pp-pdv-2.png': pp_pdv_2,
    'pp-pdv-3.png': pp_pdv_3,
    'ppp-pd-2.png': ppp_pd_2,
    'ppp-pd-5.png': ppp_pd_5,
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in IMAGES.items():
        with open(os.path.join(here, name), 'wb') as f:
            f.write(draw().png())


if __name__ == '__main__':
    main()
