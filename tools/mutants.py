#!/usr/bin/env python3
"""How many changed programs the core tests catch: one change at a time in data/, report/ and
compute/, or the folders named (a comparison, an arithmetic or logical operator, a 0 or 1),
rebuild core_tests, run it; a mutant is killed when a test fails.

  tools/mutants.py sites TREE N [FOLDER...] > SITES.json   pick N places, the same for any tree
  tools/mutants.py run TREE BUILD SITES.json     mutate TREE one place at a time, build in BUILD

Run it on two commits (git worktree) with the same SITES.json to compare their scores; the
places are found by their line's text, so a line that differs between the two is skipped."""
import json, pathlib, random, re, subprocess, sys

OPS = [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "), (" == ", " != "),
       (" != ", " == "), (" + ", " - "), (" - ", " + "), (" && ", " || "), (" || ", " && ")]


def sites(tree, count, folders=("data", "report", "compute")):
    places = []
    for folder in folders:
        for f in sorted((tree / folder).glob("*.cpp")):
            for line in f.read_text().split("\n"):
                s = line.strip()
                if s.startswith(("//", "#")) or '"' in line:
                    continue
                change = next(((a, b) for a, b in OPS if a in line), None)
                if change is None:
                    for a, b in (("0", "1"), ("1", "2")):
                        if re.search(rf"\b{a}\b", line):
                            change = (line, re.sub(rf"\b{a}\b", b, line, count=1))
                            break
                if change:
                    places.append({"file": str(f.relative_to(tree)), "line": line,
                                   "from": change[0], "to": change[1]})
    random.seed(33)
    return random.sample(places, min(count, len(places)))


def run(tree, build, places):
    killed = survived = skipped = 0
    build_cmd = ["cmake", "--build", str(build), "--target", "core_tests", "-j2"]
    for p in places:
        f = tree / p["file"]
        text = f.read_text()
        lines = text.split("\n")
        if p["line"] not in lines:
            skipped += 1
            continue
        i = lines.index(p["line"])
        lines[i] = lines[i].replace(p["from"], p["to"], 1)
        f.write_text("\n".join(lines))
        try:
            if subprocess.run(build_cmd, capture_output=True).returncode != 0:
                verdict = "stillborn"
                skipped += 1
            elif subprocess.run(["timeout", "300", str(build / "tests" / "core_tests")],
                                capture_output=True, cwd=build).returncode != 0:
                verdict = "killed"
                killed += 1
            else:
                verdict = "SURVIVED"
                survived += 1
        finally:
            f.write_text(text)
        print(verdict, p["file"], "|", p["line"].strip()[:70], "|", p["from"].strip()[:20],
              "->", p["to"].strip()[:20], flush=True)
    subprocess.run(build_cmd, capture_output=True)
    total = killed + survived
    print(f"killed {killed} of {total} ({100 * killed / max(total, 1):.1f}%), skipped {skipped}")


if __name__ == "__main__":
    if sys.argv[1:2] == ["sites"]:
        print(json.dumps(sites(pathlib.Path(sys.argv[2]), int(sys.argv[3]), *sys.argv[4:5] and
                               [sys.argv[4:]]), indent=1))
    elif sys.argv[1:2] == ["run"]:
        run(pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3]),
            json.loads(pathlib.Path(sys.argv[4]).read_text()))
    else:
        sys.exit(__doc__)
