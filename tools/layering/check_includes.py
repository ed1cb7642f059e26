#!/usr/bin/env python3
"""Refuses an #include that reaches up the library graph.

The layers file has one library a line:  name|dir;dir|excluded-dir;...|dep;dep
A quoted include is resolved next to the including file first, then under the source root;
the library owning the header must be the including library itself or one it depends on
(directly or through its dependencies). Includes that resolve to no library (system headers,
generated files) are not judged. Exit status 1 lists every offending include.
"""
import argparse
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def read_layers(path):
    libs = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line:
                continue
            name, dirs, excludes, deps = (line.split("|") + ["", "", ""])[:4]
            libs[name] = {
                "dirs": [d for d in dirs.split(";") if d],
                "excludes": [d for d in excludes.split(";") if d],
                "deps": [d for d in deps.split(";") if d],
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
        print(f"{len(faults)} include(s) reach above their library", file=sys.stderr)
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
            target = m.group(1)
            beside = os.path.normpath(os.path.join(os.path.dirname(path), target))
            if os.path.exists(beside):
                target_rel = os.path.relpath(beside, root).replace(os.sep, "/")
            else:
                target_rel = os.path.normpath(target).replace(os.sep, "/")
            owner = owner_of(target_rel, libs)
            if owner is None or owner in closure(name, libs, memo):
                continue
            faults.append(f"{rel}:{number}: {name} includes \"{m.group(1)}\" of {owner}, "
                          f"which is not below it")
    return faults


if __name__ == "__main__":
    sys.exit(main())
