#!/usr/bin/env python3
"""mutants.py: deliberately broken builds of Velkor (tools/mutants.txt), and which tests catch each.

    python3 tools/mutants.py --check              where each mutant applies
    python3 tools/mutants.py [--cascade] [ID...]  run: every level, or up to the first that catches
    python3 tools/mutants.py --summary            tools/mutants-summary.md from the last run

A run tests a copy of the tree (build/mutants/tree) without a mutant, then with each in turn: a test
catches a mutant if it fails with it; a mutant that does not build is invalid. --levels unit,fuzz picks
levels; --resume goes on with build/mutants/results.json, written after each mutant."""

import argparse, datetime, json, os, re, shutil, subprocess, sys, time  # noqa: E401
import xml.etree.ElementTree as ET
from pathlib import Path

REPO = Path(__file__).resolve().parent.parent
OUT = REPO / "build" / "mutants"
TREE, RESULTS, SUMMARY = OUT / "tree", OUT / "results.json", REPO / "tools" / "mutants-summary.md"
FUZZ_RUNS = 50000  # about ten seconds of fuzz_ini, as tools/test.sh gives it
# Per level, cheapest first: preset, configure options, ctest options, prefix. Not clang_format: it sees the
# mutant's layout. Fuzzing: a fixed number of runs from seed 1, addresses not randomised. Failed stories run again.
LEVELS = {"unit": ("native", [], ["-L", "^unit$", "-E", "^clang_format$"], []),
          "fuzz": ("fuzz", [f"-DVELKOR_FUZZ_RUNS={FUZZ_RUNS}"], ["-L", "^fuzz$"],
                   ["setarch", "-R"] if shutil.which("setarch") else []),
          "shipped": ("i686", [], ["-L", "^(shipped|e2e)$", "--repeat", "until-pass:2"], [])}
WINDOWS_ONLY = ("src/win32/", "src/platform/win32/", "src/runtime/")  # only the shipped level builds these
# A story and its runs as Windows 98 and 95, and the fault model with either way of replacing, are one test.
VARIANT, NINE_X = re.compile(r"(_win9[58]|On9x|OneStepReplace)$"), re.compile(r"(_win9[58]|On9x)$")


def read_mutants():
    """[(id, what, text, replacement, why it survives)] from tools/mutants.txt."""
    mutants = []
    for block in re.split(r"\n\s*\n", (REPO / "tools" / "mutants.txt").read_text(encoding="utf-8")):
        lines = [line for line in block.splitlines() if not line.startswith("#")]
        if lines:
            part = {k: [line[2:] for line in lines[1:] if line[:1] == k] for k in "-+?"}
            text = "\n".join(part["-"]) + ("" if part["+"] else "\n")  # a deletion takes its line break
            mutants.append((*lines[0].split(" ", 1), text.encode(), "\n".join(part["+"]).encode(), " ".join(part["?"])))
    return mutants


def locate(text, root):
    """(file relative to root, offset) of the one place in src/ that holds text; else (None, why)."""
    hits = [(path.relative_to(root).as_posix(), m.start()) for path in sorted((root / "src").rglob("*"))
            if path.suffix in (".cpp", ".h", ".rc")
            for m in re.finditer(re.escape(text), path.read_bytes())]
    return hits[0] if len(hits) == 1 else (None, f"found {len(hits)} times" if hits else "not found")


def run(command, timeout, log_file):
    """Exit code of command, run in TREE in a process group of its own that a time-out kills; output to log_file."""
    with open(log_file, "w") as out, subprocess.Popen(command, cwd=TREE, stdout=out, stderr=subprocess.STDOUT,
                                                      start_new_session=True) as proc:
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, 9)
            return "time-out"


def sync_tree():
    """Makes TREE hold the files of the working tree, writing only those that differ."""
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=REPO, capture_output=True)
    wanted = {name for name in listed.stdout.decode().split("\0") if name and (REPO / name).is_file()}
    for name in wanted:
        data, target = (REPO / name).read_bytes(), TREE / name
        if not target.is_file() or target.read_bytes() != data:
            target.parent.mkdir(parents=True, exist_ok=True)
            target.write_bytes(data)
            shutil.copymode(REPO / name, target)
    for path in [p for p in TREE.rglob("*") if p.is_file() and p.relative_to(TREE).parts[0] != "build"]:
        if path.relative_to(TREE).as_posix() not in wanted:
            path.unlink()


def level(name, label):
    """Builds and tests one level in TREE: {status, build and test seconds, tests: their status, failed}."""
    preset, options, args, prefix = LEVELS[name]
    start, logs = time.monotonic(), OUT / "logs" / f"{label}-{name}"
    if label == "baseline" or not (TREE / "build" / preset / "CMakeCache.txt").is_file():
        run(["cmake", "--preset", preset] + options, 1800, f"{logs}-configure.log")
    built = run(["cmake", "--build", "--preset", preset, "-j2"], 3600, f"{logs}-build.log")
    record = {"build": round(time.monotonic() - start)}
    if built != 0:
        return dict(record, status="does not build")
    for found in (TREE / "build/fuzz/tests/fuzz/found").glob("*/*") if name == "fuzz" else []:
        found.unlink()  # what the fuzz tests found before: each run starts without it
    report = OUT / f"{name}.xml"
    report.unlink(missing_ok=True)
    run(prefix + ["ctest", "--preset", preset, "--timeout", "600", "--output-junit", str(report)] + args, 7200,
        f"{logs}-ctest.log")
    record["test"] = round(time.monotonic() - start) - record["build"]
    if not report.is_file():
        return dict(record, status="no results from ctest")
    cases = {case.get("name"): case.get("status") for case in ET.parse(report).getroot().iter("testcase")}
    return dict(record, status="ran", tests=cases, failed=sorted(t for t, s in cases.items() if s == "fail"))


def run_mutants(mutants, levels, cascade, resume, ids):
    os.nice(10)
    sys.stdout.reconfigure(line_buffering=True)
    data = json.loads(RESULTS.read_text()) if resume and RESULTS.is_file() else {
        "tree": subprocess.run(["git", "describe", "--always", "--dirty"], cwd=REPO, capture_output=True,
                               text=True).stdout.strip(), "date": datetime.date.today().isoformat(),
        "levels": levels, "cascade": cascade, "baseline": {}, "mutants": {}}
    (OUT / "logs").mkdir(parents=True, exist_ok=True)
    sync_tree()
    for name in [n for n in data["levels"] if n not in data["baseline"]]:
        record = data["baseline"][name] = level(name, "baseline")
        bad = [f"{t} ({s})" for t, s in record.get("tests", {}).items() if s != "run"]
        if record["status"] != "ran" or bad or not record["tests"]:
            sys.exit(f"baseline {name}: {record['status']}; not passing: {bad}; logs in {OUT / 'logs'}")
        RESULTS.write_text(json.dumps(data, indent=1))
        print(f"baseline {name}: {len(record['tests'])} tests pass, build {record['build']} s, test {record['test']} s")
    for (mid, what, text, new, _), (rel, offset) in [m for m in mutants if ids or m[0][0] not in data["mutants"]]:
        record = data["mutants"][mid] = {"file": rel, "levels": {}}
        path, original = TREE / rel, (TREE / rel).read_bytes()
        path.write_bytes(original[:offset] + new + original[offset + len(text):])
        try:
            for name in [n for n in data["levels"] if n == "shipped" or not rel.startswith(WINDOWS_ONLY)]:
                result = record["levels"][name] = level(name, mid)
                result.pop("tests", None)
                print(f"{mid} {name}: {result['status']} {' '.join(result.get('failed', []))} "
                      f"(build {result['build']} s, test {result.get('test', 0)} s)")
                if result["status"] != "ran" or data["cascade"] and result["failed"]:
                    break
        finally:
            path.write_bytes(original)
        RESULTS.write_text(json.dumps(data, indent=1))


def summary(mutants, data):
    """The committed summary of a run, as Markdown."""
    levels, base = data["levels"], data["baseline"]
    alone = {VARIANT.sub("", t): ([], [], n) for n in levels for t in base[n]["tests"]}  # in its level, overall
    caught, survivors, invalid = dict.fromkeys([*levels, "overall"], 0), [], []
    for mid, what, _, _, why in mutants:
        runs = data["mutants"].get(mid, {}).get("levels", {})
        wrong = [f"{n}: {r['status']}" for n, r in runs.items() if r["status"] != "ran"]
        if not runs or wrong:
            invalid += [f"- {mid} ({', '.join(wrong)}): {what}"] if wrong else []
            continue
        failed = {n: r.get("failed", []) for n, r in runs.items()}
        every = sum(failed.values(), [])
        # Alone in its level, and overall if the run reached the last level; a test's variants count as one.
        for n, tests in list(failed.items()) + [("overall", every)] * (levels[-1] in runs):
            caught[n] += bool(tests)
            if len(names := {VARIANT.sub("", t) for t in tests}) == 1:
                alone[names.pop()][n == "overall"].append(mid + " (9x only)" * all(NINE_X.search(t) for t in tests))
        if not every:
            survivors.append(f"- {mid} {what}: {why or 'no reason given'}")
    ran = sum(bool(data["mutants"].get(m[0], {}).get("levels")) for m in mutants)
    how = "each mutant up to the first level that catches it" if data["cascade"] else "every mutant at every level"
    text = [f"# Mutants: the last run\n\n`python3 tools/mutants.py --summary` wrote this from the run of "
            f"{data['date']} on tree `{data['tree']}`, {how}. The mutants are in `tools/mutants.txt`.\n",
            "| level | tests | without a mutant | mutants it catches |", "|---|---|---|---|"]
    text += [f"| {n} | {len(base[n]['tests'])} | build {base[n]['build']} s, tests {base[n]['test']} s | "
             f"{caught[n]} |" for n in levels]
    text += ["", f"{ran} of {len(mutants)} mutants run: {ran - len(survivors) - len(invalid)} caught, {len(survivors)} survive, "
             f"{len(invalid)} invalid.\n", "## The mutants each test alone catches\n",
             "Alone in its level: no other test of its level fails; overall: no other test at all. A story and its "
             "runs as Windows 98 and 95 are one test, as is the fault model run both ways; (9x only): only as 9x.\n",
             "| test | level | alone in its level | alone overall |", "|---|---|---|---|"]
    text += [f"| {t} | {n} | {', '.join(a)} | {', '.join(o) or '-'} |" for t, (a, o, n) in alone.items() if a]
    text += ["", f"## Tests that catch no mutant alone{' of those run' * (ran < len(mutants))} (candidates to cut)\n",
             ", ".join(t for t, (a, _, _) in alone.items() if not a) or "(none)",
             "", "## Survivors, and why no test catches them\n"] + (survivors or ["(none)"])
    text += ["", "## Invalid, never counted as caught\n"] + invalid if invalid else []
    return "\n".join(text) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    for flag in ("--check", "--summary", "--cascade", "--resume"):
        parser.add_argument(flag, action="store_true")
    parser.add_argument("--levels", default=",".join(LEVELS))
    parser.add_argument("ids", nargs="*")
    args = parser.parse_args()
    mutants = read_mutants()
    known = [m[0] for m in mutants]
    if len(set(known)) != len(known) or set(args.ids) - set(known):
        sys.exit(f"tools/mutants.txt: an id given twice, or no such mutant: {sorted(set(args.ids) - set(known))}")
    chosen = [(m, locate(m[2], REPO)) for m in mutants if not args.ids or m[0] in args.ids]
    bad = [f"{mid} {why}: {what}" for (mid, what, *_), (rel, why) in chosen if not rel]
    if args.summary:
        SUMMARY.write_text(summary(mutants, json.loads(RESULTS.read_text())))
    elif args.check:
        print(*[f"{mid} {rel or why}: {what}" for (mid, what, *_), (rel, why) in chosen],
              f"{len(chosen) - len(bad)} of {len(chosen)} mutants apply", sep="\n")
        return 1 if bad else 0
    elif bad:
        sys.exit("Mend or remove in tools/mutants.txt first:\n" + "\n".join(bad))
    else:
        run_mutants(chosen, [n for n in LEVELS if n in args.levels.split(",")], args.cascade, args.resume, args.ids)
    return 0


if __name__ == "__main__":
    sys.exit(main())
