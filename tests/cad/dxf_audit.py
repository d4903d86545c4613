"""Audits a DXF drawing with ezdxf and describes it as JSON on standard output.

Usage: dxf_audit.py DRAWING.dxf

Exits 1 when the file cannot be read or the audit finds an error; the JSON holds the layers,
the entities per layer (model space is one of the blocks) and every text, decoded.
"""
import json
import re
import sys

import ezdxf


def decode(text):
    return re.sub(r"\\U\+([0-9A-Fa-f]{4})", lambda m: chr(int(m.group(1), 16)), text)


def main():
    try:
        doc = ezdxf.readfile(sys.argv[1])
    except (IOError, ezdxf.DXFStructureError) as e:
        print(f"ilegível: {e}", file=sys.stderr)
        return 1
    before = sum(len(block) for block in doc.blocks)
    auditor = doc.audit()
    errors = [f"{e.code}: {e.message}" for e in auditor.errors]
    # A fix that throws entities away (a dimension without its block…) is an error too.
    after = sum(len(block) for block in doc.blocks)
    if after != before:
        errors += [f"{f.code}: {f.message}" for f in auditor.fixes]
        errors.append(f"a auditoria removeu {before - after} entidades")
    counts = {}
    texts = []
    texts_by_layer = {}
    for block in doc.blocks:
        for e in block:
            layer = decode(e.dxf.layer)
            counts[layer] = counts.get(layer, 0) + 1
            if e.dxftype() == "TEXT":
                texts.append(decode(e.dxf.text))
                texts_by_layer.setdefault(layer, []).append(decode(e.dxf.text))
    layers = {decode(l.dxf.name): l.dxf.color for l in doc.layers}
    json.dump({"errors": errors, "layers": layers, "counts": counts, "texts": texts, "texts_by_layer": texts_by_layer,
               "inserts": len(doc.modelspace().query("INSERT"))}, sys.stdout, ensure_ascii=False)
    for e in errors:
        print(e, file=sys.stderr)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
