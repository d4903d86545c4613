"""End-to-end check of `reservium-cli drawing` for one kind and layout of tank.

Usage: drawing_check.py CLI LAYER_COUNTS AUDIT WORK KIND LAYOUT

Saves the default project of that kind and layout with position 3 excluded, draws its whole
detailing as DXF, PDF and SVG, and checks the DXF: ezdxf's audit finds no error; the ten layers
are there; one label per included position and none for the excluded one; the schedule's total
weight is the steel total of the project's quantities; dxflib reads back the same entities per
layer as ezdxf. Exits 1 with the reasons on standard error.
"""
import json
import os
import re
import subprocess
import sys

LAYERS = ["Linhas Auxiliares", "Formas", "Armaduras", "Texto das Armaduras", "Texto Geral",
          "Relação de Aço", "Cotas", "Linhas de Corte", "Formato", "PaperSpace"]


def run(*args, **kw):
    return subprocess.run(list(args), capture_output=True, text=True, **kw)


def main():
    cli, counts_tool, audit, work, kind, layout = sys.argv[1:7]
    os.makedirs(work, exist_ok=True)
    problems = []
    project = {"kind": kind, "layout": layout,
               "legend": {"aeESTPROJ": "Caixa de ensaio", "aeESTCLI": "Cliente",
                          "aeESTEND": "Rua das Águas, 10", "aeESTRESP": "Eng. Responsável"},
               "edits": [{"position": 3, "exclude": True}]}
    source = os.path.join(work, "projeto.json")
    with open(source, "w", encoding="utf-8") as f:
        json.dump(project, f, ensure_ascii=False)
    rsv = os.path.join(work, "projeto.rsv")
    r = run(cli, "save", "--regional", "pt-BR", source, rsv)
    if r.returncode != 0:
        sys.exit(f"save falhou: {r.stderr}{r.stdout}")
    calc = json.loads(run(cli, "calc", "--regional", "en-US", "--project", rsv).stdout)
    included = {p["N"] for p in calc["positions"] if not p["OUTAS"]}
    excluded = {p["N"] for p in calc["positions"] if p["OUTAS"]}
    steel_total = calc["materialQuantities"][3][0]

    dxf = os.path.join(work, "projeto.dxf")
    for out in (dxf, os.path.join(work, "projeto.pdf"), os.path.join(work, "projeto.svg")):
        r = run(cli, "drawing", "--regional", "en-US", "--sheet", "A1", "--scale", "50", rsv, out)
        if r.returncode != 0 or not os.path.getsize(out):
            problems.append(f"drawing {out}: {r.returncode} {r.stderr}")
    r = run(sys.executable, audit, dxf)
    if r.returncode != 0:
        problems.append(f"auditoria: {r.stderr}")
    drawing = json.loads(r.stdout)

    missing = [l for l in LAYERS if l not in drawing["layers"]]
    if missing:
        problems.append(f"layers em falta: {missing}")

    labels = drawing["texts_by_layer"].get("Texto das Armaduras", [])
    label = re.compile(r"^N(\d+) \d+ ø\S+ c/\S+ C=\d+$")
    seen = {}
    for t in labels:
        m = label.match(t)
        if not m:
            problems.append(f"rótulo fora da forma: {t!r}")
            continue
        seen[m.group(1)] = seen.get(m.group(1), 0) + 1
    for n in sorted(included, key=int):
        if seen.get(n, 0) != 1:
            problems.append(f"N{n}: {seen.get(n, 0)} rótulos, esperado 1")
    for n in excluded:
        if n in seen:
            problems.append(f"N{n} excluída, mas rotulada")

    schedule = drawing["texts_by_layer"].get("Relação de Aço", [])
    if len(schedule) < 2 or schedule[-2] != "PESO TOTAL (kg)":
        problems.append("o quadro não termina pelo peso total")
    elif abs(float(schedule[-1]) - steel_total) > 0.005 + 1e-9:
        problems.append(f"peso total {schedule[-1]} kg, consumo {steel_total} kg")

    r = run(counts_tool, dxf)
    if r.returncode != 0:
        problems.append(f"dxflib: {r.stderr}")
    dxflib = {}
    for line in r.stdout.splitlines():
        count, layer = line.split(" ", 1)
        dxflib[layer] = int(count)
    if dxflib != drawing["counts"]:
        problems.append(f"entidades por layer: dxflib {dxflib}, ezdxf {drawing['counts']}")

    for p in problems:
        print(p, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
