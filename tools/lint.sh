#!/usr/bin/env bash
# The house's mechanical checks.
#   tools/lint.sh format        clang-format finds nothing to change in any C++ file
#   tools/lint.sh format --fix  rewrites the files instead
#   tools/lint.sh tidy BUILD    clang-tidy (.clang-tidy) is clean on src/, with BUILD's compile commands
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 2
# One version on every release: clang-format 14 (Debian 12's default) and 19
# (Debian 13's) lay out the same code differently, and Debian 12 has 19 too.
# tools/deps.sh installs it.
llvm_version=19

case "${1:-}" in
    format)
        mapfile -t files < <(git ls-files '*.cpp' '*.h')
        if [ "${2:-}" = --fix ]; then
            exec "clang-format-$llvm_version" -i "${files[@]}"
        fi
        exec "clang-format-$llvm_version" --dry-run -Werror "${files[@]}"
        ;;
    tidy)
        build=${2:?usage: tools/lint.sh tidy BUILD}
        # Only the files this system compiles: the other system's files are
        # not in the compile commands.
        mapfile -t files < <(/usr/bin/python3 -c '
import json, os, sys
root = os.path.realpath(sys.argv[2])
for entry in json.load(open(sys.argv[1])):
    path = os.path.realpath(os.path.join(entry["directory"], entry["file"]))
    if path.startswith(root + "/src/"):
        print(path)' "$build/compile_commands.json" "$root" | sort -u)
        [ ${#files[@]} -gt 0 ] || { echo "lint: no sources of src/ in $build/compile_commands.json" >&2; exit 2; }
        printf '%s\n' "${files[@]}" | xargs -P "$(nproc)" -n 4 "clang-tidy-$llvm_version" -p "$build" --quiet 2>/dev/null
        ;;
    *)
        sed -n '2,5p' "$0" >&2
        exit 2
        ;;
esac
