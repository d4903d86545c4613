#!/usr/bin/env python3
"""Draws the image-button picture sets of Reservium as SVG files under data/pictures and lists
them in data/pictures/pictures.qrc.

Every set shares one style: a 32 x 32 drawing of flat shapes with a dark outline, one accent
colour per button. The states are
  0  disabled: the same drawing in greys,
  1  normal,
  2  hover of a forward or toolbar button, 3 hover of a back button: the normal drawing on a
     light, framed tile.
Run it again after changing a glyph:  scripts/make-pictures.py
"""

from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
OUT = ROOT / "data" / "pictures"

# Colours of a state: outline, light fill, accent, second accent, paper.
NORMAL = dict(S="#2b3a4e", F="#e9eef5", A="#2f6fb5", B="#d9892b", G="#2e8b57", R="#c0392b",
              P="#ffffff")
GREY = dict(S="#9aa0a6", F="#eceef0", A="#b3b8bd", B="#c4c8cc", G="#b3b8bd", R="#b3b8bd",
            P="#f7f7f7")

TILE = ('<rect x="0.75" y="0.75" width="30.5" height="30.5" rx="4" fill="#dce9f8" '
        'stroke="#6f9fd8" stroke-width="1.5"/>')

LINE = 'stroke="{S}" stroke-width="1.6" stroke-linejoin="round" stroke-linecap="round"'


def sheet(c, corner=True):
    """A sheet of paper with a folded corner, the base of the document glyphs."""
    if corner:
        return (f'<path d="M8 3.5h11l6 6v19h-17z" fill="{c["P"]}" {LINE.format(**c)}/>'
                f'<path d="M19 3.5v6h6" fill="{c["F"]}" {LINE.format(**c)}/>')
    return f'<rect x="7" y="3.5" width="18" height="25" rx="1" fill="{c["P"]}" {LINE.format(**c)}/>'


def g_new(c):
    return (sheet(c)
            + f'<circle cx="22.5" cy="23.5" r="6" fill="{c["G"]}" stroke="{c["P"]}" stroke-width="1.2"/>'
            + f'<path d="M22.5 20.2v6.6M19.2 23.5h6.6" stroke="{c["P"]}" stroke-width="2" stroke-linecap="round"/>')


def g_open(c):
    return (f'<path d="M3.5 9.5v16h22l3-11h-19l-3 11" fill="none" {LINE.format(**c)}/>'
            f'<path d="M3.5 25.5v-17h7l2 2.5h11v3.5" fill="{c["F"]}" {LINE.format(**c)}/>'
            f'<path d="M6.5 25.5l3-11h19l-3 11z" fill="{c["B"]}" {LINE.format(**c)}/>')


def g_legend(c):
    # A drawing sheet with its title block filled in.
    lines = "".join(f'<path d="M{x1} {y}h{w}" stroke="{c["S"]}" stroke-width="1.2"/>'
                    for x1, y, w in ((15, 21.5, 9), (15, 24.5, 6), (9, 8, 10), (9, 11, 13), (9, 14, 8)))
    return (f'<rect x="5" y="3.5" width="22" height="25" rx="1" fill="{c["P"]}" {LINE.format(**c)}/>'
            f'<rect x="13" y="18.5" width="14" height="10" fill="{c["F"]}" {LINE.format(**c)}/>'
            f'<path d="M13 18.5h14" stroke="{c["A"]}" stroke-width="2.4"/>' + lines)


def g_help(c):
    return (f'<circle cx="16" cy="16" r="12.5" fill="{c["A"]}" {LINE.format(**c)}/>'
            f'<path d="M11.8 12.6a4.3 4.3 0 1 1 6.2 3.9c-1.3.7-2 1.5-2 3v1" fill="none" '
            f'stroke="{c["P"]}" stroke-width="2.6" stroke-linecap="round"/>'
            f'<circle cx="16" cy="24.2" r="1.7" fill="{c["P"]}"/>')


def g_save(c):
    return (f'<path d="M4.5 4.5h19l4 4v19h-23z" fill="{c["A"]}" {LINE.format(**c)}/>'
            f'<rect x="9" y="4.5" width="12" height="8" fill="{c["P"]}" {LINE.format(**c)}/>'
            f'<rect x="16.5" y="6" width="2.6" height="5" fill="{c["S"]}"/>'
            f'<rect x="8" y="17" width="16" height="10.5" fill="{c["P"]}" {LINE.format(**c)}/>'
            f'<path d="M11 21h10M11 24h7" stroke="{c["S"]}" stroke-width="1.2"/>')


def g_calculator(c):
    keys = ""
    for row in range(3):
        for col in range(3):
            keys += (f'<rect x="{9.5 + col * 4.7:.1f}" y="{14.5 + row * 4.3:.1f}" width="3.4" '
                     f'height="3" rx="0.6" fill="{c["S"] if (row, col) != (2, 2) else c["B"]}"/>')
    return (f'<rect x="7" y="3.5" width="18" height="25" rx="2" fill="{c["F"]}" {LINE.format(**c)}/>'
            f'<rect x="9.5" y="6.5" width="13" height="5.5" rx="0.8" fill="{c["G"]}" '
            f'stroke="{c["S"]}" stroke-width="1.2"/>' + keys)


def g_settings(c):
    # A gear: eight teeth round a ring.
    import math
    pts = []
    for i in range(16):
        a0 = math.radians(i * 22.5 - 6)
        a1 = math.radians(i * 22.5 + 6)
        r = 13 if i % 2 == 0 else 10
        pts.append((16 + r * math.cos(a0), 16 + r * math.sin(a0)))
        pts.append((16 + r * math.cos(a1), 16 + r * math.sin(a1)))
    d = "M" + " L".join(f"{x:.2f} {y:.2f}" for x, y in pts) + " Z"
    return (f'<path d="{d}" fill="{c["A"]}" {LINE.format(**c)}/>'
            f'<circle cx="16" cy="16" r="4.2" fill="{c["P"]}" {LINE.format(**c)}/>')


def g_print(c):
    return (f'<rect x="9" y="3.5" width="14" height="9" fill="{c["P"]}" {LINE.format(**c)}/>'
            f'<rect x="3.5" y="11.5" width="25" height="11" rx="2" fill="{c["F"]}" {LINE.format(**c)}/>'
            f'<circle cx="24.5" cy="15" r="1.2" fill="{c["G"]}"/>'
            f'<rect x="9" y="18.5" width="14" height="10" fill="{c["P"]}" {LINE.format(**c)}/>'
            f'<path d="M12 22h8M12 25h6" stroke="{c["A"]}" stroke-width="1.4"/>')


def g_detail(c):
    # A sheet with a reinforced section (outline and bars) and a pencil across it.
    bars = "".join(f'<circle cx="{x}" cy="{y}" r="1.3" fill="{c["R"]}"/>'
                   for x, y in ((8.5, 15.5), (14, 15.5), (19.5, 15.5), (8.5, 22), (19.5, 22)))
    return (f'<rect x="3.5" y="6.5" width="22" height="21" rx="1" fill="{c["P"]}" {LINE.format(**c)}/>'
            f'<rect x="6" y="13" width="16" height="11.5" fill="none" stroke="{c["S"]}" stroke-width="1.2"/>'
            + bars
            + f'<path d="M17 19l10-12.5 3 2.4-10 12.5-3.6 1.1z" fill="{c["B"]}" {LINE.format(**c)}/>'
            f'<path d="M25 9l3 2.4" stroke="{c["S"]}" stroke-width="1.2"/>')


def g_forward(c):
    return (f'<path d="M4 12.5h13v-6.5l11 10-11 10v-6.5h-13z" fill="{c["A"]}" {LINE.format(**c)}/>')


def g_back(c):
    return (f'<path d="M28 12.5h-13v-6.5l-11 10 11 10v-6.5h13z" fill="{c["A"]}" {LINE.format(**c)}/>')


def g_confirm(c):
    return (f'<circle cx="16" cy="16" r="12.5" fill="{c["G"]}" {LINE.format(**c)}/>'
            f'<path d="M9.5 16.5l4.5 4.5 8.5-9.5" fill="none" stroke="{c["P"]}" stroke-width="3" '
            f'stroke-linecap="round" stroke-linejoin="round"/>')


def g_restore(c):
    # Factory settings back: a circular arrow round a small gear hub.
    return (f'<path d="M25.5 16a9.5 9.5 0 1 1-3.2-7.1" fill="none" stroke="{c["A"]}" '
            f'stroke-width="3.2" stroke-linecap="round"/>'
            f'<path d="M18.5 4.5l7.5 1.3-2.3 7.2z" fill="{c["A"]}" stroke="{c["A"]}" '
            f'stroke-width="1.2" stroke-linejoin="round"/>'
            f'<circle cx="16" cy="16" r="3.4" fill="{c["F"]}" {LINE.format(**c)}/>')


def g_camera(c):
    return (f'<path d="M3.5 10.5h6l2.5-3.5h8l2.5 3.5h6v15h-25z" fill="{c["F"]}" {LINE.format(**c)}/>'
            f'<circle cx="16" cy="17.5" r="5.5" fill="{c["A"]}" {LINE.format(**c)}/>'
            f'<circle cx="16" cy="17.5" r="2.2" fill="{c["P"]}"/>'
            f'<rect x="23.5" y="12.5" width="3" height="2" fill="{c["B"]}"/>')


def g_msg_error(c):
    return (f'<circle cx="8" cy="8" r="6.8" fill="{c["R"]}" stroke="{c["S"]}" stroke-width="0.8"/>'
            f'<path d="M5.3 5.3l5.4 5.4M10.7 5.3l-5.4 5.4" stroke="#ffffff" stroke-width="1.8" '
            f'stroke-linecap="round"/>')


def g_msg_neutral(c):
    return (f'<circle cx="8" cy="8" r="6.8" fill="{c["F"]}" stroke="{c["S"]}" stroke-width="0.8"/>'
            f'<circle cx="8" cy="4.9" r="1.1" fill="{c["A"]}"/>'
            f'<path d="M8 7.3v4.6" stroke="{c["A"]}" stroke-width="1.9" stroke-linecap="round"/>')


def svg(body, size=32):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
            f'viewBox="0 0 {size} {size}">{body}</svg>\n')


def button_states(glyph, states=(0, 1, 2, 3)):
    out = {}
    for state in states:
        if state == 0:
            out[state] = svg(glyph(GREY))
        elif state == 1:
            out[state] = svg(glyph(NORMAL))
        else:
            out[state] = svg(TILE + glyph(NORMAL))
    return out


# Sets whose forward and back buttons share a drawing: "<set>_<state>.svg".
SHARED = {
    # main window toolbar
    "imgtnw": g_new, "imgtop": g_open, "imgtlg": g_legend, "imgthp": g_help,
    "imgtsv": g_save, "imgtcl": g_calculator, "imgtcf": g_settings, "imgtrp": g_print,
    "imgtcd": g_detail,
    # input chain: calculate and confirm
    "imgres": g_confirm,
    # settings window: save, restore the factory values
    "imgsav": g_save, "imgopn": g_restore,
    # results window: picture of the window, report, detailing
    "imgscr": g_camera, "imgrpt": g_print, "imgdet": g_detail,
}


def main():
    files = {}
    for name, glyph in SHARED.items():
        for state, text in button_states(glyph).items():
            files[f"{name}_{state}.svg"] = text
    # Forward (index 2) and back (index 3) arrows.
    for index, glyph in ((2, g_forward), (3, g_back)):
        for state, text in button_states(glyph).items():
            files[f"imgarw_{index}_{state}.svg"] = text
    # Status bar: 0 an input limit is broken, 2 nothing to report.
    files["imgmsg_0.svg"] = svg(g_msg_error(NORMAL), 16)
    files["imgmsg_2.svg"] = svg(g_msg_neutral(NORMAL), 16)

    for old in OUT.glob("img*.svg"):
        old.unlink()
    for name, text in sorted(files.items()):
        (OUT / name).write_text(text, encoding="utf-8")
    entries = "".join(f"    <file>{name}</file>\n" for name in sorted(files))
    (OUT / "pictures.qrc").write_text(
        '<!DOCTYPE RCC>\n<RCC version="1.0">\n<qresource prefix="/pictures">\n'
        + entries + "</qresource>\n</RCC>\n", encoding="utf-8")
    print(f"{len(files)} pictures written to {OUT}")


if __name__ == "__main__":
    main()
