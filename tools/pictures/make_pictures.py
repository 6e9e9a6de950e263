#!/usr/bin/env python3
"""Writes the program's pictures into resources/pictures/.

Glyphs are drawn on a 16 by 16 grid. Each menu picture is 32 by 32 with its glyph where the
menu shows it: the menu draws the picture 2 pixels right of and 6 pixels above the item's
corner and clips it to the 18-pixel item, so only rows 6 to 23 are ever seen.
Run it again after changing a glyph: python3 tools/pictures/make_pictures.py
"""
from pathlib import Path

OUT = Path(__file__).resolve().parents[2] / "resources" / "pictures"

INK = "#2b3440"
BLUE = "#1f5fa8"
BLUE_LIGHT = "#dbe6f3"
GREEN = "#2e9d4a"
RED = "#d23c3c"
AMBER = "#e5a823"
AMBER_DARK = "#a8701a"
AMBER_LIGHT = "#f6cd5f"
GREY = "#5b6b7d"

GLYPHS = {
    # Plik: a document with a folded corner.
    "file": f'''
<path d="M3.5 1.5h6l3 3v10h-9z" fill="#ffffff" stroke="{INK}" stroke-linejoin="round"/>
<path d="M9.5 1.5v3h3" fill="{BLUE_LIGHT}" stroke="{INK}" stroke-linejoin="round"/>
<path d="M5.5 7.5h5M5.5 9.5h5M5.5 11.5h3.5" stroke="{BLUE}" stroke-linecap="round"/>''',
    # Otwórz dane: an open folder.
    "open": f'''
<path d="M1.5 2.5h4.5l1.5 1.5h6v9.5h-12z" fill="{AMBER}" stroke="{AMBER_DARK}" stroke-linejoin="round"/>
<path d="M1.5 13.5l2.5-6.5h11.5l-2.5 6.5z" fill="{AMBER_LIGHT}" stroke="{AMBER_DARK}" stroke-linejoin="round"/>''',
    # Zapisz dane: a diskette.
    "save": f'''
<path d="M1.5 2.5a1 1 0 0 1 1-1h9.5l2.5 2.5v9.5a1 1 0 0 1-1 1h-11a1 1 0 0 1-1-1z" fill="{BLUE}" stroke="#173f70" stroke-linejoin="round"/>
<rect x="4" y="1.5" width="7" height="4.5" fill="#ffffff"/>
<rect x="8.5" y="2.3" width="1.6" height="2.9" fill="{BLUE}"/>
<rect x="3.5" y="8.5" width="9" height="6" rx="0.5" fill="{BLUE_LIGHT}"/>
<path d="M5 10.5h6M5 12.5h6" stroke="{GREY}" stroke-width="0.8"/>''',
    # Zapisz wykres: a chart with a diskette.
    "save-chart": f'''
<rect x="1.5" y="1.5" width="11" height="10" fill="#ffffff" stroke="{INK}"/>
<path d="M2.5 9l3-4 2.5 2.5 3.5-4.5" fill="none" stroke="{RED}" stroke-width="1.3" stroke-linejoin="round" stroke-linecap="round"/>
<rect x="8.5" y="8.5" width="7" height="7" rx="0.8" fill="{BLUE}" stroke="#173f70"/>
<rect x="10" y="8.5" width="4" height="2.4" fill="#ffffff"/>
<rect x="10" y="12.5" width="4" height="3" fill="{BLUE_LIGHT}"/>''',
    # Folder pomiarów: a folder holding a chart.
    "data-folder": f'''
<path d="M1.5 2.5h4.5l1.5 1.5h7v10h-13z" fill="{AMBER}" stroke="{AMBER_DARK}" stroke-linejoin="round"/>
<rect x="1.5" y="5.5" width="13" height="8.5" fill="{AMBER_LIGHT}" stroke="{AMBER_DARK}"/>
<path d="M3.5 12l2.5-3 2 1.8 3.5-4.3" fill="none" stroke="{RED}" stroke-width="1.3" stroke-linejoin="round" stroke-linecap="round"/>''',
    # Eksport do Excela: a spreadsheet with an arrow.
    "export": f'''
<rect x="1.5" y="1.5" width="11" height="13" fill="#ffffff" stroke="#1d6b34"/>
<rect x="1.5" y="1.5" width="11" height="3" fill="{GREEN}" stroke="#1d6b34"/>
<path d="M1.5 7.5h11M1.5 10.5h11M5.5 4.5v10M9 4.5v10" stroke="#1d6b34" stroke-width="0.7"/>
<path d="M9 11h5" stroke="{BLUE}" stroke-width="1.8" stroke-linecap="round"/>
<path d="M12.2 8.4l3.3 2.6-3.3 2.6z" fill="{BLUE}"/>''',
    # Koniec / Wyjdź: a door with an arrow out.
    "exit": f'''
<path d="M2.5 1.5h7v13h-7z" fill="{BLUE_LIGHT}" stroke="{INK}" stroke-linejoin="round"/>
<circle cx="7.5" cy="8.5" r="0.8" fill="{INK}"/>
<path d="M8 8h5.5" stroke="{RED}" stroke-width="1.8" stroke-linecap="round"/>
<path d="M11.8 5l3.7 3-3.7 3z" fill="{RED}"/>''',
    # Połączenie: a serial plug on its cable.
    "connection": f'''
<path d="M1.5 3.5h13l-1.8 6h-9.4z" fill="{GREY}" stroke="{INK}" stroke-linejoin="round"/>
<circle cx="4.5" cy="5.5" r="0.8" fill="#ffffff"/><circle cx="7" cy="5.5" r="0.8" fill="#ffffff"/>
<circle cx="9.5" cy="5.5" r="0.8" fill="#ffffff"/><circle cx="12" cy="5.5" r="0.8" fill="#ffffff"/>
<circle cx="5.8" cy="7.6" r="0.8" fill="#ffffff"/><circle cx="8.2" cy="7.6" r="0.8" fill="#ffffff"/><circle cx="10.6" cy="7.6" r="0.8" fill="#ffffff"/>
<path d="M8 9.5v2.5c0 1.5 1 2.5 2.5 2.5h4" fill="none" stroke="{BLUE}" stroke-width="1.6" stroke-linecap="round"/>''',
    # Pomiar: a dial with its needle.
    "measure": f'''
<circle cx="8" cy="8.5" r="6.5" fill="#ffffff" stroke="{INK}"/>
<path d="M3.6 8.5h1.4M8 4.1v1.4M12.4 8.5h-1.4M4.9 5.4l1 1M11.1 5.4l-1 1" stroke="{INK}" stroke-width="0.9" stroke-linecap="round"/>
<path d="M8 8.5l3-3.5" stroke="{RED}" stroke-width="1.5" stroke-linecap="round"/>
<circle cx="8" cy="8.5" r="1.2" fill="{INK}"/>
<path d="M5 12.5h6" stroke="{BLUE}" stroke-width="1.2" stroke-linecap="round"/>''',
    "start": f'''
<path d="M4 2l10 6-10 6z" fill="{GREEN}" stroke="#1d6b34" stroke-linejoin="round"/>''',
    "stop": f'''
<rect x="2.5" y="2.5" width="11" height="11" rx="1.5" fill="{RED}" stroke="#8f2525"/>''',
    # Pomoc (the menu): a question mark in a circle.
    "help": f'''
<circle cx="8" cy="8" r="7" fill="{BLUE}" stroke="#173f70"/>
<path d="M5.8 6.2a2.2 2.2 0 1 1 3.3 1.9c-.8.5-1.1 1-1.1 1.9" fill="none" stroke="#ffffff" stroke-width="1.7" stroke-linecap="round"/>
<circle cx="8" cy="12.2" r="1.05" fill="#ffffff"/>''',
    # Pomoc (the document): a handbook.
    "handbook": f'''
<rect x="4.5" y="2" width="9.5" height="13" rx="0.8" fill="#ffffff" stroke="#173f70"/>
<rect x="2.5" y="1" width="10" height="13" rx="1" fill="{BLUE}" stroke="#173f70"/>
<path d="M4.5 1.5v12" stroke="#173f70" stroke-opacity="0.6"/>
<path d="M6.9 5a1.7 1.7 0 1 1 2.5 1.5c-.6.4-.8.8-.8 1.5" fill="none" stroke="#ffffff" stroke-width="1.3" stroke-linecap="round"/>
<circle cx="8.6" cy="10.6" r="0.85" fill="#ffffff"/>''',
    # O producencie: an "i" in a circle.
    "about": f'''
<circle cx="8" cy="8" r="7" fill="{BLUE}" stroke="#173f70"/>
<rect x="7.1" y="6.8" width="1.8" height="5.6" rx="0.5" fill="#ffffff"/>
<circle cx="8" cy="4.6" r="1.1" fill="#ffffff"/>''',
    # Buttons only.
    "set": f'''
<path d="M3 8.5l3.2 3.2 6.8-7.2" fill="none" stroke="{GREEN}" stroke-width="2.3" stroke-linecap="round" stroke-linejoin="round"/>''',
    "clock": f'''
<circle cx="7" cy="8" r="5.8" fill="#ffffff" stroke="{INK}"/>
<path d="M7 4.5v3.5l2.3 1.5" fill="none" stroke="{INK}" stroke-width="1.2" stroke-linecap="round"/>
<circle cx="12.5" cy="12.5" r="3" fill="{GREEN}"/>
<path d="M12.5 10.9v3.2M10.9 12.5h3.2" stroke="#ffffff" stroke-width="1.2" stroke-linecap="round"/>''',
    "clear": f'''
<path d="M8.5 2.5l5 5-6 6h-4l-2-2z" fill="#f0a0a8" stroke="#8f2525" stroke-linejoin="round"/>
<path d="M5 6l5 5" stroke="#8f2525"/>
<path d="M7.5 13.5h7" stroke="{INK}" stroke-linecap="round"/>''',
    "refresh": f'''
<path d="M13 6.5a5.2 5.2 0 0 0-9.6-1.3" fill="none" stroke="{BLUE}" stroke-width="1.7" stroke-linecap="round"/>
<path d="M13.8 2.5v4.5h-4.5z" fill="{BLUE}"/>
<path d="M3 9.5a5.2 5.2 0 0 0 9.6 1.3" fill="none" stroke="{BLUE}" stroke-width="1.7" stroke-linecap="round"/>
<path d="M2.2 13.5v-4.5h4.5z" fill="{BLUE}"/>''',
    "download": f'''
<path d="M8 1.5v7.5" stroke="{BLUE}" stroke-width="2" stroke-linecap="round"/>
<path d="M4.2 6.5l3.8 4.2 3.8-4.2z" fill="{BLUE}"/>
<path d="M2 10.5v3h12v-3" fill="none" stroke="{INK}" stroke-width="1.4" stroke-linejoin="round"/>''',
    "erase": f'''
<path d="M3.5 4.5h9l-1 10h-7z" fill="{BLUE_LIGHT}" stroke="{INK}" stroke-linejoin="round"/>
<path d="M2 4h12M6 2.5h4" stroke="{INK}" stroke-width="1.3" stroke-linecap="round"/>
<path d="M6.3 7v5.5M9.7 7v5.5" stroke="{RED}" stroke-width="1.1" stroke-linecap="round"/>''',
}

MENU = ["file", "open", "save", "save-chart", "data-folder", "export", "exit", "connection",
        "measure", "start", "stop", "help", "handbook", "about"]


def svg(width, height, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">{body}\n</svg>\n')


def glyph(name):
    return f'<g stroke-width="1">{GLYPHS[name]}\n</g>'


def write(name, text):
    (OUT / f"{name}.svg").write_text(text)


def flags():
    # 24 by 16 flags in the visible band of a menu picture.
    frame = '<rect x="4.5" y="7.5" width="23" height="15" fill="none" stroke="#7a7a7a"/>'
    pl = ('<rect x="4" y="7" width="24" height="8" fill="#ffffff"/>'
          '<rect x="4" y="15" width="24" height="8" fill="#dc143c"/>')
    de = ('<rect x="4" y="7" width="24" height="5.34" fill="#000000"/>'
          '<rect x="4" y="12.33" width="24" height="5.34" fill="#dd0000"/>'
          '<rect x="4" y="17.66" width="24" height="5.34" fill="#ffce00"/>')
    gb = ('<rect x="4" y="7" width="24" height="16" fill="#012169"/>'
          '<path d="M4 7l24 16M28 7l-24 16" stroke="#ffffff" stroke-width="3.2"/>'
          '<path d="M4 7l12 8M28 23l-12-8" stroke="#c8102e" stroke-width="1.1"/>'
          '<path d="M28 7l-12 8M4 23l12-8" stroke="#c8102e" stroke-width="1.1"/>'
          '<path d="M16 7v16M4 15h24" stroke="#ffffff" stroke-width="5"/>'
          '<path d="M16 7v16M4 15h24" stroke="#c8102e" stroke-width="3"/>')
    for name, body in (("flag-pl", pl), ("flag-de", de), ("flag-gb", gb)):
        write(name, svg(32, 32, body + frame))


KEY_SYMBOLS = {
    "onoff": ('<path d="M6.6 6.7a4.6 4.6 0 1 0 6.8 0" fill="none" stroke="#ffd2d2" '
              'stroke-width="1.8" stroke-linecap="round"/>'
              '<path d="M10 4.6v5" stroke="#ffd2d2" stroke-width="1.8" stroke-linecap="round"/>',
              "#c0392b", "#8e2a20"),
    "zero": ('<ellipse cx="10" cy="10" rx="2.4" ry="3.6" fill="none" stroke="#ffffff" stroke-width="1.6"/>'
             '<path d="M2.8 7.6l2.7 2.4-2.7 2.4zM17.2 7.6l-2.7 2.4 2.7 2.4z" fill="#ffffff"/>',
             "#3d6fb0", "#284d7e"),
    "peak": ('<path d="M3.6 15l4-7.5 2.6 4 2.2-6.8 4 10.3" fill="none" stroke="#ffffff" '
             'stroke-width="1.6" stroke-linejoin="round" stroke-linecap="round"/>'
             '<path d="M9.4 4.4h6.2" stroke="#ffe08a" stroke-width="1.4" stroke-linecap="round"/>',
             "#4b5a6c", "#323d4a"),
    "mem": ('<rect x="5.5" y="4.5" width="9" height="11" rx="1" fill="none" stroke="#ffffff" stroke-width="1.4"/>'
            '<path d="M7.5 7.5h5M7.5 10h5M7.5 12.5h3" stroke="#ffffff" stroke-width="1.2" stroke-linecap="round"/>',
            "#4b5a6c", "#323d4a"),
    "standby": ('<path d="M12.8 4.6a5.6 5.6 0 1 0 2.6 8.6 4.6 4.6 0 1 1-2.6-8.6z" fill="#ffe08a"/>',
                "#4b5a6c", "#323d4a"),
}


def keys():
    for name, (symbol, top, bottom) in KEY_SYMBOLS.items():
        body = (f'<defs><linearGradient id="k" x1="0" y1="0" x2="0" y2="1">'
                f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
                f'</linearGradient></defs>'
                f'<rect x="0.5" y="0.5" width="19" height="19" rx="4" fill="url(#k)" stroke="#12161c"/>'
                f'<path d="M3 1.8h14" stroke="#ffffff" stroke-opacity="0.35" stroke-linecap="round"/>'
                f'{symbol}')
        write(f"key-{name}", svg(20, 20, body))


# Key places on the instrument picture (its 128 by 80 frame); the main window puts the five
# clickable keys at the same places.
KEY_X = [8, 31, 54, 77, 100]
KEY_Y = 50


def instrument():
    recesses = "".join(
        f'<rect x="{x - 0.5}" y="{KEY_Y - 0.5}" width="21" height="21" rx="4.5" fill="#11151a"/>'
        f'<rect x="{x + 2}" y="{KEY_Y + 2}" width="16" height="16" rx="3" fill="#1d232b"/>'
        for x in KEY_X)
    body = (
        '<defs>'
        '<linearGradient id="shell" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#e9edf2"/><stop offset="1" stop-color="#b7c0cb"/></linearGradient>'
        '<linearGradient id="lcd" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#c9e2b5"/><stop offset="1" stop-color="#a6c98f"/></linearGradient>'
        '</defs>'
        '<rect x="0.5" y="0.5" width="127" height="79" rx="9" fill="url(#shell)" stroke="#6b7785"/>'
        '<rect x="3" y="3" width="122" height="74" rx="7" fill="none" stroke="#ffffff" stroke-opacity="0.7"/>'
        '<rect x="7" y="6" width="114" height="36" rx="4" fill="#2a323c"/>'
        '<rect x="11" y="10" width="106" height="28" rx="2" fill="url(#lcd)"/>'
        '<text x="88" y="31" font-family="Liberation Mono" font-size="18" font-weight="bold" '
        'text-anchor="end" fill="#27361f">0.00</text>'
        '<text x="92" y="31" font-family="Liberation Sans" font-size="10" font-weight="bold" '
        'fill="#27361f">N</text>'
        '<text x="14" y="19" font-family="Liberation Sans" font-size="6" fill="#3d5232">PEAK</text>'
        '<rect x="5" y="46" width="118" height="28" rx="5" fill="#3a4452"/>'
        + recesses)
    write("instrument", svg(128, 80, body))


def logo():
    body = (
        '<defs><linearGradient id="m" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#2f7fd6"/><stop offset="1" stop-color="#173f70"/>'
        '</linearGradient></defs>'
        '<rect x="2" y="6" width="44" height="44" rx="10" fill="url(#m)"/>'
        '<path d="M11 38a15 15 0 1 1 26 0" fill="none" stroke="#ffffff" stroke-width="3.2" stroke-linecap="round"/>'
        '<path d="M24 33l8.5-11" stroke="#ffb23e" stroke-width="3.4" stroke-linecap="round"/>'
        '<circle cx="24" cy="33" r="3.4" fill="#ffffff"/>'
        '<path d="M13 18.5l2 1.6M24 13v2.6M35 18.5l-2 1.6" stroke="#ffffff" stroke-width="2" stroke-linecap="round"/>'
        '<text x="54" y="32" font-family="Liberation Sans" font-size="25" font-weight="bold" '
        'fill="#173f70" letter-spacing="0.5">ZENTO</text>'
        '<text x="54" y="48" font-family="Liberation Sans" font-size="13" font-weight="bold" '
        'fill="#2f7fd6" letter-spacing="4.4">FM</text>'
        '<path d="M84 44h56" stroke="#2f7fd6" stroke-width="1.6" stroke-linecap="round"/>')
    write("logo", svg(146, 56, body))


def app_icon():
    body = (
        '<defs><linearGradient id="m" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#2f7fd6"/><stop offset="1" stop-color="#173f70"/>'
        '</linearGradient></defs>'
        '<rect x="2" y="2" width="60" height="60" rx="13" fill="url(#m)"/>'
        '<path d="M14 47a20 20 0 1 1 36 0" fill="none" stroke="#ffffff" stroke-width="4.4" stroke-linecap="round"/>'
        '<path d="M32 41l11.5-15" stroke="#ffb23e" stroke-width="4.8" stroke-linecap="round"/>'
        '<circle cx="32" cy="41" r="4.6" fill="#ffffff"/>')
    write("app-icon", svg(64, 64, body))


def splash():
    curve = "M24 282 C70 282 86 214 122 214 S170 262 206 246 S262 150 300 158 S364 226 404 200 S444 170 466 176"
    grid = "".join(f'<path d="M{x} 120v186" stroke="#ffffff" stroke-opacity="0.07"/>' for x in range(24, 470, 36))
    grid += "".join(f'<path d="M24 {y}h442" stroke="#ffffff" stroke-opacity="0.07"/>' for y in range(126, 310, 30))
    body = (
        '<defs>'
        '<linearGradient id="bg" x1="0" y1="0" x2="0.6" y2="1">'
        '<stop offset="0" stop-color="#123865"/><stop offset="1" stop-color="#0a1d36"/></linearGradient>'
        '<linearGradient id="m" x1="0" y1="0" x2="1" y2="1">'
        '<stop offset="0" stop-color="#3d8fe6"/><stop offset="1" stop-color="#1b4a85"/></linearGradient>'
        '<linearGradient id="fill" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#3d8fe6" stop-opacity="0.35"/>'
        '<stop offset="1" stop-color="#3d8fe6" stop-opacity="0"/></linearGradient>'
        '</defs>'
        '<rect width="490" height="345" fill="url(#bg)"/>'
        + grid +
        f'<path d="{curve} L466 306 L24 306 Z" fill="url(#fill)"/>'
        f'<path d="{curve}" fill="none" stroke="#ffb23e" stroke-width="2.6" stroke-linecap="round"/>'
        '<path d="M24 222h442" stroke="#6fd38a" stroke-width="1.2" stroke-dasharray="6 5" stroke-opacity="0.8"/>'
        '<g transform="translate(30 30)">'
        '<rect x="0" y="0" width="66" height="66" rx="15" fill="url(#m)"/>'
        '<path d="M13 54a22 22 0 1 1 40 0" fill="none" stroke="#ffffff" stroke-width="4.6" stroke-linecap="round"/>'
        '<path d="M33 47l12.5-16" stroke="#ffb23e" stroke-width="5" stroke-linecap="round"/>'
        '<circle cx="33" cy="47" r="5" fill="#ffffff"/>'
        '</g>'
        '<text x="112" y="72" font-family="Liberation Sans" font-size="44" font-weight="bold" '
        'fill="#ffffff" letter-spacing="1">ZENTO FM</text>'
        '<text x="114" y="96" font-family="Liberation Sans" font-size="13" fill="#b9d3f2" '
        'letter-spacing="0.6">Siłomierze · Force gauges · Kraftmessgeräte</text>'
        '<text x="466" y="331" font-family="Liberation Sans" font-size="11" fill="#b9d3f2" '
        'text-anchor="end">2.14</text>')
    write("splash", svg(490, 345, body))


def main():
    OUT.mkdir(parents=True, exist_ok=True)
    for name in GLYPHS:
        write(f"icon-{name}", svg(16, 16, glyph(name)))
    for name in MENU:
        write(f"menu-{name}", svg(32, 32, f'<g transform="translate(5 7)">{glyph(name)}</g>'))
    flags()
    keys()
    instrument()
    logo()
    app_icon()
    splash()


if __name__ == "__main__":
    main()
