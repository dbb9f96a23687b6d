# The committed template holds exactly the program's texts: a text added or
# changed without update_translations never reaches the translators.
# Arguments: the source folder, lupdate and its options.
set -euo pipefail
source=$1
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source/translations/ombrel.ts" "$work/ombrel.ts"
(cd "$source" && "$@" src -ts "$work/ombrel.ts")
diff -u "$source/translations/ombrel.ts" "$work/ombrel.ts" || {
  echo "translations/ombrel.ts is out of date: run cmake --build build --target update_translations" >&2
  exit 1
}
