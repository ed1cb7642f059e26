#!/usr/bin/env python3
"""Refuses an #include that reaches up the library graph, or out of bounds.

The layers file has one library a line:  name|dir;dir|excluded-dir;...|dep;dep|flags
An include, quoted or in angle brackets, is resolved next to the including file first (quoted
only), then under the source root; the library owning the header must be the including library
itself or one it depends on (directly or through its dependencies). Includes that resolve to no
library (system headers, generated files) are not judged for that. Besides:
- a header in a detail/ folder is included only by its own library;
- Qt's headers are included only by libraries whose flags hold "qt".
Exit status 1 lists every offending include.
"""
import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^">]+)[">]')
# Qt's headers: <QImage>, <QtGui/QImage>, <qglobal.h>, <qpa/...>, <private/q...>.
QT_HEADER = re.compile(r'^(Q[A-Za-z0-9_]*|Qt[A-Za-z]*/.*|q[a-z0-9_]*\.h|qpa/.*|private/q.*)$')


def read_layers(path):
    libs = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line:
                continue
            name, dirs, excludes, deps, flags = (line.split("|") + ["", "", "", ""])[:5]
            libs[name] = {
                "dirs": [d for d in dirs.split(";") if d],
                "excludes": [d for d in excludes.split(";") if d],
                "deps": [d for d in deps.split(";") if d],
                "flags": [f for f in flags.split(";") if f],
            }
    return libs


def owner_of(rel, libs):
    """The library whose folders hold rel (a path under the source root); the deepest folder wins."""
    best, best_len = None, -1
    for name, lib in libs.items():
        if any(rel.startswith(e.rstrip("/") + "/") for e in lib["excludes"]):
            continue
        for d in lib["dirs"]:
            d = d.rstrip("/")
            if rel.startswith(d + "/") and len(d) > best_len:
                best, best_len = name, len(d)
    return best


def closure(name, libs, memo):
    if name in memo:
        return memo[name]
    memo[name] = {name}
    below = {name}
    for dep in libs.get(name, {}).get("deps", []):
        if dep in libs:
            below |= closure(dep, libs, memo)
    memo[name] = below
    return below


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--layers", required=True)
    parser.add_argument("--root", required=True, help="the source root the folders are relative to")
    parser.add_argument("--stamp", help="touched when the tree passes")
    args = parser.parse_args()

    libs = read_layers(args.layers)
    root = os.path.abspath(args.root)
    memo = {}
    faults = []
    for name, lib in sorted(libs.items()):
        for d in lib["dirs"]:
            top = os.path.join(root, d)
            for folder, _, files in os.walk(top):
                for file in sorted(files):
                    if not file.endswith((".h", ".hpp", ".cpp", ".inc")):
                        continue
                    path = os.path.join(folder, file)
                    rel = os.path.relpath(path, root).replace(os.sep, "/")
                    if owner_of(rel, libs) != name:
                        continue
                    faults += check_file(path, rel, name, libs, root, memo)
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        print(f"{len(faults)} include(s) break the library graph", file=sys.stderr)
        return 1
    if args.stamp:
        with open(args.stamp, "w", encoding="utf-8") as f:
            f.write("ok\n")
    return 0


def check_file(path, rel, name, libs, root, memo):
    faults = []
    with open(path, encoding="utf-8", errors="replace") as f:
        for number, line in enumerate(f, 1):
            m = INCLUDE.match(line)
            if not m:
                continue
            quoted, target = m.group(1) == '"', m.group(2)
            shown = f'"{target}"' if quoted else f"<{target}>"
            if QT_HEADER.match(target):
                if "qt" not in libs[name]["flags"]:
                    faults.append(f"{rel}:{number}: {name} includes Qt's {shown}; only the drawing layer "
                                  f"and the presenter may")
                continue
            beside = os.path.normpath(os.path.join(os.path.dirname(path), target))
            if quoted and os.path.exists(beside):
                target_rel = os.path.relpath(beside, root).replace(os.sep, "/")
            else:
                target_rel = os.path.normpath(target).replace(os.sep, "/")
            owner = owner_of(target_rel, libs)
            if owner is None:
                continue
            if owner not in closure(name, libs, memo):
                faults.append(f"{rel}:{number}: {name} includes {shown} of {owner}, which is not below it")
            elif owner != name and "/detail/" in "/" + target_rel:
                faults.append(f"{rel}:{number}: {name} includes {shown}, internal to {owner}")
    return faults


if __name__ == "__main__":
    sys.exit(main())
