#!/usr/bin/env python3
"""Exports every deck of a folder XML-only with two builds of the tool, in the 2003, 2007 and 2010 views,
and reports every file that differs. A change meant to leave the output alone (a restructuring, a
speed-up) is checked with it against a build of the commit before:

    scripts/compare-exports.py OLD_TOOL NEW_TOOL [DECK_FOLDER]

Names the tool makes up at random (the deck's saved copy, extracted pictures and media) are replaced by
their order of first mention in the XML, and the output folder by OUT, before comparing. A copy that
LibreOffice converted from a binary deck carries fresh ids (and sizes with them) on every run, so copies are
compared by the names of their entries. Exit 0 when the outputs agree, 1 otherwise."""
import os, re, subprocess, sys, tempfile, zipfile
from pathlib import Path

FIXED = {"presentationinfo.xml", "thumbnails.xml", "export.log"}
RANDOM = re.compile(r"^[a-z0-9]{8}")


def export_all(tool, version, decks, out):
    files = sorted(str(p) for p in Path(decks).iterdir() if re.search(r"\.ppt[xm]?$|\.pps[xm]?$|\.pot[xm]?$", p.name))
    subprocess.run([tool, "--no-images", "--emulate-version", str(version), "batch", "-j", str(os.cpu_count()),
                    "-o", out, *files], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=False)


def normalised(folder, root):
    """The folder's files, by evened-out name, as comparable contents."""
    xml_path = folder / "presentationinfo.xml"
    xml = xml_path.read_text(errors="replace") if xml_path.exists() else ""
    # Made-up names are in the folder, or only in the XML when no image was drawn.
    mentioned = re.findall(re.escape(str(folder)) + r"/([^/<\s]+)", xml)
    tokens = {n[:8] for n in os.listdir(folder) + mentioned if n not in FIXED and RANDOM.match(n)}
    ordered = sorted(tokens, key=lambda t: (xml.find(t) if t in xml else len(xml), t))
    renames = {t: f"R{i}" for i, t in enumerate(ordered)}
    result = {}
    for name in os.listdir(folder):
        path = folder / name
        if path.is_dir():
            for sub, content in normalised(path, root).items():
                result[f"{name}/{sub}"] = content
            continue
        new_name = renames.get(name[:8], name[:8]) + name[8:]
        if name.endswith((".xml", ".log")):
            text = path.read_text(errors="replace").replace(str(root), "OUT")
            for old, new in renames.items():
                text = text.replace(old, new)
            result[new_name] = text
        elif name.endswith(".pptx") and name[:8] in renames:
            with zipfile.ZipFile(path) as archive:
                result[new_name] = sorted(i.filename for i in archive.infolist())
        else:
            result[new_name] = path.read_bytes()
    return result


def main():
    old_tool, new_tool = os.path.realpath(sys.argv[1]), os.path.realpath(sys.argv[2])
    decks = sys.argv[3] if len(sys.argv) > 3 else Path(__file__).resolve().parent.parent / "tests" / "decks"
    differences = 0
    with tempfile.TemporaryDirectory() as work:
        for version in (11, 12, 14):
            outs = []
            for label, tool in (("old", old_tool), ("new", new_tool)):
                out = Path(work) / f"{label}{version}"
                export_all(tool, version, decks, out)
                outs.append((out, normalised(out, out)))
            (_, old), (_, new) = outs
            for name in sorted(set(old) | set(new)):
                if old.get(name) != new.get(name):
                    differences += 1
                    state = "only in the old build" if name not in new else "only in the new build" if name not in old else "differs"
                    print(f"view {version}: {name} {state}")
    if differences == 0:
        print("The two builds wrote the same files for every deck in every view.")
    return 1 if differences else 0


sys.exit(main())
