# Building libraries from Debian's source packages, for the Windows release and the page;
# sourced by tools/windows/build-deps.sh and tools/web/build-deps.sh. They set `label` (how the
# messages name the libraries), `prefix` (where they go), `work` (the build's folder), `log` and
# `sources` (the source packages they build) first; the recipes are in tools/library-recipes.sh,
# and each script adds its own.

# Each source package's upstream version, the one the Linux build links from bookworm.
declare -A UPSTREAM_VERSION=(
  [libpng1.6]=1.6.39 [libjpeg-turbo]=2.1.5 [freeglut]=3.4.0 [glew]=2.2.0 [bullet]=3.24
  [libsdl2]=2.26.5 [mpg123]=1.31.2 [lame]=3.100 [libsndfile]=1.2.0 [kissfft]=131.1.0 [imgui]=1.86
  [googletest]=1.12.1
)

# The prefix of an unchanged recipe is reused as it is.
exit_if_cached() {
  if [ -f "$prefix/.complete" ]; then
    echo "$label: cached in $prefix"
    echo "$prefix"
    exit 0
  fi
}

# apt runs with its own sources and lists, so the system's package lists stay as they are; the
# sources are the system's own archives, for source packages.
fetch_sources() {
  [ -f "$work/src/.fetched" ] && return
  local apt_options=(-o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts=-
    -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/apt-cache" -o Debug::NoLocking=1)
  "$(dirname "${BASH_SOURCE[0]}")/debian-sources.sh" bookworm >"$work/sources.list"
  mkdir -p "$work/lists/partial" "$work/apt-cache/archives/partial"
  apt-get "${apt_options[@]}" update >>"$log" 2>&1
  local package
  for package in "${sources[@]}"; do
    # The archive does not serve every upstream signature (mpg123's): what counts is that the
    # .dsc and the tarballs arrived.
    (cd "$work/src" && apt-get "${apt_options[@]}" source --download-only "$package" >>"$log" 2>&1) || true
    ls "$work/src/${package}_"*.dsc "$work/src/${package}_"*.orig.tar.* >/dev/null ||
      { echo "Could not fetch the source of $package (see $log)" >&2; exit 1; }
  done
  touch "$work/src/.fetched"
}

# Unpacks a source package with Debian's patches applied; prints its folder. dpkg-source refuses
# packages whose .dsc lists an upstream signature the archive does not serve (mpg123), so
# those are unpacked by hand and patched with quilt.
unpack() {
  local package="$1" version="${UPSTREAM_VERSION[$1]}" dsc folder
  dsc="$(ls "$work/src/${package}_"*.dsc)"
  folder="$work/src/$package-$version"
  if [ ! -d "$folder" ]; then
    if ! (cd "$work/src" && dpkg-source --no-check -x "$dsc" "$folder" >>"$log" 2>&1); then
      rm -rf "$folder" && mkdir -p "$folder"
      tar -xf "$(ls "$work/src/${package}_"*.orig.tar.*  | grep -v '\.asc$')" -C "$folder" --strip-components=1
      tar -xf "$work/src/${package}_"*.debian.tar.* -C "$folder"
      if [ -f "$folder/debian/patches/series" ]; then
        (cd "$folder" && QUILT_PATCHES=debian/patches quilt push -a >>"$log" 2>&1)
      fi
    fi
  fi
  grep -q "$version" <<<"$(basename "$dsc")" || { echo "$package: expected upstream $version, got $dsc" >&2; exit 1; }
  echo "$folder"
}

# Debian's copyright file of a source package holds every licence text that applies to it.
licence() {
  cp "$2/debian/copyright" "$prefix/share/licenses/$1.txt"
}

# Each library is built once; a stamp in the work folder marks it done, so a half-built prefix
# of the same recipe is resumed library by library.
step() {
  local name="$1"
  [ -f "$work/build/$name.done" ] && return
  local t0=$(date +%s)
  echo "$label: building $name"
  "build_$name"
  touch "$work/build/$name.done"
  echo "$label: $name took $(( $(date +%s) - t0 )) s"
}

# build_libraries NAME...: fetches the sources, builds each library by its build_NAME, notes the
# source packages' versions in the prefix and marks it complete. Prints the prefix last.
build_libraries() {
  local started=$(date +%s) name package
  fetch_sources
  for name in "$@"; do
    step "$name"
  done
  for package in "${sources[@]}"; do
    basename "$(ls "$work/src/${package}_"*.dsc)" .dsc
  done >"$prefix/VERSIONS"
  touch "$prefix/.complete"
  rm -rf "$work"
  echo "$label: built in $(( $(date +%s) - started )) s into $prefix"
  echo "$prefix"
}
