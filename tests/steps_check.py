"""The check of the steps, run by the ci build's tests (tests/CMakeLists.txt):
  steps_check.py CTEST BUILD SOURCE REASON=STEP,... -- TEST_SOURCE...
Fails, naming each fault, when a test of the ci build's list (which holds every step's tests)
runs in no step, is left out of a step without a reason that excuses that step, or carries a
label that is neither; when a case of a test program is not a test of its own; when a test
source under tests/ is registered by no crout_tests; and when a fuzz target has no corpus or is
not built by the fuzz preset."""
import json
import pathlib
import subprocess
import sys

STEPS = {"ci", "asan", "checked", "windows", "arm64", "web"}
EXTRA = {"valgrind"}  # a part of the ci step, run alone by ctest -L valgrind

ctest, build, source = sys.argv[1:4]
split = sys.argv.index("--")
reasons = {}
for entry in sys.argv[4:split]:
    name, steps = entry.split("=")
    reasons[name] = set(steps.split(","))
registered_sources = {pathlib.Path(s).resolve() for s in sys.argv[split + 1:]}
faults = []

listing = json.loads(subprocess.run([ctest, "--show-only=json-v1"], cwd=build, check=True,
                                    capture_output=True, text=True).stdout)
tests = {}
for test in listing["tests"]:
    name = test["name"]
    properties = {p["name"]: p["value"] for p in test.get("properties", [])}
    labels = set(properties.get("LABELS", []))
    tests[name] = test
    steps = labels & STEPS
    if not steps:
        faults.append(f"{name} runs in no step")
    for label in sorted(labels - STEPS - EXTRA - reasons.keys()):
        faults.append(f"{name}: {label} is neither a step nor a listed reason")
    for step in sorted(STEPS - steps):
        if not any(step in reasons.get(label, ()) for label in labels):
            faults.append(f"{name} is left out of {step} without a listed reason")
    if ("ci" in steps) == bool(properties.get("DISABLED", False)):
        faults.append(f"{name}: disabled in the ci build, yet labelled ci, or the reverse")

# Every case that a test program holds is a test of its own.
programs = {t["command"][0] for t in tests.values()
            if any(word.startswith("--gtest_filter=") for word in t.get("command", []))}
for program in sorted(programs):
    listed = subprocess.run([program, "--gtest_list_tests"], check=True, capture_output=True,
                            text=True).stdout
    suite = ""
    for line in listed.splitlines():
        if not line.startswith(" "):
            suite = line.split()[0]
        elif suite + line.split()[0] not in tests:
            faults.append(f"{suite}{line.split()[0]} of {program} is no test of its own")

root = pathlib.Path(source)
for path in sorted(root.joinpath("tests").rglob("*_test.cpp")):
    if path.resolve() not in registered_sources:
        faults.append(f"{path.relative_to(root)} is registered by no crout_tests")

presets = json.loads(root.joinpath("CMakePresets.json").read_text())
fuzz = next(p for p in presets["buildPresets"] if p["name"] == "fuzz")
for path in sorted(root.joinpath("tests", "fuzz").glob("*_fuzz.cpp")):
    target = path.stem[: -len("_fuzz")]
    if not root.joinpath("tests", "fuzz", "corpus", target).is_dir():
        faults.append(f"the fuzz target {target} has no corpus, so scripts/fuzz.sh never runs it")
    if "fuzz_" + target not in fuzz.get("targets", []):
        faults.append(f"the fuzz preset does not build fuzz_{target}")

for fault in faults:
    print(fault)
print(f"{len(tests)} tests, {len(programs)} test programs: "
      + (f"{len(faults)} faults" if faults else "each runs in its steps or says why not"))
sys.exit(1 if faults else 0)
