#!/usr/bin/env bash
# Prints, as one-line deb-src entries, the system's own apt sources for a Debian suite: the same
# archives (a user's own mirror, an air-gapped machine's local one) and suite, for source
# packages. Reads both formats apt reads: one-line entries in sources.list and *.list, and deb822
# stanzas in *.sources. Entries of other suites and other repositories are left out.
#   tools/debian-sources.sh [SUITE]        (default: bookworm)
set -euo pipefail
suite=${1:-bookworm}
apt_dir=${APT_SOURCES_DIR:-/etc/apt}

one_line_files=()
[ -f "$apt_dir/sources.list" ] && one_line_files+=("$apt_dir/sources.list")
shopt -s nullglob
one_line_files+=("$apt_dir"/sources.list.d/*.list)
deb822_files=("$apt_dir"/sources.list.d/*.sources)

entries=$(
  # deb [options] URI SUITE COMPONENT...
  for file in "${one_line_files[@]}"; do
    while read -r line; do
      [[ $line =~ ^deb[[:space:]]+(\[[^]]*\][[:space:]]+)?([^[:space:]]+)[[:space:]]+([^[:space:]]+) ]] || continue
      [ "${BASH_REMATCH[3]}" = "$suite" ] && echo "deb-src ${BASH_REMATCH[1]}${BASH_REMATCH[2]} $suite main"
    done <"$file"
  done
  # Stanzas of "Field: value" lines, blank lines between them; a key file named by Signed-By is
  # kept, a key written inline is left to apt's own keyring.
  for file in "${deb822_files[@]}"; do
    awk -v suite="$suite" '
      function flush() {
        if ((" " types " ") ~ / deb / && enabled != "no" && (" " suites " ") ~ (" " suite " ")) {
          count = split(uris, uri, " ")
          for (i = 1; i <= count; i++)
            print "deb-src " (signed ~ /^\// ? "[signed-by=" signed "] " : "") uri[i] " " suite " main"
        }
        types = uris = suites = signed = enabled = ""
      }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      /^[A-Za-z-]+:/ {
        key = tolower(substr($0, 1, index($0, ":") - 1))
        value = substr($0, index($0, ":") + 1)
        gsub(/^[ \t]+|[ \t]+$/, "", value)
        if (key == "types") types = value
        else if (key == "uris") uris = value
        else if (key == "suites") suites = value
        else if (key == "signed-by") signed = value
        else if (key == "enabled") enabled = tolower(value)
      }
      END { flush() }' "$file"
  done
)
if [ -z "$entries" ]; then
  echo "No Debian $suite archive in apt's sources ($apt_dir/sources.list, $apt_dir/sources.list.d/):" \
    "add one (deb URI $suite main) to build from Debian's source packages." >&2
  exit 1
fi
echo "$entries"
