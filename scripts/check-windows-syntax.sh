#!/usr/bin/env bash
# Compiles every source with a Windows-only branch (and the Windows-only
# files) with the MinGW compiler, syntax only, using the flags of a configured
# Linux build and Qt's headers: the Windows code cannot rot between Windows
# builds. A full cross-build needs Qt built for Windows (scripts/package-windows.sh).
#   bash scripts/check-windows-syntax.sh [BUILD-FOLDER]   (default build-sanitize)
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-sanitize}"
bash scripts/setup-debian.sh g++-mingw-w64-x86-64-posix python3

python3 - "$build" <<'PYTHON'
import json, os, re, shlex, subprocess, sys

build = sys.argv[1]
commands = {entry["file"]: entry for entry in json.load(open(os.path.join(build, "compile_commands.json")))}
root = os.getcwd()
sources = []
for folder, _, files in os.walk("src"):
    for name in files:
        path = os.path.join(root, folder, name)
        if name.endswith(".cpp") and re.search(r"_WIN32|Q_OS_WIN", open(path, encoding="utf-8").read()):
            sources.append(path)
# Compiled only on Windows: each takes the flags of a file of its own library.
windows_only = {os.path.join(root, "src/model/platform_windows.cpp"): os.path.join(root, "src/model/platform_files.cpp")}
sources += windows_only
dropped = re.compile(r"^(-fsanitize.*|-fno-sanitize.*|-fno-omit-frame-pointer|-fPIC|-g)$")
failed = 0
for source in sorted(set(sources)):
    entry = commands[windows_only.get(source, source)]
    words = shlex.split(entry["command"])[1:]
    flags, skip = [], False
    for word in words:
        if skip:
            skip = False
            continue
        if word in ("-o", "-c"):
            skip = True
            continue
        if not dropped.match(word):
            flags.append(word)
    command = ["x86_64-w64-mingw32-g++-posix", *flags, "-Werror", "-Wno-attributes", "-fsyntax-only", source]
    result = subprocess.run(command, cwd=entry["directory"], capture_output=True, text=True)
    print(("ok    " if result.returncode == 0 else "FAILED ") + os.path.relpath(source, root))
    if result.returncode != 0:
        failed += 1
        print(result.stderr)
sys.exit(1 if failed else 0)
PYTHON
